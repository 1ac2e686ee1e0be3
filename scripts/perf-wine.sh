#!/usr/bin/env bash
# The real DLL's figures under Wine: runs the demo host (dist/x86_64/duskhost.exe) through a
# whole installation on a virtual display, RUNS times without slides and once with its four
# 1280 x 720 slides, and writes what the host logged as JSON: func01's time, the process's
# working set before func01 and on the Welcome page once drawn, and the frames the form
# presented per second (DUSKWIZARD_FRAME_STATS=1; the form reports a second only when it
# presents a frame in it). bench/win32/window_calls_floor.exe times func01's window calls
# alone, in the same situation.
#
#   scripts/perf-wine.sh OUTPUT.json [RUNS]      (default 5 runs)
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:?usage: scripts/perf-wine.sh OUTPUT.json [RUNS]}
runs=${2:-5}
build_root=${DW_BUILD_ROOT:-build}
host_exe=$PWD/dist/x86_64/duskhost.exe
floor_exe=${DW_FLOOR_EXE:-$PWD/$build_root/x86_64/window_calls_floor.exe}
wine=$(command -v wine64 || true)
[[ -z $wine && -x /usr/lib/wine/wine64 ]] && wine=/usr/lib/wine/wine64
wineserver=$(command -v wineserver || true)
[[ -z $wineserver && -x /usr/lib/wine/wineserver ]] && wineserver=/usr/lib/wine/wineserver
if [[ -z $wine || ! -f $host_exe ]] || ! command -v xvfb-run >/dev/null; then
  echo "perf-wine: skipped: needs wine64, xvfb-run and dist/x86_64/duskhost.exe" >&2
  echo '{"skipped": true}' >"$out"
  exit 0
fi

work=$(realpath -m "$build_root/perf-wine")
export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export DUSKWIZARD_FRAME_STATS=1
mkdir -p "$work"
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  "$wine" wineboot -i >/dev/null 2>&1 || true
  "$wineserver" -w
fi
# Runs a program under Wine on a virtual display; $1 is its log, $2 a time limit in seconds.
run_exe() {
  local log=$1 seconds=$2
  shift 2
  timeout "$seconds" xvfb-run -a -s "-screen 0 1920x1080x24" "$wine" "$@" >"$log" 2>/dev/null ||
    true
  "$wineserver" -k 2>/dev/null || true
}
# Runs the host once; $1 is its log, $2 a time limit in seconds, the rest host options.
run() {
  local log=$1 seconds=$2
  shift 2
  run_exe "$log" "$seconds" "$host_exe" --debug-output "$@"
}
# The first run warms Wine's own caches (fonts, registry), which later runs share.
echo "== perf-wine: warming up" >&2
run "$work/warm.log" 240 --auto --no-slides --install-ms 1000
logs=()
for ((i = 1; i <= runs; ++i)); do
  echo "== perf-wine: run $i of $runs without slides" >&2
  run "$work/run$i.log" 240 --auto --no-slides --install-ms 1000
  logs+=("$work/run$i.log")
done
floor_logs=()
if [[ -f $floor_exe ]]; then
  for ((i = 1; i <= runs; ++i)); do
    echo "== perf-wine: func01's window calls alone, run $i of $runs" >&2
    run_exe "$work/floor$i.log" 60 "$floor_exe"
    floor_logs+=("$work/floor$i.log")
  done
fi
shown_logs=()
for ((i = 1; i <= runs; ++i)); do
  echo "== perf-wine: run $i of $runs without slides, the host window shown first" >&2
  run "$work/shown$i.log" 240 --auto --no-slides --show-first --install-ms 1000
  shown_logs+=("$work/shown$i.log")
done
echo "== perf-wine: one run with slides" >&2
run "$work/slides.log" 240 --auto --install-ms 1000
# Without --auto the host waits on the Welcome page: idle without slides, panning with them.
echo "== perf-wine: 8 s on the Welcome page without slides, then with slides" >&2
run "$work/idle.log" 8 --no-slides
run "$work/pan.log" 8

python3 - "$out" "$work" "${#logs[@]}" "${logs[@]}" "${shown_logs[@]}" "${floor_logs[@]}" <<'PY'
import json, re, statistics, sys

out, work, count, *paths = sys.argv[1:]
count = int(count)
logs, shown_logs, floor_logs = paths[:count], paths[count:2 * count], paths[2 * count:]

def text(path):
    return open(path, errors="replace").read()

def working_set(log, when):
    m = re.search(rf"working set {when}: (\d+) KB", log)
    return int(m.group(1)) if m else None

def func01(log):
    m = re.search(r"func01 took ([\d.]+) ms", log)
    return float(m.group(1)) if m else None

def frames_after_start(log):
    """Frames per second the form reported from its second second on (each report covers
    the time since the previous one, and comes only with a presented frame)."""
    shown = re.search(r"^\[\s*(\d+)\] host: func03 took", log, re.M)
    start = int(shown.group(1)) if shown else 0
    rates = []
    for at, count, ms in re.findall(r"^\[\s*(\d+)\] debug: duskwizard frames: (\d+) in (\d+) ms",
                                    log, re.M):
        if int(at) >= start + 2000 and int(ms) > 0:
            rates.append(int(count) * 1000.0 / int(ms))
    return rates

runs = [text(p) for p in logs]
times = [t for t in map(func01, runs) if t is not None]
shown_times = [t for t in (func01(text(p)) for p in shown_logs) if t is not None]
# The working set once the form has drawn its Welcome page, a second after the host showed it.
SHOWN = "on the Welcome page"
shares = [working_set(r, SHOWN) - working_set(r, "before func01") for r in runs
          if working_set(r, SHOWN) and working_set(r, "before func01")]
slides = text(work + "/slides.log")
idle = frames_after_start(text(work + "/idle.log"))
pan = frames_after_start(text(work + "/pan.log"))
floor = []
for path in floor_logs:
    m = re.search(r"window calls of func01 took ([\d.]+) ms", text(path))
    if m:
        floor.append(float(m.group(1)))
result = {
    "runs": len(runs),
    "finished": sum("DUSKHOST DONE exit=0" in r for r in runs),
    "func01_ms": times,
    "func01_median_ms": statistics.median(times) if times else None,
    "func01_shown_first_ms": shown_times,
    "func01_shown_first_median_ms": statistics.median(shown_times) if shown_times else None,
    "window_calls_ms": floor,
    "window_calls_median_ms": statistics.median(floor) if floor else None,
    "process_shown_kb": [working_set(r, SHOWN) for r in runs],
    "dll_share_median_kb": statistics.median(shares) if shares else None,
    "with_slides_process_shown_kb": working_set(slides, SHOWN),
    "with_slides_dll_share_kb": (working_set(slides, SHOWN) or 0)
        - (working_set(slides, "before func01") or 0),
    "idle_reports": len(idle),
    "idle_frames_per_s": max(idle) if idle else 0.0,
    "pan_frames_per_s": statistics.median(pan) if pan else None,
}
json.dump(result, open(out, "w"), indent=1)
print(json.dumps(result), file=sys.stderr)
PY

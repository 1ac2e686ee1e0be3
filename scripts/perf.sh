#!/usr/bin/env bash
# The performance record: builds the benchmarks (Release, native), runs every program in
# bench/ and prints one markdown table with the date and the machine, plus the sizes of the
# DLLs in dist/. Not part of CI: the figures depend on the machine and on its load.
#
#   scripts/perf.sh [output.md]      (the table also goes to stdout)
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-}
build_root=${DW_BUILD_ROOT:-build}
dir=$build_root/perf
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)

benches=()
for source in bench/*.cpp; do
  benches+=("$(basename "$source" .cpp)")
done

echo "== building ${benches[*]} in $dir" >&2
cmake -S . -B "$dir" "${generator[@]}" -Wno-dev -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" -j "${DW_JOBS:-2}" --target "${benches[@]}" >&2

results=$dir/results
rm -rf "$results"
mkdir -p "$results"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
for bench in "${benches[@]}"; do
  echo "== running $bench" >&2
  "$dir/$bench" --benchmark_format=console --benchmark_out_format=json \
    --benchmark_out="$results/$bench.json" >&2
done
echo "== running the demo host under Wine (scripts/perf-wine.sh)" >&2
bash scripts/perf-wine.sh "$results/wine.json.txt" "${DW_WINE_RUNS:-5}" || true
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

table=$(python3 - "$results" "$load_before" "$load_after" <<'PY'
import datetime, glob, json, os, platform, subprocess, sys

results, load_before, load_after = sys.argv[1:4]

def cpu_model():
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                return line.split(":", 1)[1].strip()
    return platform.processor() or "unknown"

def compiler():
    try:
        return subprocess.run(["c++", "--version"], capture_output=True, text=True).stdout.splitlines()[0]
    except Exception:
        return "unknown"

def duration(ns):
    for unit, size in (("s", 1e9), ("ms", 1e6), ("us", 1e3)):
        if ns >= size:
            return f"{ns / size:.3g} {unit}"
    return f"{ns:.3g} ns"

SCALE = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}
SKIP = {"name", "run_name", "run_type", "repetitions", "repetition_index", "threads",
        "iterations", "real_time", "cpu_time", "time_unit", "family_index",
        "per_family_instance_index", "aggregate_name", "aggregate_unit", "label",
        "error_occurred", "error_message"}

def counters(run):
    parts = []
    for key, value in run.items():
        if key in SKIP or not isinstance(value, (int, float)):
            continue
        if key == "bytes_per_second":
            parts.append(f"{value / 2**30:.3g} GiB/s")
        elif key == "items_per_second":
            parts.append(f"{value:.3g} items/s")
        else:
            parts.append(f"{key} {value:.4g}")
    if run.get("label"):
        parts.insert(0, run["label"])
    return ", ".join(parts)

rows = []
for path in sorted(glob.glob(os.path.join(results, "*.json"))):
    program = os.path.basename(path)[:-5]
    with open(path) as f:
        data = json.load(f)
    for run in data.get("benchmarks", []):
        # Repeated benchmarks report their median; plain ones their single run.
        if run.get("run_type") == "aggregate" and run.get("aggregate_name") != "median":
            continue
        if run.get("error_occurred"):
            rows.append((program, run["run_name"], "error", "", run.get("error_message", "")))
            continue
        scale = SCALE[run.get("time_unit", "ns")]
        name = run["run_name"] + (" (median)" if run.get("run_type") == "aggregate" else "")
        rows.append((program, name, duration(run["real_time"] * scale),
                     duration(run["cpu_time"] * scale), counters(run)))

def megabytes(kb):
    return f"{kb / 1024:.1f} MB" if kb is not None else "?"

wine_path = os.path.join(results, "wine.json.txt")
wine = json.load(open(wine_path)) if os.path.exists(wine_path) else {"skipped": True}
if wine.get("skipped"):
    rows.append(("duskhost (Wine)", "func01, working set, frames", "", "",
                 "not measured: needs wine64, xvfb and the cross builds (scripts/build.sh)"))
else:
    runs = f"median of {wine['runs']} runs"
    if wine.get("func01_median_ms") is not None:
        times = ", ".join(f"{t:g}" for t in wine["func01_ms"])
        rows.append(("duskhost (Wine)", f"func01, {runs}", f"{wine['func01_median_ms']:g} ms", "",
                     f"runs: {times} ms"))
    if wine.get("func01_shown_first_median_ms") is not None:
        times = ", ".join(f"{t:g}" for t in wine["func01_shown_first_ms"])
        rows.append(("duskhost --show-first (Wine)", f"func01 after the host showed its window, {runs}",
                     f"{wine['func01_shown_first_median_ms']:g} ms", "", f"runs: {times} ms"))
    if wine.get("window_calls_median_ms") is not None:
        times = ", ".join(f"{t:g}" for t in wine["window_calls_ms"])
        rows.append(("window_calls_floor (Wine)", f"func01's window calls alone, {runs}",
                     f"{wine['window_calls_median_ms']:g} ms", "", f"runs: {times} ms"))
    if wine.get("dll_share_median_kb") is not None:
        processes = ", ".join(megabytes(kb) for kb in wine["process_shown_kb"] if kb)
        rows.append(("duskhost (Wine)", "working set on the drawn Welcome page, no slides", "", "",
                     f"DLL's share {megabytes(wine['dll_share_median_kb'])} ({runs}); "
                     f"whole process {processes}"))
        rows.append(("duskhost (Wine)", "working set on the drawn Welcome page, four 1280 x 720 slides", "", "",
                     f"DLL's share {megabytes(wine['with_slides_dll_share_kb'])}; whole process "
                     f"{megabytes(wine['with_slides_process_shown_kb'])}"))
    rows.append(("duskhost (Wine)", "frames presented, Welcome page idle", "", "",
                 f"{wine['idle_frames_per_s']:g} per second ({wine['idle_reports']} frame reports "
                 "from 2 s after func03 to the end of an 8 s run)"))
    if wine.get("pan_frames_per_s") is not None:
        rows.append(("duskhost (Wine)", "frames presented, Welcome page during a slide pan", "", "",
                     f"{wine['pan_frames_per_s']:.1f} per second (median)"))

for arch in ("i686", "x86_64"):
    dll = os.path.join("dist", arch, "duskwizard.dll")
    if os.path.exists(dll):
        rows.append(("dist", f"{arch}/duskwizard.dll size", "", "",
                     f"{os.path.getsize(dll) / 1024:.0f} KiB ({os.path.getsize(dll)} bytes)"))
    else:
        rows.append(("dist", f"{arch}/duskwizard.dll size", "", "", "not built (scripts/build.sh)"))

today = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC")
print(f"Measured {today} on {os.cpu_count()} cores ({cpu_model()}), {compiler()}, Release build;")
print(f"load average {load_before} before the run and {load_after} after it.")
print()
print("| program | benchmark | time | CPU | figures |")
print("|---|---|---|---|---|")
for row in rows:
    print("| " + " | ".join(cell.replace("|", "/") for cell in row) + " |")
PY
)
echo "$table"
[[ -n $out ]] && echo "$table" >"$out"
exit 0

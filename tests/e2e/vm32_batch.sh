#!/usr/bin/env bash
# The 32-bit batch, run inside the 32-bit test machine (one boot for all of it) by
# tests/e2e/run_e2e32.sh, in the share it prepared (/share): the Win32 platform tests and
# the demo host's two automatic runs (run_e2e.sh --runs-only), the calling-convention probe,
# then every extra/<name>/run.sh. Only runs here; the checks are made outside, afterwards.
# The Wine prefix is the image's own (/root/.wine, set up by the machine's init; a crash
# there ends the program instead of starting Wine's debugger).
# Each part leaves its output and its status file in the share; the batch itself only fails
# when the share is unusable.
set -uo pipefail
clock() { date -u +%T; }
started=$SECONDS
xvfb=(xvfb-run -a -s "-screen 0 1920x1080x24")
# Programs run from a copy on the machine's own disk: Wine maps executables into memory,
# and from the 9p share parts of a large one came in as zeros. Results go to the share.
local=/root/batch
rm -rf "$local"
mkdir -p "$local/extra"
cp -r /share/dist /share/bin /share/tests "$local/" || exit 1
cd "$local"

echo "== vm32 batch: Win32 platform tests and demo host runs ($(clock))"
mkdir -p /share/e2e
DW_WINEPREFIX=$WINEPREFIX DW_WIN32_TESTS=$local/bin/duskwizard_win32_tests.exe \
  bash tests/e2e/run_e2e.sh --arch i686 --runs-only /share/e2e
echo "$?" >/share/e2e/runs.status

echo "== vm32 batch: calling-convention probe ($(clock))"
status=0
timeout 600 "${xvfb[@]}" wine bin/abi_probe.exe 'Z:\root\batch\dist\i686\duskwizard.dll' \
  >/share/probe.log 2>/share/probe-wine.log || status=$?
wineserver -k 2>/dev/null || true
echo "$status" >/share/probe.status
tail -n 1 /share/probe.log

for extra in /share/extra/*/; do
  [[ -f $extra/run.sh ]] || continue
  name=$(basename "$extra")
  echo "== vm32 batch: extra $name ($(clock))"
  cp -r "$extra" "$local/extra/$name"
  mkdir -p "$extra/out"
  status=0
  (cd "$local/extra/$name" && DW_VM32_OUT=${extra}out timeout 1800 bash run.sh) \
    >"$extra/run.log" 2>&1 || status=$?
  wineserver -k 2>/dev/null || true
  echo "$status" >"$extra/run.status"
  tail -n 3 "$extra/run.log"
done
echo "== vm32 batch: done in $((SECONDS - started)) s ($(clock))"

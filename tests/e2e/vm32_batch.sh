#!/usr/bin/env bash
# The 32-bit batch, run inside the 32-bit test machine (one boot for all of it) by
# tests/e2e/run_e2e32.sh, in the share it prepared (/share): the Win32 platform tests and
# the demo host's two automatic runs (run_e2e.sh --runs-only), the calling-convention probe,
# then every extra/<name>/run.sh. Only runs here; the checks are made outside, afterwards.
# Each part leaves its output and its status file in the share; the batch itself only fails
# when the share is unusable.
set -uo pipefail
cd /share
clock() { date -u +%T; }
started=$SECONDS
xvfb=(xvfb-run -a -s "-screen 0 1920x1080x24")

echo "== vm32 batch: Win32 platform tests and demo host runs ($(clock))"
DW_WINEPREFIX=$WINEPREFIX DW_WIN32_TESTS=/share/bin/duskwizard_win32_tests.exe \
  bash tests/e2e/run_e2e.sh --arch i686 --runs-only /share/e2e
echo "$?" >/share/e2e/runs.status

echo "== vm32 batch: calling-convention probe ($(clock))"
status=0
timeout 600 "${xvfb[@]}" wine bin/abi_probe.exe 'Z:\share\dist\i686\duskwizard.dll' \
  >probe.log 2>probe-wine.log || status=$?
wineserver -k 2>/dev/null || true
echo "$status" >probe.status
tail -n 1 probe.log

for extra in extra/*/; do
  [[ -f $extra/run.sh ]] || continue
  name=$(basename "$extra")
  echo "== vm32 batch: extra $name ($(clock))"
  status=0
  (cd "$extra" && DW_VM32_OUT=$PWD/out timeout 1800 bash run.sh) >"$extra/run.log" 2>&1 ||
    status=$?
  wineserver -k 2>/dev/null || true
  echo "$status" >"$extra/run.status"
  tail -n 3 "$extra/run.log"
done
echo "== vm32 batch: done in $((SECONDS - started)) s ($(clock))"

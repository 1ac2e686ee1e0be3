#!/usr/bin/env bash
# End-to-end tests under Wine on a virtual X display. First the Win32 platform's own tests
# (tests/win32, built by the x86_64 cross build), then the demo host loading the real
# dist/x86_64/duskwizard.dll and driving every stage with mouse input, twice: at 96 DPI
# with a successful installation, and at 144 DPI with a failing one, bad input and an
# unload of the library while its window's host window still exists; and at 96 DPI as a
# plain dialog-based wizard that reports its installation from a worker thread. Each
# run's log and screenshots are checked by check_run.py. A run at 144 DPI goes through
# every stage as a screen reader user does (--screen-reader: the form read through
# AccessibleObjectFromWindow, pressed through accDoDefaultAction, its WinEvents counted),
# checked by check_reader.py.
# Usage: tests/e2e/run_e2e.sh [work folder]   (default: ${DW_BUILD_ROOT:-build}/e2e)
# The platform tests are found at $DW_WIN32_TESTS, else in the cross build folder of
# scripts/build.sh (${DW_BUILD_ROOT:-build}/x86_64).
set -euo pipefail
cd "$(dirname "$0")/../.."
repo=$PWD
work=$(realpath -m "${1:-${DW_BUILD_ROOT:-build}/e2e}")
host_exe=$repo/dist/x86_64/duskhost.exe
win32_tests=${DW_WIN32_TESTS:-$repo/${DW_BUILD_ROOT:-build}/x86_64/duskwizard_win32_tests.exe}

source "$repo/tests/e2e/wine_env.sh"
if [[ -z $wine || -z $wineserver ]] || ! command -v xvfb-run >/dev/null; then
  echo "e2e: skipped: wine64 or xvfb-run is not installed (scripts/install-deps.sh installs them)"
  exit 0
fi
for file in "$host_exe" "$repo/dist/x86_64/duskwizard.dll"; do
  [[ -f $file ]] || { echo "e2e: $file is missing: build the x86_64 cross build first"; exit 1; }
done

use_wine_prefix "$work"

# Runs the host once; $1 is the run's name, the rest are host options.
run_host() {
  local name=$1
  shift
  local out=$work/$name
  rm -rf "$out"
  mkdir -p "$out/screenshots"
  echo "== e2e run $name: duskhost $*"
  local status=0
  timeout 240 xvfb-run -a -s "-screen 0 1920x1080x24" \
    "$wine" "$host_exe" --auto --screenshots "$(windows_path "$out/screenshots")" "$@" \
    >"$out/host.log" 2>"$out/wine.log" || status=$?
  "$wineserver" -k 2>/dev/null || true
  # Wine sometimes kills a finished process on its way out (137): the end marker counts.
  if ! grep -q "DUSKHOST DONE exit=0" "$out/host.log"; then
    echo "e2e: the host did not finish (status $status); last lines of its log:"
    tail -n 20 "$out/host.log"
  fi
}

set_dpi() {
  if [[ $1 == 96 ]]; then
    "$wine" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
  else
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
  fi
  "$wineserver" -w
}

passed=0
failed=0
check() {
  local name=$1
  shift
  echo "== e2e checks of $name"
  if python3 "$repo/tests/e2e/check_run.py" "$work/$name/host.log" "$work/$name/screenshots" "$@"
  then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
}

set_dpi 96
if [[ -f $win32_tests ]]; then
  echo "== e2e: Win32 platform tests ($win32_tests)"
  if timeout 300 xvfb-run -a -s "-screen 0 1920x1080x24" "$wine" "$win32_tests" \
    >"$work/win32_tests.log" 2>&1 && grep -q "^\[  PASSED  \]" "$work/win32_tests.log"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
  "$wineserver" -k 2>/dev/null || true
  grep -E "^\[  (PASSED|FAILED) |Failure$|^[^[].*:[0-9]+: " "$work/win32_tests.log" || true
else
  echo "e2e: Win32 platform tests not built ($win32_tests): skipped"
fi

run_host dpi96
check dpi96 --scale 1

# A host like a plain dialog-based wizard, reporting from a worker thread.
run_host plain-worker --plain-host --worker
check plain-worker --scale 1 --plain-host --worker

set_dpi 144
run_host dpi144-fail-bad-input --fail --bad-input --unload
check dpi144-fail-bad-input --scale 1.5 --fail --bad-input --unload

run_host dpi144-screen-reader --screen-reader
echo "== e2e checks of dpi144-screen-reader"
if python3 "$repo/tests/e2e/check_reader.py" "$work/dpi144-screen-reader/host.log"; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
fi
set_dpi 96

echo "e2e: screenshots and logs in $work"
echo "e2e: $passed passed, $failed failed"
((failed == 0))

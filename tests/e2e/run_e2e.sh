#!/usr/bin/env bash
# End-to-end tests under Wine on a virtual X display. First the Win32 platform's own tests
# (tests/win32, built by the cross build), then the demo host loading the real
# dist/<arch>/duskwizard.dll and driving every stage with mouse input, twice: at 96 DPI
# with a successful installation, and at 144 DPI with a failing one, bad input and an
# unload of the library while its window's host window still exists; and at 96 DPI as a
# plain dialog-based wizard that reports its installation from a worker thread. Each
# run's log and screenshots are checked by check_run.py. A run at 144 DPI goes through
# every stage as a screen reader user does (--screen-reader: the form read through
# AccessibleObjectFromWindow, pressed through accDoDefaultAction, its WinEvents counted),
# checked by check_reader.py.
# Usage: tests/e2e/run_e2e.sh [--arch x86_64|i686] [--runs-only|--checks-only] [work folder]
#   (default work folder: ${DW_BUILD_ROOT:-build}/e2e). x86_64 runs here with wine64; i686
#   needs a 32-bit Wine, which the 32-bit test machine has: tests/e2e/run_e2e32.sh makes the
#   runs there (--runs-only, which needs no Python) and checks them here (--checks-only).
# The platform tests are found at $DW_WIN32_TESTS, else in the cross build folder of
# scripts/build.sh (${DW_BUILD_ROOT:-build}/<arch>). $DW_WINEPREFIX, when set, is the Wine
# prefix to use instead of a new one in the work folder.
set -euo pipefail
cd "$(dirname "$0")/../.."
repo=$PWD
arch=x86_64
runs=1
checks=1
while (($#)); do
  case $1 in
  --arch) arch=$2; shift 2 ;;
  --runs-only) checks=0; shift ;;
  --checks-only) runs=0; shift ;;
  *) break ;;
  esac
done
[[ $arch == x86_64 || $arch == i686 ]] || { echo "e2e: unknown architecture $arch"; exit 2; }
work=$(realpath -m "${1:-${DW_BUILD_ROOT:-build}/e2e}")
host_exe=$repo/dist/$arch/duskhost.exe
win32_tests=${DW_WIN32_TESTS:-$repo/${DW_BUILD_ROOT:-build}/$arch/duskwizard_win32_tests.exe}
# Emulated, the 32-bit machine runs everything several times slower.
slowdown=1
[[ $arch == i686 ]] && slowdown=3
# In the emulated machine a stage may still be sliding in when a screenshot is due a second
# after the click: the host's automatic steps wait twice as long there.
host_slowness=1
[[ $arch == i686 ]] && host_slowness=2

passed=0
failed=0
check() {
  local name=$1
  shift
  echo "== e2e checks of $name"
  if python3 "$repo/tests/e2e/check_run.py" "$work/$name/host.log" "$work/$name/screenshots" \
    --arch "$arch" "$@"
  then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
}

check_all() {
  if [[ -f $work/win32_tests.status ]]; then
    echo "== e2e checks of the Win32 platform tests ($arch)"
    grep -E "^\[  (PASSED|FAILED) |Failure$|^[^[].*:[0-9]+: " "$work/win32_tests.log" || true
    if [[ $(cat "$work/win32_tests.status") == 0 ]] &&
      grep -q "^\[  PASSED  \]" "$work/win32_tests.log"; then
      passed=$((passed + 1))
    else
      echo "FAIL the Win32 platform tests (status $(cat "$work/win32_tests.status"))"
      failed=$((failed + 1))
    fi
  elif [[ $arch == i686 ]]; then
    echo "FAIL the Win32 platform tests did not run"
    failed=$((failed + 1))
  fi
  check dpi96 --scale 1
  check plain-worker --scale 1 --plain-host --worker
  check dpi144-fail-bad-input --scale 1.5 --fail --bad-input --unload
  echo "== e2e checks of dpi144-screen-reader"
  if python3 "$repo/tests/e2e/check_reader.py" "$work/dpi144-screen-reader/host.log"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
  echo "e2e: screenshots and logs in $work"
  echo "e2e ($arch): $passed passed, $failed failed"
  ((failed == 0))
}

if ((!runs)); then
  check_all
  exit
fi

source "$repo/tests/e2e/wine_env.sh"
[[ $arch == i686 ]] && wine=$(command -v wine || true) # picks the 32-bit loader for a 32-bit program
if [[ -z $wine || -z $wineserver ]] || ! command -v xvfb-run >/dev/null; then
  if [[ $arch == i686 ]]; then
    echo "e2e: FAIL: no 32-bit wine or xvfb-run here: the i686 runs belong in the 32-bit test machine"
    exit 1
  fi
  echo "e2e: skipped: wine64 or xvfb-run is not installed (scripts/install-deps.sh installs them)"
  exit 0
fi
for file in "$host_exe" "$repo/dist/$arch/duskwizard.dll"; do
  [[ -f $file ]] || { echo "e2e: $file is missing: build the $arch cross build first"; exit 1; }
done

if [[ -n ${DW_WINEPREFIX:-} ]]; then
  export WINEPREFIX=$DW_WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$work"
else
  use_wine_prefix "$work"
fi

# Runs the host once; $1 is the run's name, the rest are host options.
run_host() {
  local name=$1
  shift
  local out=$work/$name
  rm -rf "$out"
  mkdir -p "$out/screenshots"
  echo "== e2e run $name: duskhost $*"
  local status=0
  timeout $((240 * slowdown)) xvfb-run -a -s "-screen 0 1920x1080x24" \
    "$wine" "$host_exe" --auto --slowness "$host_slowness" \
    --screenshots "$(windows_path "$out/screenshots")" "$@" \
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

set_dpi 96
rm -f "$work/win32_tests.status" "$work/win32_tests.log"
if [[ -f $win32_tests ]]; then
  echo "== e2e: Win32 platform tests ($win32_tests)"
  status=0
  timeout $((300 * slowdown)) xvfb-run -a -s "-screen 0 1920x1080x24" "$wine" "$win32_tests" \
    >"$work/win32_tests.log" 2>&1 || status=$?
  echo "$status" >"$work/win32_tests.status"
  "$wineserver" -k 2>/dev/null || true
else
  echo "e2e: Win32 platform tests not built ($win32_tests): skipped"
fi

run_host dpi96

# A host like a plain dialog-based wizard, reporting from a worker thread.
run_host plain-worker --plain-host --worker

set_dpi 144
run_host dpi144-fail-bad-input --fail --bad-input --unload
run_host dpi144-screen-reader --screen-reader
set_dpi 96

if ((checks)); then
  check_all
fi

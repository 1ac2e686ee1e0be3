#!/usr/bin/env bash
# The i686 build at run time, in the 32-bit test machine (scripts/vm32.sh), booted once for
# the whole batch (tests/e2e/vm32_batch.sh): the Win32 platform tests, the demo host's two
# automatic runs of run_e2e.sh (96 DPI; 144 DPI with --fail --bad-input --unload), the
# calling-convention probe (tests/abi/abi_probe.cpp), and any extra runs. Then, here, the
# same checks as for x86_64 (run_e2e.sh --checks-only, check_run.py) and the probe's.
# Usage: tests/e2e/run_e2e32.sh [--extra DIR]... [work folder]
#   (default work folder: ${DW_BUILD_ROOT:-build}/e2e32, the machine's share)
# Extra runs: every folder in tests/e2e/vm32.d/, every --extra DIR and every folder of the
# colon-separated $DW_VM32_EXTRA. Such a folder is copied into the share as extra/<name>/;
# there, before the boot, its prepare.sh (if any) runs here with the copy's path as $1 (to
# bring in what the run needs); in the machine its run.sh runs in a copy of that folder on
# the machine's own disk (programs are not run from the share) with $DW_VM32_OUT, the
# share's extra/<name>/out/, for its results, and its output goes to extra/<name>/run.log;
# afterwards its check.sh (if any) runs here with the share's copy's path as $1. A folder
# passes when each of these exits 0.
# Anything that keeps the machine from running (a missing build, no image and no way to
# build one) fails the test: the 32-bit part is never skipped.
set -euo pipefail
cd "$(dirname "$0")/../.."
repo=$PWD
extras=()
while (($#)); do
  case $1 in
  --extra) extras+=("$(realpath "$2")"); shift 2 ;;
  *) break ;;
  esac
done
work=$(realpath -m "${1:-${DW_BUILD_ROOT:-build}/e2e32}")
cross=$repo/${DW_BUILD_ROOT:-build}/i686
for extra in "$repo"/tests/e2e/vm32.d/*/; do
  [[ -d $extra ]] && extras+=("$(realpath "$extra")")
done
IFS=: read -r -a listed <<<"${DW_VM32_EXTRA:-}"
for extra in "${listed[@]}"; do
  [[ -n $extra ]] && extras+=("$(realpath "$extra")")
done

started=$SECONDS
inputs=(dist/i686/duskwizard.dll dist/i686/duskhost.exe "$cross/duskwizard_win32_tests.exe"
  "$cross/abi_probe.exe")
for file in "${inputs[@]}"; do
  [[ -f $file ]] || { echo "e2e32: FAIL: $file is missing: build the i686 cross build first"; exit 1; }
done

rm -rf "$work"
mkdir -p "$work/dist/i686" "$work/bin" "$work/tests/e2e" "$work/extra"
cp dist/i686/duskwizard.dll dist/i686/duskhost.exe "$work/dist/i686/"
cp "$cross/duskwizard_win32_tests.exe" "$cross/abi_probe.exe" "$work/bin/"
cp tests/e2e/*.sh "$work/tests/e2e/"

passed=0
failed=0
verdict() { # verdict CONDITION-STATUS WHAT
  if (($1 == 0)); then
    passed=$((passed + 1))
  else
    echo "FAIL $2"
    failed=$((failed + 1))
  fi
}

declare -A prepared
for extra in "${extras[@]}"; do
  name=$(basename "$extra")
  copy=$work/extra/$name
  [[ -e $copy ]] && { echo "e2e32: FAIL: two extra folders named $name"; exit 1; }
  cp -r "$extra" "$copy"
  prepared[$name]=0
  if [[ -f $copy/prepare.sh ]]; then
    echo "== e2e32: preparing extra $name"
    status=0
    bash "$copy/prepare.sh" "$copy" || status=$?
    prepared[$name]=$status
    # An extra that could not be prepared does not run: it fails below.
    ((status == 0)) || rm -f "$copy/run.sh"
  fi
done

echo "== e2e32: the 32-bit test machine ($(date -u +%T))"
machine=0
bash scripts/vm32.sh run --share "$work" --timeout 2700 -- bash tests/e2e/vm32_batch.sh ||
  machine=$?
verdict "$machine" "the 32-bit batch did not complete in the machine (status $machine)"

echo "== e2e32: checks ($(date -u +%T))"
status=0
DW_BUILD_ROOT=${DW_BUILD_ROOT:-build} bash tests/e2e/run_e2e.sh --arch i686 --checks-only \
  "$work/e2e" || status=$?
verdict "$status" "the i686 Win32 platform tests or demo host runs"

echo "== e2e32 checks of the calling-convention probe"
status=1
if [[ -f $work/probe.log ]]; then
  tr -d '\r' <"$work/probe.log" | grep -E "^FAIL|^abi probe:" || true
  [[ $(cat "$work/probe.status" 2>/dev/null) == 0 ]] &&
    tr -d '\r' <"$work/probe.log" | grep -qx "abi probe: 32-bit process" &&
    tr -d '\r' <"$work/probe.log" | grep -qx "abi probe: all 15 exports passed" && status=0
fi
verdict "$status" "the calling-convention probe (log: $work/probe.log)"

for extra in "${extras[@]}"; do
  name=$(basename "$extra")
  copy=$work/extra/$name
  echo "== e2e32 checks of extra $name"
  status=${prepared[$name]}
  ((status == 0)) || echo "its prepare.sh failed (status $status)"
  if ((status == 0)) && [[ -f $copy/run.sh ]]; then
    status=$(cat "$copy/run.status" 2>/dev/null || echo "no status")
    [[ $status == 0 ]] || echo "its run.sh failed (status $status; log: $copy/run.log)"
    [[ $status == 0 ]] && status=0 || status=1
  fi
  if ((status == 0)) && [[ -f $copy/check.sh ]]; then
    bash "$copy/check.sh" "$copy" || status=$?
  fi
  verdict "$status" "extra $name"
done

echo "e2e32: logs and screenshots in $work; $((SECONDS - started)) s in all"
echo "e2e32: $passed passed, $failed failed"
((failed == 0))

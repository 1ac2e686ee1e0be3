#!/usr/bin/env bash
# The form inside installers we did not shape for it, driven only by real X input (xdotool
# on Xvfb, as a person's mouse and keyboard): the NSIS example (examples/nsis) built for
# the x86_64 DLL, and the demo host behaving as a plain dialog-based wizard
# (--plain-host --worker). Each goes the whole road once by mouse and once by keyboard
# alone; tests/e2e/real_input.py does the driving and the checks (tests/e2e/real_input_roads.sh
# the building and the roads, shared with the 32-bit NSIS run in the 32-bit test machine).
# Usage: tests/e2e/run_real_input.sh [work folder]   (default: ${DW_BUILD_ROOT:-build}/e2e-input)
set -euo pipefail
cd "$(dirname "$0")/../.."
repo=$PWD
work=$(realpath -m "${1:-${DW_BUILD_ROOT:-build}/e2e-input}")
dll=$repo/dist/x86_64/duskwizard.dll
host_exe=$repo/dist/x86_64/duskhost.exe

source "$repo/tests/e2e/wine_env.sh"
source "$repo/tests/e2e/real_input_roads.sh"
real_input=$repo/tests/e2e
for tool in "$wine" "$wineserver" xvfb-run xdotool makensis import; do
  command -v "$tool" >/dev/null || { echo "real input: $tool is missing (scripts/install-deps.sh)"; exit 1; }
done
for file in "$dll" "$host_exe"; do
  [[ -f $file ]] || { echo "real input: $file is missing: build the x86_64 cross build first"; exit 1; }
done

use_wine_prefix "$work"

echo "== building the NSIS example for the x86_64 DLL"
build_nsis_example amd64-unicode "$dll" "$work/nsis-example-x86_64.exe"

passed=0
failed=0
nsis=$work/nsis-example-x86_64.exe
drive nsis-mouse mouse "$work/nsis-mouse.log" "$wine" "$nsis" "/LOG=$(windows_path "$work/nsis-mouse.log")"
drive nsis-keyboard keyboard "$work/nsis-keyboard.log" \
  "$wine" "$nsis" "/LOG=$(windows_path "$work/nsis-keyboard.log")"
drive plain-host-mouse mouse "$work/plain-host-mouse/out.log" \
  "$wine" "$host_exe" --plain-host --worker --no-slides
drive plain-host-keyboard keyboard "$work/plain-host-keyboard/out.log" \
  "$wine" "$host_exe" --plain-host --worker --no-slides

echo "real input: screenshots and logs in $work"
echo "real input: $passed passed, $failed failed"
((failed == 0))

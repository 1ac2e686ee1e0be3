#!/usr/bin/env bash
# The form inside installers we did not shape for it, driven only by real X input (xdotool
# on Xvfb, as a person's mouse and keyboard): the NSIS example (examples/nsis) built for
# the x86_64 DLL, and the demo host behaving as a plain dialog-based wizard
# (--plain-host --worker). Each goes the whole road once by mouse and once by keyboard
# alone; tests/e2e/real_input.py does the driving and the checks.
# Usage: tests/e2e/run_real_input.sh [work folder]   (default: ${DW_BUILD_ROOT:-build}/e2e-input)
set -euo pipefail
cd "$(dirname "$0")/../.."
repo=$PWD
work=$(realpath -m "${1:-${DW_BUILD_ROOT:-build}/e2e-input}")
dll=$repo/dist/x86_64/duskwizard.dll
host_exe=$repo/dist/x86_64/duskhost.exe

source "$repo/tests/e2e/wine_env.sh"
for tool in "$wine" "$wineserver" xvfb-run xdotool makensis import; do
  command -v "$tool" >/dev/null || { echo "real input: $tool is missing (scripts/install-deps.sh)"; exit 1; }
done
for file in "$dll" "$host_exe"; do
  [[ -f $file ]] || { echo "real input: $file is missing: build the x86_64 cross build first"; exit 1; }
done

use_wine_prefix "$work"

echo "== building the NSIS example for the x86_64 DLL"
makensis -V2 -DDUSKWIZARD_DLL="$dll" -DOUTFILE="$work/nsis-example-x86_64.exe" \
  examples/nsis/duskwizard-example.nsi

passed=0
failed=0
# One road with one installer: $1 the run's name, $2 mouse|keyboard, $3 the log it writes,
# then the installer's command line.
drive() {
  local name=$1 road=$2 log=$3
  shift 3
  echo "== $name: the $road road"
  rm -rf "$work/$name"
  if timeout 300 xvfb-run -a -s "-screen 0 1280x1024x24" \
    python3 "$repo/tests/e2e/real_input.py" --road "$road" --log "$log" --out "$work/$name" \
    --signatures "$work/stages.json" -- "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
  "$wineserver" -k 2>/dev/null || true
}

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

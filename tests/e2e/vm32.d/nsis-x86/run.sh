#!/usr/bin/env bash
# In the 32-bit test machine, in a copy of this folder made ready by prepare.sh: the 32-bit
# NSIS example the whole road once by mouse and once by keyboard alone, with real X input,
# as run_real_input.sh drives the x86_64 one. Logs, checks and screenshots go to
# $DW_VM32_OUT; check.sh judges them afterwards.
set -euo pipefail
here=$PWD
work=$here/work
real_input=$here
source "$here/wine_env.sh" # for windows_path; the machine's `wine` runs 32-bit programs
wine=wine
wineserver=wineserver
source "$here/real_input_roads.sh"
# The emulated machine is several times slower than this one's host: every wait of
# real_input.py stretches by this much (its screenshots also wait for the screen to settle).
export DW_INPUT_SLOWNESS=${DW_INPUT_SLOWNESS:-3}
mkdir -p "$work"
passed=0
failed=0
nsis=$here/nsis-example-i686.exe
for road in mouse keyboard; do
  log=$work/nsis-$road.log
  drive "nsis-$road" "$road" "$log" "$wine" "$nsis" "/LOG=$(windows_path "$log")"
done
cp -r "$work"/. "$DW_VM32_OUT/"
echo "nsis-x86: $passed passed, $failed failed"
((failed == 0))

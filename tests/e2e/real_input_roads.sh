# Sourced by the scripts that drive installers with real X input: run_real_input.sh here
# (x86_64) and tests/e2e/vm32.d/nsis-x86/ (i686, in the 32-bit test machine), so both build
# the NSIS example and go its roads the same way.
# drive needs $work (results), $real_input (the folder of real_input.py and bmp.py) and
# $wineserver, and counts the roads in $passed and $failed.

# build_nsis_example TARGET DLL OUTFILE: the NSIS example (examples/nsis) for one DLL, with
# makensis's Target TARGET (amd64-unicode or x86-unicode).
build_nsis_example() {
  local script dll out
  script=$(dirname "${BASH_SOURCE[0]}")/../../examples/nsis/duskwizard-example.nsi
  # makensis takes relative paths from the script's folder.
  dll=$(realpath "$2")
  out=$(realpath -m "$3")
  makensis -V2 -DTARGET="$1" -DDUSKWIZARD_DLL="$dll" -DOUTFILE="$out" "$script"
}

# drive NAME ROAD LOG COMMAND...: one road (mouse or keyboard) with one installer, started
# by COMMAND, on a 1280x1024 Xvfb screen; LOG is the log the installer writes. Leaves the
# screenshots in $work/NAME/, real_input.py's checks in $work/NAME.checks and its exit
# status in $work/NAME.status. $DW_INPUT_SLOWNESS (default 1) stretches every wait.
drive() {
  local name=$1 road=$2 log=$3 seconds started=$SECONDS
  shift 3
  seconds=$(awk -v slowness="${DW_INPUT_SLOWNESS:-1}" 'BEGIN { printf "%d", 300 * slowness }')
  echo "== $name: the $road road"
  rm -rf "${work:?}/$name" "$work/$name.checks" "$work/$name.status"
  {
    local status=0
    timeout "$seconds" xvfb-run -a -s "-screen 0 1280x1024x24" \
      python3 "$real_input/real_input.py" --road "$road" --log "$log" --out "$work/$name" \
      --signatures "$work/stages.json" -- "$@" 2>&1 || status=$?
    echo "$status" >"$work/$name.status"
  } | tee "$work/$name.checks"
  if [[ $(cat "$work/$name.status") == 0 ]]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
  "$wineserver" -k 2>/dev/null || true
  echo "== $name: $((SECONDS - started)) s, status $(cat "$work/$name.status")"
}

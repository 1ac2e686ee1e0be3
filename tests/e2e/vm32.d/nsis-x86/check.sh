#!/usr/bin/env bash
# Here, after the 32-bit test machine ran run.sh: the installer was a 32-bit (PE32, i386)
# program, and both of its roads passed every check of real_input.py.
set -euo pipefail
copy=$1
out=$copy/out
status=0
machine=$(python3 - "$copy/nsis-example-i686.exe" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read(4096)
pe = struct.unpack_from("<I", data, 0x3C)[0]
ok = data[:2] == b"MZ" and data[pe:pe + 4] == b"PE\0\0"
machine = struct.unpack_from("<H", data, pe + 4)[0] if ok else 0
magic = struct.unpack_from("<H", data, pe + 24)[0] if ok else 0
print(f"machine 0x{machine:04x} optional header 0x{magic:03x}")
PY
)
if [[ $machine == "machine 0x014c optional header 0x10b" ]]; then
  echo "ok   the NSIS installer is a PE32 i386 program"
else
  echo "FAIL the NSIS installer is not a PE32 i386 program ($machine)"
  status=1
fi
for road in mouse keyboard; do
  checks=$out/nsis-$road.checks
  if [[ $(cat "$out/nsis-$road.status" 2>/dev/null) == 0 ]] &&
    [[ $(tail -n 1 "$checks" 2>/dev/null) == "all checks passed" ]] &&
    grep -q '^ok   the installer showed the form' "$checks"; then
    echo "ok   the $road road: $(grep -c '^ok ' "$checks") checks passed"
  else
    echo "FAIL the $road road (status $(cat "$out/nsis-$road.status" 2>/dev/null || echo none); $checks):"
    grep -E '^FAIL|checks failed' "$checks" 2>/dev/null || tail -n 5 "$checks" 2>/dev/null || true
    status=1
  fi
done
exit "$status"

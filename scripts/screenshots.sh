#!/usr/bin/env bash
# Renders every stage of the form with the native preview tool (simulated platform, Open
# Sans standing in for Segoe UI) into docs/screenshots/, the pictures the README shows. The
# background slide is a dusk gradient drawn here, so the pictures need nothing but Python.
#
#   scripts/screenshots.sh [application name]
set -euo pipefail
cd "$(dirname "$0")/.."

app=${1:-Nightfall}
build_root=${DW_BUILD_ROOT:-build}
dir=$build_root/preview
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S . -B "$dir" "${generator[@]}" -Wno-dev -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" -j "${DW_JOBS:-2}" --target preview

slides=$(mktemp -d)
trap 'rm -rf "$slides"' EXIT
python3 - "$slides/dusk.png" <<'PY'
import math, struct, sys, zlib

width, height = 1280, 720
rows = []
for y in range(height):
    t = y / (height - 1)
    sky = (int(18 + 150 * t * t), int(22 + 60 * t), int(58 + 10 * t))
    row = bytearray(b"\x00")
    for x in range(width):
        hill = height * (0.78 - 0.06 * math.sin(x / 170.0) - 0.03 * math.sin(x / 53.0 + 1.3))
        row += bytes((10, 12, 20)) if y > hill else bytes(sky)
    rows.append(bytes(row))

def chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data +
            struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

with open(sys.argv[1], "wb") as out:
    out.write(b"\x89PNG\r\n\x1a\n")
    out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
    out.write(chunk(b"IDAT", zlib.compress(b"".join(rows), 9)))
    out.write(chunk(b"IEND", b""))
PY

mkdir -p docs/screenshots
render() {
  local name=$1
  shift
  "$dir/preview" "$@" --app "$app" --slides "$slides" --out "docs/screenshots/$name.png"
  echo "docs/screenshots/$name.png"
}
render 0-welcome --stage 0
render 1-information --stage 1
render 2-terms --stage 2 --subpage 0
render 2-destination --stage 2 --subpage 1
render 3-installation --stage 3
render 4-success --stage 4 --subpage 0
render 4-failure --stage 4 --subpage 1

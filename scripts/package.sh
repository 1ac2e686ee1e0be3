#!/usr/bin/env bash
# Makes the release package dist/duskwizard-X.Y.Z.zip (and its .sha256 beside it): both
# DLLs, the C header, the examples for installer systems, README.txt for installer authors,
# the licence, the changelog and SHA256SUMS. Built twice from the same commit, the archive
# is the same byte for byte.
# Usage: scripts/package.sh [--no-build] [--out DIR]
#   --no-build  packs the DLLs that dist/ holds instead of building them first
#   --out DIR   writes the archive to DIR instead of dist/
# The cross builds are those of scripts/build.sh ($DW_BUILD_ROOT/i686 and /x86_64, default
# build/), in Release; DW_JOBS sets the build's parallel jobs (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."

build=1
out=dist
while (($#)); do
  case $1 in
    --no-build) build=0 ;;
    --out) out=${2:?--out needs a folder}; shift ;;
    *) echo "usage: scripts/package.sh [--no-build] [--out DIR]" >&2; exit 2 ;;
  esac
  shift
done

if ((build)); then
  generator=()
  command -v ninja >/dev/null && generator=(-G Ninja)
  for arch in i686 x86_64; do
    dir=${DW_BUILD_ROOT:-build}/$arch
    echo "== building $dir"
    cmake -S . -B "$dir" "${generator[@]}" -Wno-dev -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-$arch-w64-mingw32.cmake" >/dev/null
    cmake --build "$dir" --target duskwizard -j "${DW_JOBS:-2}"
  done
fi

# Only DLLs that pass the static checks (exports, stack clean-up, imports, size) are packed.
for arch in i686 x86_64; do
  dll=dist/$arch/duskwizard.dll
  status=0
  report=$(bash tests/abi/check_dll.sh "$dll" "$arch" 2>&1) || status=$?
  if ((status != 0)); then
    echo "$report" | grep -v '^ok:' >&2
    echo "package: $dll did not pass the static checks" >&2
    exit 1
  fi
done

python3 scripts/make_package.py --out "$out"

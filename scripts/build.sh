#!/usr/bin/env bash
# Builds everything: the native build (tests, tools, benchmarks) and both DLLs.
# Usage: scripts/build.sh [native build folder] [extra cmake options for the native build]
# The cross builds go to $DW_BUILD_ROOT/i686 and $DW_BUILD_ROOT/x86_64 (default build/).
# The DLLs land in dist/i686/duskwizard.dll and dist/x86_64/duskwizard.dll.
set -euo pipefail
cd "$(dirname "$0")/.."

build_root=${DW_BUILD_ROOT:-build}
native_dir=${1:-$build_root/native}
shift || true

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
jobs=${DW_JOBS:-2}

configure_and_build() {
  local dir=$1
  shift
  echo "== building $dir"
  cmake -S . -B "$dir" "${generator[@]}" -Wno-dev "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

configure_and_build "$native_dir" "$@"
for arch in i686 x86_64; do
  configure_and_build "$build_root/$arch" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-$arch-w64-mingw32.cmake"
done
ls -l dist/i686/duskwizard.dll dist/x86_64/duskwizard.dll

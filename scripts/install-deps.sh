#!/usr/bin/env bash
# Installs the Debian packages that the builds, tests and demo need. Quiet and quick when
# everything is there; runs apt-get update only when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache             # native build
  googletest libgtest-dev libbenchmark-dev # tests and benchmarks
  libstb-dev fonts-open-sans fonts-dejavu-core  # image decoding and fonts off Windows
  g++-mingw-w64-i686 g++-mingw-w64-x86-64  # the DLLs (binutils-mingw-w64 comes along)
  wine64 xvfb xauth                        # running the x86_64 DLL and demo host
  nsis xdotool                             # an installer we did not write, real X input
  imagemagick python3                      # screenshots: looking at them, checking them
  clang libclang-rt-14-dev                 # fuzzers (libFuzzer with ASan and UBSan)
  qemu-system-x86 mmdebstrap e2fsprogs     # the emulated 32-bit test machine (scripts/vm32.sh)
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [[ $status == installed ]] || missing+=("$package")
done
((${#missing[@]} == 0)) && exit 0

echo "Installing: ${missing[*]}"
sudo=()
((EUID == 0)) || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
echo "Installed."

#!/usr/bin/env bash
# Runs every test: installs what is missing, builds natively (with ASan and UBSan) and both
# DLLs, then runs ctest, which includes the static checks of the DLLs (tests/abi).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build_root=${DW_BUILD_ROOT:-build}
bash scripts/build.sh "$build_root/test" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDW_SANITIZE=ON

echo "== running tests"
ctest --test-dir "$build_root/test" --output-on-failure -j "${DW_JOBS:-2}"

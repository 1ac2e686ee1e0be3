#!/usr/bin/env bash
# Runs every test: installs what is missing, builds natively and both DLLs, runs the tests
# again under ASan and UBSan (scripts/test-sanitizers.sh) and every fuzzer for 20 s
# (scripts/fuzz.sh), then ctest, which includes the static checks of the DLLs (tests/abi).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build_root=${DW_BUILD_ROOT:-build}
bash scripts/build.sh "$build_root/test" -DCMAKE_BUILD_TYPE=RelWithDebInfo

status=0
bash scripts/test-sanitizers.sh || status=1
DW_FUZZ_SEED=1 bash scripts/fuzz.sh 20 || status=1

echo "== running tests"
ctest --test-dir "$build_root/test" --output-on-failure -j "${DW_JOBS:-2}" || status=1
exit "$status"

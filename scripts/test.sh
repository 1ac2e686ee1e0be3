#!/usr/bin/env bash
# Runs every test: installs what is missing, builds natively and both DLLs, runs the tests
# again under ASan and UBSan (scripts/test-sanitizers.sh) and every fuzzer on a fixed number
# of inputs (scripts/fuzz.sh smoke), then ctest, which includes the static checks of the DLLs
# (tests/abi), the x86_64 end-to-end tests under Wine and the i686 ones in the emulated 32-bit
# test machine (tests/e2e/run_e2e32.sh; its image is built meanwhile when none is cached).
# Every part runs even when an earlier one failed; the last lines name the parts that
# failed and repeat the end of their output.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build_root=${DW_BUILD_ROOT:-build}
logs=$build_root/test-logs
mkdir -p "$logs"
failed=()

# The 32-bit test machine's image (scripts/vm32.sh), when no valid one is cached, is built
# meanwhile: mostly downloading and unpacking packages. ctest's e2e_wine32 runs in it.
bash scripts/vm32.sh image >"$logs/vm32-image.log" 2>&1 &
vm32_image=$!

bash scripts/build.sh "$build_root/test" -DCMAKE_BUILD_TYPE=RelWithDebInfo

# Runs one part, showing its output and keeping it in $logs/<name>.log.
part() {
  local name=$1
  shift
  local status=0
  "$@" 2>&1 | tee "$logs/$name.log" || status=$?
  ((status == 0)) || failed+=("$name")
}

part sanitizers bash scripts/test-sanitizers.sh
part fuzzers bash scripts/fuzz.sh smoke
echo "== the 32-bit test machine's image"
vm32_status=0
wait "$vm32_image" || vm32_status=$?
cat "$logs/vm32-image.log"
((vm32_status == 0)) || failed+=(vm32-image)
echo "== running tests"
part ctest ctest --test-dir "$build_root/test" --output-on-failure -j "${DW_JOBS:-2}"

echo "== summary"
if ((${#failed[@]} == 0)); then
  echo "All parts passed: sanitizers, fuzzers, the 32-bit machine's image, ctest."
  exit 0
fi
for name in "${failed[@]}"; do
  echo "!! $name failed; its findings and the end of its output ($logs/$name.log):"
  grep -E '^!!|FAILED|ERROR|runtime error|fuzz check failed|SUMMARY|Test unit written' \
    "$logs/$name.log" | head -30 || true
  tail -n 15 "$logs/$name.log"
done
echo "Failed parts: ${failed[*]}"
exit 1

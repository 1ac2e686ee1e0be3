#!/usr/bin/env bash
# The GoogleTest cases under AddressSanitizer and UndefinedBehaviorSanitizer, in a build
# folder of their own (<build>/asan, CMake option DW_SANITIZE). Any sanitizer report fails
# the run (leaks included). The cases run in two shards side by side; the script prints how
# long the build and the run took and the slowest cases.
#
#   scripts/test-sanitizers.sh [gtest filter]
set -euo pipefail
cd "$(dirname "$0")/.."

filter=${1:-*}
build_root=${DW_BUILD_ROOT:-build}
dir=${DW_SANITIZE_BUILD:-$build_root/asan}
jobs=${DW_JOBS:-2}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)

start=$SECONDS
echo "== building the tests with ASan and UBSan in $dir"
cmake -S . -B "$dir" "${generator[@]}" -Wno-dev -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDW_SANITIZE=ON >/dev/null
cmake --build "$dir" -j "$jobs" --target duskwizard_tests
built=$SECONDS

export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
logs=$dir/sanitizer-run
rm -rf "$logs"
mkdir -p "$logs"
echo "== running the tests under the sanitizers ($jobs shards)"
pids=()
for ((shard = 0; shard < jobs; ++shard)); do
  GTEST_TOTAL_SHARDS=$jobs GTEST_SHARD_INDEX=$shard \
    "$dir/duskwizard_tests" --gtest_filter="$filter" --gtest_print_time=1 \
    --gtest_output="xml:$logs/shard$shard.xml" >"$logs/shard$shard.log" 2>&1 &
  pids+=($!)
done
failed=0
for ((shard = 0; shard < jobs; ++shard)); do
  if ! wait "${pids[$shard]}"; then
    failed=1
    echo "!! shard $shard failed; its log ($logs/shard$shard.log) ends:"
    grep -E '^\[  FAILED  \]|ERROR: |runtime error|SUMMARY' "$logs/shard$shard.log" | head -40 || true
    tail -30 "$logs/shard$shard.log"
  fi
done
ran=$SECONDS

python3 - "$logs" <<'PY'
import glob, sys
import xml.etree.ElementTree as ET
cases, failures = [], 0
for path in glob.glob(sys.argv[1] + "/shard*.xml"):
    for case in ET.parse(path).getroot().iter("testcase"):
        if case.get("result", "completed") != "completed" or case.get("status") == "notrun":
            continue
        failed = case.find("failure") is not None
        failures += failed
        cases.append((float(case.get("time", 0)), case.get("classname") + "." + case.get("name")))
cases.sort(reverse=True)
print("   slowest cases under the sanitizers:")
for seconds, name in cases[:10]:
    print(f"   {seconds:8.3f} s  {name}")
print(f"   {sum(t for t, _ in cases):.1f} s in {len(cases)} cases")
print(f"sanitizers: {len(cases) - failures} passed, {failures} failed")
PY
echo "   sanitizer build $((built - start)) s, run $((ran - built)) s"
exit "$failed"

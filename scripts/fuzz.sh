#!/usr/bin/env bash
# Builds the fuzzers (fuzz/: clang's libFuzzer with ASan and UBSan) and runs each one for a
# bounded time, one after the other.
#
#   scripts/fuzz.sh SECONDS [fuzzer ...]     (default: every fuzzer)
#
# Each fuzzer first replays its checked-in corpus fuzz/corpus/<fuzzer>/ (the seeds and every
# input kept as a regression case), then adds what it finds to <build>/fuzz/corpus/<fuzzer>/.
# A crash, a sanitizer report or a failed check leaves the input in <build>/fuzz/artifacts/
# and makes the script fail; reproduce with `<build>/fuzz/fuzz/<fuzzer> <input file>`.
# DW_FUZZ_SEED fixes libFuzzer's random seed (the test command uses 1).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: scripts/fuzz.sh SECONDS [fuzzer ...]}
shift
fuzzers=("$@")
((${#fuzzers[@]} > 0)) || fuzzers=(fuzz_arguments fuzz_components fuzz_picture fuzz_numbers)

build_root=${DW_BUILD_ROOT:-build}
dir=${DW_FUZZ_BUILD:-$build_root/fuzz}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)

echo "== building the fuzzers in $dir"
CXX=${DW_FUZZ_CXX:-clang++} cmake -S . -B "$dir" "${generator[@]}" -Wno-dev \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDW_FUZZ=ON >/dev/null
cmake --build "$dir" -j "${DW_JOBS:-2}" --target "${fuzzers[@]}"

# Each input of the component fuzzer builds a whole form first: long inputs (many calls per
# form) from the start find more in the same time.
options() {
  case $1 in
    fuzz_picture) echo -max_len=65536 ;;
    fuzz_components) echo -max_len=4096 -len_control=0 ;;
    *) echo -max_len=4096 ;;
  esac
}

failed=()
mkdir -p "$dir/artifacts"
for fuzzer in "${fuzzers[@]}"; do
  mkdir -p "$dir/corpus/$fuzzer" "fuzz/corpus/$fuzzer"
  log=$dir/$fuzzer.log
  seed=()
  [[ -n ${DW_FUZZ_SEED:-} ]] && seed=(-seed="$DW_FUZZ_SEED")
  echo "== $fuzzer for ${seconds}s (log: $log)"
  status=0
  # shellcheck disable=SC2046
  "$dir/fuzz/$fuzzer" "${seed[@]}" -max_total_time="$seconds" $(options "$fuzzer") \
    -timeout=60 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$dir/artifacts/$fuzzer-" \
    "$dir/corpus/$fuzzer" "fuzz/corpus/$fuzzer" >"$log" 2>&1 || status=$?
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$log" |
    sed 's/^/   /' || true
  echo "   corpus: $(ls "$dir/corpus/$fuzzer" | wc -l) found + $(ls "fuzz/corpus/$fuzzer" | wc -l) kept"
  if ((status != 0)); then
    echo "!! $fuzzer failed (exit $status):"
    grep -E 'ERROR|fuzz check failed|runtime error|Test unit written' "$log" | head -20 || true
    failed+=("$fuzzer")
  fi
done

if ((${#failed[@]} > 0)); then
  echo "Fuzzers that failed: ${failed[*]}"
  exit 1
fi
echo "Every fuzzer ran ${seconds}s without a finding."

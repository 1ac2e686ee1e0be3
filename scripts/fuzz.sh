#!/usr/bin/env bash
# Builds the fuzzers (fuzz/: clang's libFuzzer with ASan and UBSan) and runs each one for a
# bounded time, one after the other.
#
#   scripts/fuzz.sh SECONDS [fuzzer ...]     (default: every fuzzer)
#   scripts/fuzz.sh smoke [fuzzer ...]       a fixed number of inputs per fuzzer, seed 1
#
# The smoke run (the test command's) does the same amount of work on a fast machine as on a
# slow one: seed 1, the kept corpus and a fixed number of inputs (20 to 40 s each here). The
# timed runs explore, with a random seed unless DW_FUZZ_SEED is set.
# Each fuzzer first replays its checked-in corpus fuzz/corpus/<fuzzer>/ (the seeds and every
# input kept as a regression case), then adds what it finds to <build>/fuzz/corpus/<fuzzer>/.
# A crash, a sanitizer report or a failed check leaves the input in <build>/fuzz/artifacts/
# and makes the script fail; reproduce with `<build>/fuzz/fuzz/<fuzzer> <input file>`.
# DW_FUZZ_SEED fixes libFuzzer's random seed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: scripts/fuzz.sh SECONDS|smoke [fuzzer ...]}
shift
smoke=0
if [[ $seconds == smoke ]]; then
  smoke=1
  export DW_FUZZ_SEED=1
fi
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

# Inputs per fuzzer in the smoke run (each input of the component fuzzer builds a form).
smoke_runs() {
  case $1 in
    fuzz_arguments) echo 200000 ;;
    fuzz_components) echo 300 ;;
    fuzz_picture) echo 1500 ;;
    *) echo 400000 ;;
  esac
}

failed=()
mkdir -p "$dir/artifacts"
for fuzzer in "${fuzzers[@]}"; do
  # The smoke run starts from the kept corpus alone, so that earlier finds do not change it.
  found=$dir/corpus/$fuzzer
  if ((smoke)); then
    found=$dir/smoke-corpus/$fuzzer
    rm -rf "$found"
  fi
  mkdir -p "$found" "fuzz/corpus/$fuzzer"
  log=$dir/$fuzzer.log
  seed=()
  [[ -n ${DW_FUZZ_SEED:-} ]] && seed=(-seed="$DW_FUZZ_SEED")
  if ((smoke)); then
    bound=(-runs="$(smoke_runs "$fuzzer")")
    echo "== $fuzzer, $(smoke_runs "$fuzzer") inputs (log: $log)"
  else
    bound=(-max_total_time="$seconds")
    echo "== $fuzzer for ${seconds}s (log: $log)"
  fi
  status=0
  # shellcheck disable=SC2046
  "$dir/fuzz/$fuzzer" "${seed[@]}" "${bound[@]}" $(options "$fuzzer") \
    -timeout=60 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$dir/artifacts/$fuzzer-" \
    "$found" "fuzz/corpus/$fuzzer" >"$log" 2>&1 || status=$?
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$log" |
    sed 's/^/   /' || true
  echo "   corpus: $(ls "$found" | wc -l) found + $(ls "fuzz/corpus/$fuzzer" | wc -l) kept"
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
if ((smoke)); then
  echo "Every fuzzer ran its smoke inputs without a finding."
else
  echo "Every fuzzer ran ${seconds}s without a finding."
fi

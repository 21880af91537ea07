#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/ and runs each target in turn.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# SECONDS (or FUZZ_SECONDS, default 60) is the time of each target; the
# targets are capture_dispatch, format_row, capture_text, capture_file, exchange_file,
# irp_parse, irp_decode and analysis (all by default).
# Every input has 10 s and 2 GB. Any finding (crash, sanitizer report, broken
# check, hang, memory blow-up) makes the script fail; its input stays in
# build-fuzz/findings/TARGET/ for inspection. Replay one with
#   build-fuzz/bin/fuzz_TARGET build-fuzz/findings/TARGET/crash-...
# and keep it as a regression test by copying it, named after the fault, to
# tests/fuzz/findings/TARGET/. New interesting inputs collect in
# build-fuzz/fuzz-corpus/TARGET/ and are used again by the next run.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
if [[ $# -gt 0 && $1 =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi
targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  targets=(capture_dispatch format_row capture_text capture_file exchange_file irp_parse irp_decode
    analysis)
fi

scripts/install-deps.sh
build=build-fuzz
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B "$build" -G Ninja \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORVEL_GUI=OFF -DQUORVEL_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link $sanitizers" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" >/dev/null
cmake --build "$build" --target "${targets[@]/#/fuzz_}"

symbolizer=$(command -v llvm-symbolizer || command -v llvm-symbolizer-14 || true)
if [[ -n $symbolizer ]]; then export ASAN_SYMBOLIZER_PATH=$symbolizer; fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:check_initialization_order=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
for t in "${targets[@]}"; do
  corpus=$build/fuzz-corpus/$t
  findings=$build/findings/$t
  mkdir -p "$corpus" "$findings"
  seeds=(tests/fuzz/corpus/"$t")
  [[ -d tests/fuzz/findings/$t ]] && seeds+=(tests/fuzz/findings/"$t")
  # FUZZ_RUNS: a fixed number of inputs from a fixed seed, so that a run
  # (as CI makes it) does the same work every time.
  if [[ -n ${FUZZ_RUNS:-} ]]; then
    budget=(-runs="$FUZZ_RUNS" -seed=1)
  else
    budget=(-max_total_time="$seconds")
  fi
  options=("${budget[@]}" -timeout=10 -rss_limit_mb=2048 -max_len=16384
           -print_final_stats=1 -artifact_prefix="$findings/")
  [[ -f tests/fuzz/$t.dict ]] && options+=(-dict="tests/fuzz/$t.dict")
  echo "== fuzz_$t: ${budget[*]}"
  start=$SECONDS
  if "$build/bin/fuzz_$t" "${options[@]}" "$corpus" "${seeds[@]}" >"$build/fuzz-$t.log" 2>&1; then
    echo "   no finding in $((SECONDS - start))s: $(grep -E '^stat::number_of_executed_units' "$build/fuzz-$t.log" | awk '{print $2}') inputs"
  else
    echo "   FINDING (log: $build/fuzz-$t.log):"
    grep -E 'ERROR|runtime error|quorvel fuzz|Test unit written|SUMMARY' "$build/fuzz-$t.log" | head -20 | sed 's/^/   /'
    failed+=("$t")
  fi
done

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "fuzzing found faults in: ${failed[*]}"
  exit 1
fi
echo "fuzzing: no finding in ${targets[*]}"

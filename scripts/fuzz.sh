#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each one on its seed corpus.
#
#   bash scripts/fuzz.sh                 every target for 10 million runs
#   bash scripts/fuzz.sh --smoke         every target for 200,000 runs or 20 s
#   bash scripts/fuzz.sh --runs N        every target for N runs
#   bash scripts/fuzz.sh --seconds S     every target for S seconds
#   bash scripts/fuzz.sh ... fuzz_monitor_input ...   only the targets named
#
# The build goes to build-fuzz (or $FUZZ_BUILD). Inputs the fuzzer finds go
# to <build>/corpus/<target>, never into the committed seeds under
# fuzz/corpus; a crash leaves its input in <build>/artifacts/<target> and
# makes the script fail. Each run's log is <build>/logs/<target>.log.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=10000000
seconds=0
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --smoke) runs=200000; seconds=20 ;;
    --runs) runs="$2"; seconds=0; shift ;;
    --seconds) seconds="$2"; runs=0; shift ;;
    fuzz_*) targets+=("$1") ;;
    *) echo "usage: $0 [--smoke | --runs N | --seconds S] [target...]" >&2; exit 2 ;;
  esac
  shift
done
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_labelled_lines fuzz_reply_receiver fuzz_monitor_input fuzz_device_server)

bash scripts/install-deps.sh

cxx=$(command -v clang++ || command -v clang++-14 || true)
cc=$(command -v clang || command -v clang-14 || true)
if [ -z "$cxx" ] || [ -z "$cc" ]; then
  echo "clang is missing; scripts/install-deps.sh should have installed it" >&2
  exit 1
fi

build=${FUZZ_BUILD:-build-fuzz}
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}
# Debug, so that the range checks in Qt's headers stay on, but optimised.
CC="$cc" CXX="$cxx" cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O2" \
  -DPAGERBENCH_TESTS=OFF -DPAGERBENCH_SANITIZE=ON -DPAGERBENCH_FUZZ=ON >/dev/null
cmake --build "$build" -j "$jobs" --target "${targets[@]}"

# A shorter quarantine and no allocation stacks: recording a stack for every
# allocation took a quarter of the time. An error still shows within its one
# input, and rerunning the target on that input alone gives the full stacks.
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:quarantine_size_mb=64:malloc_context_size=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen

limits=(-runs="$runs")
[ "$seconds" -gt 0 ] && limits+=(-max_total_time="$seconds")
[ "$runs" -eq 0 ] && limits=(-max_total_time="$seconds")

failed=()
summary=$(printf '%-22s %12s %8s %9s %6s %6s' target runs seconds exec/s cov ft)
for target in "${targets[@]}"; do
  seeds="fuzz/corpus/${target#fuzz_}"
  found="$build/corpus/$target"
  artifacts="$build/artifacts/$target/"
  log="$build/logs/$target.log"
  mkdir -p "$found" "$artifacts" "$(dirname "$log")"
  # 512 bytes hold a few dozen lines or exchanges; longer inputs only run
  # slower (in the engine, each byte may stand for many ticks).
  options=("${limits[@]}" -max_len=512 -print_final_stats=1 -artifact_prefix="$artifacts")
  echo "== $target (${options[*]})"
  start=$(date +%s)
  if ! "$build/fuzz/$target" "${options[@]}" "$found" "$seeds" > "$log" 2>&1; then
    failed+=("$target")
    tail -n 40 "$log" >&2
  fi
  elapsed=$(( $(date +%s) - start ))
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true)
  executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$done_line")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$done_line")
  line=$(printf '%-22s %12s %8s %9s %6s %6s' "$target" "${executed:-?}" "$elapsed" "${speed:-?}" "${cov:-?}" "${ft:-?}")
  echo "$line" | tee "$build/logs/$target.summary"
  summary+=$'\n'"$line"
done

echo
echo "$summary"
if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed: ${failed[*]} (inputs in $build/artifacts)" >&2
  exit 1
fi

#!/usr/bin/env bash
# Runs every fuzz harness for a bounded time and reports how many inputs each one ran.
#   fuzz/run.sh [seconds per harness, default 30] [build directory, default build-fuzz]
# The build directory is configured with -DKALDEROS_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++. Inputs found to be
# new go to <build>/fuzz-corpus/<harness>, so the seeds kept in fuzz/corpus/ stay as they are, and a failing
# input is saved in <build>/fuzz-findings/ (run the harness on that file alone to see the broken property).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build=${2:-build-fuzz}
# Absolute paths: the command-line harness runs in a directory of its own.
build=$(cd "$build" && pwd)
source_dir=$(pwd)
harnesses=(parse_ssn group_file classify_card result_line line_reader command_line whole_command_line record_printers csv_rows)

mkdir -p "$build/fuzz-findings"
for harness in "${harnesses[@]}"; do
  work="$build/fuzz-corpus/$harness"
  log="$build/fuzz-findings/$harness.log"
  mkdir -p "$work"
  seeds=("$source_dir/fuzz/corpus/$harness")
  # The published highest-group lists are real group files.
  [ "$harness" = group_file ] && seeds+=("$source_dir/data/ssa-high-group")
  mask=1
  if ! "$build/fuzz/fuzz_$harness" -max_total_time="$seconds" -timeout=10 -max_len=8192 -close_fd_mask="$mask" \
      -print_final_stats=1 -artifact_prefix="$build/fuzz-findings/$harness-" "$work" "${seeds[@]}" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz_$harness: FINDING (input saved under $build/fuzz-findings/)"
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz_$harness: ${runs:-?} runs in ${seconds} s, no finding"
done

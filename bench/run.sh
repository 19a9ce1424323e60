#!/usr/bin/env bash
# The whole benchmark in one command: builds this tree's program, its reference program and the tools in
# bench/build, and the program of an earlier release (and of the commit the described loop is held to) from git
# into bench/build-base; writes the list files into bench/data once; then measures both programs in the same
# sitting and prints the report (times beside the floor of each format, instructions a line, --jobs=2 against
# --jobs=1, the library, a CSV file's column, the Python module against python-stdnum), whose targets say PASS
# or FAIL for this tree and for the earlier release.
#
#   bench/run.sh                      everything: 1 and 10 million lines, SSN and card lists
#   BENCH_SIZES=1m bench/run.sh       only the 1-million-line lists
#   BENCH_RUNS=9 bench/run.sh         runs per median (default 7)
#   BENCH_BASE=v1.0 bench/run.sh      the release to compare with (a git ref; default bcda8c8); none: no comparison
#   BENCH_LOOP_REF=none bench/run.sh  the commit whose described SSN loop is the mark (default 5177d45)
#   BENCH_ALTERNATIVE=0 bench/run.sh  skip the python-stdnum loop (minutes on 10 million lines)
set -euo pipefail
cd "$(dirname "$0")"

build() {  # build DIR TARGETS CMAKE_ARGS...
  local dir=$1 targets=$2
  shift 2
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir" -j2 --target $targets >/dev/null
}
# The Python module too where Debian's python3 and pybind11 are there to build it (report.py notes its absence).
python_module=OFF
[ -x /usr/bin/python3-config ] && [ -f /usr/include/pybind11/pybind11.h ] && python_module=ON
build build all -DKALDEROS_BUILD_PYTHON=$python_module

# An earlier commit's program, its library's loop where it has the library, built from `git archive` of the
# commit into build-base/COMMIT (kept for the next run) by this benchmark's own CMake file, so that both are
# built alike. Prints the directory of the build, or nothing when the ref is none or not in the repository.
build_ref() {  # build_ref REF
  local ref=$1 commit dir
  [ "$ref" != none ] || return 0
  if ! commit=$(git rev-parse --verify --quiet "$ref^{commit}"); then
    echo "bench/run.sh: no commit $ref in this repository: its rows are skipped" >&2
    return 0
  fi
  dir=build-base/$commit
  if [ ! -x "$dir/build/kalderos/kalderos" ]; then
    rm -rf "$dir"
    mkdir -p "$dir/source"
    git -C "$(git rev-parse --show-toplevel)" archive "$commit" | tar -x -C "$dir/source"
    { cmake -S . -B "$dir/build" -DCMAKE_BUILD_TYPE=Release -DKALDEROS_BENCH_SOURCE="$PWD/$dir/source" >/dev/null &&
      cmake --build "$dir/build" -j2 --target kalderos >/dev/null; } ||
      { echo "bench/run.sh: the program of $ref did not build (in bench/$dir)" >&2; exit 1; }
    # A commit from before the public library has no loop of its own: its rows say so.
    cmake --build "$dir/build" -j2 --target library_loop >/dev/null 2>&1 || true
  fi
  echo "$PWD/$dir/build"
}
base_ref=${BENCH_BASE:-bcda8c8}
loop_ref=${BENCH_LOOP_REF:-5177d45}
base_build=$(build_ref "$base_ref")
loop_build=$(build_ref "$loop_ref")

mkdir -p data
seed_ssn=20110624
seed_card=20070701
seed_payroll=$seed_ssn  # the SSN list's lines again, as the SSN column of a CSV file
# A list is written again whenever the generator has changed since it was written.
write_list() {  # write_list KIND LINES SEED FILE
  if [ ! "$4" -nt build/gen_lists ]; then
    build/gen_lists "$1" "$2" "$3" "$4.part"
    mv "$4.part" "$4"
  fi
}
for size in ${BENCH_SIZES:-1m 10m}; do
  case $size in
    1m) lines=1000000 ;;
    10m) lines=10000000 ;;
    *) echo "unknown size $size (1m or 10m)" >&2; exit 2 ;;
  esac
  write_list ssn $lines $seed_ssn data/ssn-$size.txt
  write_list card $lines $seed_card data/card-$size.txt
  write_list payroll $lines $seed_payroll data/payroll-$size.csv
done
# Every shape a list may hold, for the checksums against the plain path and their instruction counts; and the
# 1-million-line lists, whose first lines the instruction counts read whichever sizes are timed.
write_list ssn-mixed 1000000 $seed_ssn data/ssn-mixed-1m.txt
write_list card-mixed 1000000 $seed_card data/card-mixed-1m.txt
write_list ssn 1000000 $seed_ssn data/ssn-1m.txt
write_list card 1000000 $seed_card data/card-1m.txt

python=python3
[ -x /usr/bin/python3 ] && python=/usr/bin/python3
BENCH_BASE_BUILD=$base_build BENCH_BASE_REF=$base_ref BENCH_LOOP_BUILD=$loop_build BENCH_LOOP_REF=$loop_ref \
  exec "$python" report.py ${BENCH_SIZES:-1m 10m}

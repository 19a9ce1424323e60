#!/usr/bin/env bash
# The whole benchmark in one command: builds the program, its reference program and the tools in bench/build,
# writes the list files into bench/data once, then measures and prints the report (the text format, and the
# tsv and jsonl record formats against it, --jobs=2 against --jobs=1, a CSV file's column against the list, and
# the Python module against python-stdnum).
#
#   bench/run.sh                      everything: 1 and 10 million lines, SSN and card lists
#   BENCH_SIZES=1m bench/run.sh       only the 1-million-line lists
#   BENCH_RUNS=9 bench/run.sh         runs per median (default 7)
#   BENCH_ALTERNATIVE=0 bench/run.sh  skip the python-stdnum loop (minutes on 10 million lines)
set -euo pipefail
cd "$(dirname "$0")"

build() {  # build DIR TARGET CMAKE_ARGS...
  local dir=$1 target=$2
  shift 2
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir" -j2 --target "$target" >/dev/null
}
# The Python module too where Debian's python3 and pybind11 are there to build it (report.py notes its absence).
python_module=OFF
[ -x /usr/bin/python3-config ] && [ -f /usr/include/pybind11/pybind11.h ] && python_module=ON
build build all -DKALDEROS_BUILD_PYTHON=$python_module

mkdir -p data
seed_ssn=20110624
seed_card=20070701
seed_payroll=$seed_ssn  # the SSN list's lines again, as the SSN column of a CSV file
for size in ${BENCH_SIZES:-1m 10m}; do
  case $size in
    1m) lines=1000000 ;;
    10m) lines=10000000 ;;
    *) echo "unknown size $size (1m or 10m)" >&2; exit 2 ;;
  esac
  for kind in ssn card payroll; do
    file=data/$kind-$size.txt
    [ "$kind" != payroll ] || file=data/$kind-$size.csv
    seed_var=seed_$kind
    if [ ! -f "$file" ]; then
      build/gen_lists "$kind" "$lines" "${!seed_var}" "$file.part"
      mv "$file.part" "$file"
    fi
  done
done

python=python3
[ -x /usr/bin/python3 ] && python=/usr/bin/python3
exec "$python" report.py ${BENCH_SIZES:-1m 10m}

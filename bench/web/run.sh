#!/usr/bin/env bash
# The npm package against npm's credit-card-type (bench/README.md, "The npm package"): builds the package with
# emcmake in bench/web/build-web, installs credit-card-type from the npm registry into bench/web/node_modules (this
# folder's own package.json; the package depends on nothing), writes the million-line card list of bench/run.sh
# if it is not there, and times both over it; then checkCsv of bench's payroll file of a million rows against the
# program (--column=SSN --format=csv, one job) writing the same bytes; and the page's check of 100 000 of its rows in
# headless chromium.
#
#   bench/web/run.sh              3 rounds
#   BENCH_RUNS=5 bench/web/run.sh
set -euo pipefail
cd "$(dirname "$0")"

cmake -S .. -B ../build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build ../build -j2 --target gen_lists kalderos >/dev/null
mkdir -p ../data
if [ ! -f ../data/card-1m.txt ]; then
  ../build/gen_lists card 1000000 20070701 ../data/card-1m.txt.part
  mv ../data/card-1m.txt.part ../data/card-1m.txt
fi
if [ ! -f ../data/payroll-1m.csv ]; then
  ../build/gen_lists payroll 1000000 20110624 ../data/payroll-1m.csv.part
  mv ../data/payroll-1m.csv.part ../data/payroll-1m.csv
fi
emcmake cmake -S ../.. -B build-web -DKALDEROS_BUILD_WEB=ON >/dev/null
cmake --build build-web -j2 >/dev/null
[ -d node_modules/credit-card-type ] || npm install --no-audit --no-fund --no-package-lock --loglevel=error
node cards.mjs ../data/card-1m.txt build-web/web/dist "${BENCH_RUNS:-3}"
node csv.mjs ../data/payroll-1m.csv build-web/web/dist ../build/kalderos "${BENCH_RUNS:-3}"
# The page: the payroll file's first 100 000 rows, checked in headless chromium.
head -n 100001 ../data/payroll-1m.csv > ../data/payroll-100k.csv
/usr/bin/python3 page.py build-web/web/dist ../data/payroll-100k.csv "${BENCH_RUNS:-3}"

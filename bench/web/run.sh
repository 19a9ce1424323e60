#!/usr/bin/env bash
# The npm package against npm's credit-card-type (bench/README.md, "The npm package"): builds the package with
# emcmake in bench/web/build-web, installs credit-card-type from the npm registry into bench/web/node_modules (this
# folder's own package.json; the package depends on nothing), writes the million-line card list of bench/run.sh
# if it is not there, and times both over it.
#
#   bench/web/run.sh              3 rounds
#   BENCH_RUNS=5 bench/web/run.sh
set -euo pipefail
cd "$(dirname "$0")"

cmake -S .. -B ../build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build ../build -j2 --target gen_lists >/dev/null
mkdir -p ../data
if [ ! -f ../data/card-1m.txt ]; then
  ../build/gen_lists card 1000000 20070701 ../data/card-1m.txt.part
  mv ../data/card-1m.txt.part ../data/card-1m.txt
fi
emcmake cmake -S ../.. -B build-web -DKALDEROS_BUILD_WEB=ON >/dev/null
cmake --build build-web -j2 >/dev/null
[ -d node_modules/credit-card-type ] || npm install --no-audit --no-fund --no-package-lock --loglevel=error
exec node cards.mjs ../data/card-1m.txt build-web/web/dist "${BENCH_RUNS:-3}"

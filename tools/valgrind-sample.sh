#!/usr/bin/env bash
# Converts the bundled sample list with the sample data (data/sample) under
# valgrind, with the fast lookup and with the scan; fails on any memory error
# or leak. Expects a build in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh valgrind
valgrind=(valgrind -q --error-exitcode=99 --leak-check=full
  --show-leak-kinds=definite,indirect,possible --errors-for-leak-kinds=definite,indirect,possible)
for lookup in fast scan; do
  echo "== valgrind: sample list, $lookup lookup"
  DATA_DIR=data/sample LOOKUP=$lookup tools/sample-run.sh "${valgrind[@]}"
  cp build/sample-list.converted.csv "build/sample-list.$lookup.csv"
done
cmp build/sample-list.fast.csv build/sample-list.scan.csv
echo "valgrind: no memory error and no leak in either run; both wrote the same file"

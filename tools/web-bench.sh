#!/usr/bin/env bash
# The page's speed and memory (web/test/page-bench.mjs): the 100,000-record
# unsorted list in the page against zumaro-convert, side by side, and the
# browser's resident memory while the page converts 1,000,000 records. The
# lists are random records of the real data folder (zumaro-bench-gen).
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/web/zumaro.html ] || tools/web.sh
(cd web/test && npm ci --no-audit --no-fund --loglevel=error)
lists=build/web-bench
mkdir -p "$lists"
for records in 100000 1000000; do
  [ -f "$lists/unsorted-$records.csv" ] ||
    build/bin/zumaro-bench-gen list build/data/zumaro "$lists/unsorted-$records.csv" "$records" unsorted
done
node web/test/page-bench.mjs "$PWD/build/web" "$PWD/build/bin/zumaro-convert" "$PWD/build/data/zumaro" \
  "$PWD/$lists/unsorted-100000.csv" "$PWD/$lists/unsorted-1000000.csv"

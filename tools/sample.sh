#!/usr/bin/env bash
# Installs what is missing, builds, and converts the bundled sample list with
# the full Japan Post data built from data/japanpost; shows the list before
# and after. The converter's first line names the data folder it used.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh
out=build/sample-list.converted.csv
tools/sample-run.sh
echo
echo "== examples/sample-list.csv (first 10 records, code page 932 shown as UTF-8)"
head -n 10 examples/sample-list.csv | iconv -f CP932 -t UTF-8
echo
echo "== $out"
head -n 10 "$out" | iconv -f CP932 -t UTF-8
echo
echo "== records no entry was applied to: build/sample-list.unmatched.csv"
iconv -f CP932 -t UTF-8 build/sample-list.unmatched.csv

#!/usr/bin/env bash
# Converts the bundled sample list into build/, with the data folder the
# converter finds by default (the full Japan Post data built into the build
# tree) or, when DATA_DIR is set, with that one.
# Arguments, if any, are a command to run the converter under (valgrind ...);
# LOOKUP=scan uses the sequential scan instead of the fast lookup.
set -euo pipefail
cd "$(dirname "$0")/.."
"$@" build/bin/zumaro-convert --input examples/sample-list.csv --output build/sample-list.converted.csv \
  --fields 8 --postal 3 --pref 4 --city 5 --building 6 --company 7 \
  --etc1 2 --opt1 4 --etc2 8 --opt2 3 --unmatched build/sample-list.unmatched.csv --lookup "${LOOKUP:-fast}" \
  ${DATA_DIR:+--data-dir "$DATA_DIR"}

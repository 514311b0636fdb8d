#!/usr/bin/env bash
# Builds the core, its test suite and zumaro-convert to WebAssembly
# (tools/wasm-build.sh) and runs them under Node, on this machine's files:
# the suite, then the converter on the sample list beside the native one,
# every file it writes compared byte for byte. The browser's edition runs
# these same sources.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/wasm-build.sh zumaro_tests zumaro-convert
# Node 20 runs emscripten 3.1's output only without its own fetch.
node=(node --no-experimental-fetch)
"${node[@]}" build-wasm/bin/zumaro_tests.js

out=build-wasm/compare
rm -rf "$out" && mkdir -p "$out"
settings=(--input examples/sample-list.csv --data-dir build/data/zumaro --fields 8 --postal 3 --pref 4 --city 5
          --building 6 --company 7 --etc1 2 --opt1 4 --etc2 8 --opt2 3)
for encoding in cp932 utf-8; do
  for edition in native wasm; do
    program=(build/bin/zumaro-convert)
    [ "$edition" = wasm ] && program=("${node[@]}" build-wasm/bin/zumaro-convert.js)
    "${program[@]}" -q "${settings[@]}" --output-encoding "$encoding" --output "$out/$edition-$encoding.csv" \
      --unmatched "$out/$edition-$encoding-unmatched.csv" --report "$out/$edition-$encoding-report.csv" \
      2>"$out/$edition-$encoding-messages.txt"
  done
  for file in "" -unmatched -report -messages; do
    [ "$file" = -messages ] && ext=txt || ext=csv
    cmp "$out/native-$encoding$file.$ext" "$out/wasm-$encoding$file.$ext"
  done
done
echo "zumaro-convert in WebAssembly wrote what the native one wrote, byte for byte."

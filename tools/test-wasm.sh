#!/usr/bin/env bash
# Builds the core and its test suite to WebAssembly with Debian's emscripten
# and runs the suite under Node, on this machine's files: the browser's
# edition runs these same sources. ICU's tables come from the native build's
# snapshot of them (tools/icu-snapshot), the built data folder from the
# native build too.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh emscripten
# Debian's em++ finds its acorn only there; Node 20 runs emscripten 3.1's
# output only without its own fetch.
export NODE_PATH=/usr/share/nodejs
node=(node --no-experimental-fetch)
tools/build.sh >/dev/null
cmake --build build --target zumaro_icu_snapshot >/dev/null
emcmake cmake -S . -B build-wasm -DCMAKE_BUILD_TYPE=Release \
  -DZUMARO_ICU_SNAPSHOT="$PWD/build/generated/icu_snapshot.cpp" \
  -DZUMARO_BUILT_DATA_DIR="$PWD/build/data/zumaro" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$(IFS=';'; echo "${node[*]}")" >/dev/null
cmake --build build-wasm --target zumaro_tests -j2
"${node[@]}" build-wasm/bin/zumaro_tests.js

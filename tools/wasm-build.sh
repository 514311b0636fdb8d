#!/usr/bin/env bash
# Builds the named targets to WebAssembly in build-wasm with Debian's
# emscripten. ICU's tables come from the native build's snapshot of them
# (tools/icu-snapshot), the built data folder from the native build too.
#   tools/wasm-build.sh TARGET...
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh emscripten
# Debian's em++ finds its acorn only there.
export NODE_PATH=/usr/share/nodejs
tools/build.sh >/dev/null
cmake --build build --target zumaro_icu_snapshot >/dev/null
# Node 20 runs emscripten 3.1's output only without its own fetch.
emcmake cmake -S . -B build-wasm -DCMAKE_BUILD_TYPE=Release \
  -DZUMARO_ICU_SNAPSHOT="$PWD/build/generated/icu_snapshot.cpp" \
  -DZUMARO_BUILT_DATA_DIR="$PWD/build/data/zumaro" \
  "-DCMAKE_CROSSCOMPILING_EMULATOR=node;--no-experimental-fetch" >/dev/null
cmake --build build-wasm --target "$@" -j2

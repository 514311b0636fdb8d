#!/usr/bin/env bash
# Compiles every source of the core for 32-bit x86 (g++ -m32, warnings as
# errors): size_t is 32 bits there, as in the browser's WebAssembly, and a
# narrowing or a library call the target lacks fails here first. Compiled
# only: Debian offers no 32-bit ICU beside the 64-bit one to link with.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh g++-multilib
defines=(-DZUMARO_BUILD_DIR='"."' -DZUMARO_BUILT_DATA_DIR='"."' -DZUMARO_SOURCE_SAMPLE_DIR='"."'
         -DZUMARO_INSTALL_DATA_SUBDIR='"."' -DZUMARO_VERSION='"0"')
failed=0
for source in text/*.cpp state/*.cpp records/*.cpp address/*.cpp lookup/*.cpp run/*.cpp; do
  g++ -m32 -std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Werror -I. "${defines[@]}" "$source" || failed=1
done
[ "$failed" -eq 0 ] && echo "The core compiles for 32-bit x86."
exit "$failed"

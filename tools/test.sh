#!/usr/bin/env bash
# Installs what is missing, checks the format, builds, and runs every test:
# the suite in Release and the Debian package built and checked unpacked,
# the sample conversion under valgrind, the suite again with the portable
# paths in place of the SSE2 ones, the core compiled for 32-bit x86, the
# core's suite in WebAssembly under Node, the page in Chromium against
# zumaro-convert, the suite again with
# AddressSanitizer and UndefinedBehaviorSanitizer, and
# every fuzz target for a short time (ZUMARO_FUZZ_SECONDS each, 20 unless
# set). --quick: the format, the Release suite and the package only.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/format-check.sh
tools/build.sh
(cd build && ctest --output-on-failure -j2)
tools/package.sh
tools/check-package.sh
[ "${1:-}" = "--quick" ] && exit 0
tools/valgrind-sample.sh
tools/portable-tests.sh
tools/compile-32bit.sh
tools/test-wasm.sh
tools/test-web.sh
tools/sanitizer-tests.sh
tools/fuzz.sh "${ZUMARO_FUZZ_SECONDS:-20}"

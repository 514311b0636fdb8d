#!/usr/bin/env bash
# Builds the whole suite with the portable path of every fast path in place
# of the SSE2 one (ZUMARO_PORTABLE) into build-portable/ and runs every test
# there: the differential tests then check the portable paths as well.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset portable >/dev/null
cmake --build --preset portable
ctest --preset portable -j2

#!/usr/bin/env bash
# Fails naming every C++ file that clang-format (.clang-format) would change.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh clang-format
git ls-files -z '*.h' '*.cpp' | xargs -0 clang-format --dry-run --Werror
echo "Every C++ file is as clang-format writes it."

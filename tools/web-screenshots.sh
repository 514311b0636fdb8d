#!/usr/bin/env bash
# Takes the screenshots of the page in docs/ (docs/browser.md) with
# Debian's Chromium, from the page tools/web.sh builds.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/web/zumaro.html ] || tools/web.sh
(cd web/test && npm ci --no-audit --no-fund --loglevel=error)
node web/test/page-screenshots.mjs "$PWD/build/web" "$PWD/examples/sample-list.csv" "$PWD/docs"

#!/usr/bin/env bash
# Builds the browser's edition into build/web: the folder to serve (any
# static web server; python3 -m http.server -d build/web to try it) and
# zumaro.html, the whole page in one file that opens from disk.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/wasm-build.sh zumaro-web
rm -rf build/web
python3 tools/web_bundle.py web/page build-wasm/bin/zumaro-web.js build-wasm/bin/zumaro-web.wasm \
  build/data/zumaro build/web
echo "build/web: the page's folder and zumaro.html ($(du -k build/web/zumaro.html | cut -f1) KiB)"

#!/usr/bin/env bash
# Drives the desktop program by the keyboard alone on a virtual screen with a
# window manager (tools/keyboard_drive.py: key events through xdotool, AT-SPI
# only to read the screen): the sample list's settings typed with Tab, 実行
# and 確認… by Enter, both files saved from the review window, Esc and 終了.
# Pictures of the screen go to build/keyboard-drive/ (or the folder given).
#   tools/keyboard-drive.sh [PICTURES-FOLDER]
# The full data built into build/ when there is one, else the sample data
# (ZUMARO_DATA_DIR names another).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh xvfb xauth xdotool openbox imagemagick python3-pyatspi gir1.2-atspi-2.0 at-spi2-core dbus
[ -x build/bin/zumaro ] && [ -x build/bin/zumaro-convert ] || tools/build.sh
pictures=$(realpath -m "${1:-build/keyboard-drive}")
data=${ZUMARO_DATA_DIR:-}
if [ -z "$data" ]; then
  data="$PWD/data/sample"
  [ -f build/data/zumaro/zumaro-data.txt ] && data="$PWD/build/data/zumaro"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$pictures"

# -noreset: the AT-SPI bus launcher's short visit would otherwise reset the
# server just as the program connects.
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" dbus-run-session -- bash -c '
  set -euo pipefail
  openbox & wm=$!
  trap "kill $wm" EXIT
  sleep 1
  /usr/bin/python3 tools/keyboard_drive.py --data-dir "$1" --work "$2" --pictures "$3"
' keyboard-drive "$data" "$work" "$pictures"

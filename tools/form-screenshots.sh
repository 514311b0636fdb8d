#!/usr/bin/env bash
# Starts the built zumaro on a virtual screen, opens the settings form as a
# user would, and writes pictures of both windows to docs/; then converts the
# sample list against the full data through tools/atspi-drive.py and writes
# pictures of the preview, the completion box and the review window.
set -euo pipefail
cd "$(dirname "$0")/.."
needed=(xvfb xauth xdotool imagemagick fonts-ipafont-gothic python3-pyatspi gir1.2-atspi-2.0 at-spi2-core dbus)
missing=()
for p in "${needed[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
[ -x build/bin/zumaro ] || tools/build.sh
# The full data, and settings of this script's own: no folder chosen earlier
# on the form is shown.
export ZUMARO_DATA_DIR="$PWD/build/data/zumaro"
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
pictures=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME" "$pictures"' EXIT

xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  set -euo pipefail
  build/bin/zumaro & pid=$!
  trap "kill $pid" EXIT
  start=$(xdotool search --sync --name "^Zumaro Ver 1.1$" | head -1)
  sleep 1
  import -window "$start" docs/start-form.png
  # The middle of okButton (6840 + 1335 / 2, 5160 + 735 / 2 twips) at 96 dpi.
  xdotool mousemove --window "$start" 500 368 click 1
  settings=$(xdotool search --sync --name "^Zumaro Ver1.1$" | head -1)
  sleep 1
  import -window "$settings" docs/settings-form.png
'
/usr/bin/python3 tools/atspi-drive.py --preview --review --pictures "$pictures" --window-pictures
cp "$pictures/preview.png" docs/preview-window.png
cp "$pictures/completion.png" docs/completion-box.png
cp "$pictures/review.png" docs/review-window.png
echo "docs/start-form.png, docs/settings-form.png, docs/preview-window.png, docs/completion-box.png, docs/review-window.png"

#!/usr/bin/env bash
# Installs the Debian packages the build needs, and any package named as an
# argument, if missing.
set -euo pipefail
packages=(g++ cmake make pkg-config python3 libicu-dev libcli11-dev libzip-dev libssl-dev libcurl4-openssl-dev openssl libgtest-dev libgmock-dev qt6-base-dev qt6-translations-l10n fonts-ipafont-gothic dpkg-dev file icu-devtools "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

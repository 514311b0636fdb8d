#!/usr/bin/env bash
# Builds the Debian package build/zumaro_<version>_amd64.deb: the three
# programs, the full data folder in /usr/share/zumaro, the desktop entry and
# the icon. Library dependencies are found by dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh
(cd build && cpack -G DEB >/dev/null)
ls build/zumaro_*_amd64.deb

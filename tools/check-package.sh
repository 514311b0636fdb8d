#!/usr/bin/env bash
# Unpacks build/zumaro_<version>_amd64.deb (tools/package.sh) into a
# temporary folder and checks it: its files and dependencies, and the sample
# list converted by the unpacked converter with the unpacked data, which must
# write what the build tree's converter writes with the folder built there.
set -euo pipefail
cd "$(dirname "$0")/.."
shopt -s nullglob
debs=(build/zumaro_*_amd64.deb)
[ ${#debs[@]} -eq 1 ] || { echo "check-package: expected one build/zumaro_*_amd64.deb, found ${#debs[@]}" >&2; exit 1; }
deb=${debs[0]}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

dpkg-deb -x "$deb" "$work/root"
root=$work/root
for f in usr/bin/zumaro usr/bin/zumaro-convert usr/bin/zumaro-mkdat usr/share/applications/zumaro.desktop \
  usr/share/icons/hicolor/32x32/apps/zumaro.png usr/share/icons/hicolor/16x16/apps/zumaro.png \
  usr/share/zumaro/01.dat usr/share/zumaro/23.dat usr/share/zumaro/zumaro-data.txt usr/share/doc/zumaro/copyright; do
  [ -e "$root/$f" ] || fail "not in the package: /$f"
done
grep -qx 'Exec=/usr/bin/zumaro' "$root/usr/share/applications/zumaro.desktop" || fail "the desktop entry does not start /usr/bin/zumaro"
depends=$(dpkg-deb -f "$deb" Depends)
for d in qt6-translations-l10n fonts-ipafont-gothic libicu libzip libqt6widgets6; do
  [[ $depends == *"$d"* ]] || fail "Depends lacks $d: $depends"
done
for p in zumaro zumaro-convert zumaro-mkdat; do
  if ldd "$root/usr/bin/$p" | grep -q 'not found'; then fail "/usr/bin/$p lacks a library"; fi
done

# The sample list with its settings from the README, by the unpacked programs
# and data alone: no folder of the user's, no ZUMARO_DATA_DIR.
settings=(--fields 8 --postal 3 --pref 4 --city 5 --building 6 --company 7 --etc1 2 --opt1 4 --etc2 8 --opt2 3)
env -u ZUMARO_DATA_DIR XDG_DATA_HOME="$work/no-user-data" "$root/usr/bin/zumaro-convert" \
  --input examples/sample-list.csv --output "$work/packaged.csv" "${settings[@]}" 2>"$work/stderr" ||
  fail "the unpacked converter failed: $(cat "$work/stderr")"
first=$(head -n 1 "$work/stderr")
[[ $first == "郵便番号データ: $root/usr/share/zumaro（"*"件"*"）" ]] || fail "the unpacked converter used other data: $first"
build/bin/zumaro-convert -q --input examples/sample-list.csv --output "$work/built.csv" "${settings[@]}" \
  --data-dir build/data/zumaro
cmp "$work/packaged.csv" "$work/built.csv" || fail "the unpacked converter wrote another list"
"$root/usr/bin/zumaro-mkdat" --version >/dev/null || fail "the unpacked zumaro-mkdat does not run"
echo "check-package: $deb holds the three programs, the data, the desktop entry and the icon"
echo "  $first"
echo "  $(tail -n 1 "$work/stderr")"

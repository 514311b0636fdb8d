#!/usr/bin/env bash
# Builds the page (tools/web.sh) and drives it in Debian's Chromium
# (web/test/page-test.mjs): the sample list, the forms real lists use, and
# random records of the real data folder, each converted in the page and
# compared byte for byte with zumaro-convert, in zumaro.html opened from
# disk offline and in the folder served on 127.0.0.1.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh chromium
tools/web.sh
(cd web/test && npm ci --no-audit --no-fund --loglevel=error)

lists=build/web-test/lists
rm -rf build/web-test && mkdir -p "$lists"
cp examples/sample-list.csv "$lists/"
python3 tools/roundtrip_forms.py --ken-all data/japanpost/ken_all.zip --data-dir build/data/zumaro \
  --convert build/bin/zumaro-convert --count 60 --work build/web-test/forms >/dev/null
for form in build/web-test/forms/*.csv; do
  case "$form" in
    *.out.csv | */shared.csv | */two-fields.csv) ;;
    *) cat "$form" >>"$lists/forms.csv" ;;
  esac
done
cp build/web-test/forms/shared.csv build/web-test/forms/two-fields.csv "$lists/"
for records in 10000 300000; do
  build/bin/zumaro-bench-gen list build/data/zumaro "$lists/random-$records.csv" "$records" unsorted
done
node web/test/page-test.mjs "$PWD/build/web" "$PWD/$lists" "$PWD/build/bin/zumaro-convert" "$PWD/build/data/zumaro"

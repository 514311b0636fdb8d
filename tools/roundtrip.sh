#!/usr/bin/env bash
# Builds the data folder from Japan Post's files with zumaro-mkdat and runs
# the round trip of real addresses through zumaro-convert (tools/roundtrip.py).
#   tools/roundtrip.sh [--forms | --report-check | --fix-check] [JAPANPOST_DIR] [COUNT] [SEED] [-- TOOL OPTIONS]
# JAPANPOST_DIR holds ken_all.zip and jigyosyo.zip (default the bundled data/japanpost).
# --forms writes the addresses in every form real lists use (tools/roundtrip_forms.py);
# --report-check gives them wrong postal codes and checks the report's
# suggestions (tools/report_check.py); --fix-check gives them wrong, empty and
# pre-1998 codes and slips of the town reading, and measures --fix-postal-code
# (tools/fix_check.py). Options after -- go to that tool, e.g.
#   tools/roundtrip.sh --forms -- --extra-args '--match classic'
#   tools/roundtrip.sh --fix-check -- --no-fix
set -euo pipefail
cd "$(dirname "$0")/.."
tool=tools/roundtrip.py default_count=5000
case "${1:-}" in
  --forms) tool=tools/roundtrip_forms.py default_count=3000; shift ;;
  --report-check) tool=tools/report_check.py default_count=2000; shift ;;
  --fix-check) tool=tools/fix_check.py default_count=2000; shift ;;
esac
positional=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do positional+=("$1"); shift; done
[ "${1:-}" = "--" ] && shift
source_dir=${positional[0]:-${ZUMARO_JAPANPOST_DIR:-data/japanpost}}
count=${positional[1]:-$default_count}
seed=${positional[2]:-1}
[ -x build/bin/zumaro-mkdat ] && [ -x build/bin/zumaro-convert ] || tools/build.sh
work=$(mktemp -d -t zumaro-roundtrip-XXXXXX)
build/bin/zumaro-mkdat --ken-all "$source_dir/ken_all.zip" --jigyosyo "$source_dir/jigyosyo.zip" --output "$work/data"
python3 "$tool" --ken-all "$source_dir/ken_all.zip" --data-dir "$work/data" \
  --convert build/bin/zumaro-convert --count "$count" --seed "$seed" --work "$work" "$@"

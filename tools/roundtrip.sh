#!/usr/bin/env bash
# Builds the data folder from Japan Post's files with zumaro-mkdat and runs
# the round trip of real addresses through zumaro-convert (tools/roundtrip.py).
#   tools/roundtrip.sh [JAPANPOST_DIR] [COUNT] [SEED]
# JAPANPOST_DIR holds ken_all.zip and jigyosyo.zip (default the bundled data/japanpost).
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=${1:-${ZUMARO_JAPANPOST_DIR:-data/japanpost}}
count=${2:-5000}
seed=${3:-1}
[ -x build/bin/zumaro-mkdat ] && [ -x build/bin/zumaro-convert ] || tools/build.sh
work=$(mktemp -d -t zumaro-roundtrip-XXXXXX)
build/bin/zumaro-mkdat --ken-all "$source_dir/ken_all.zip" --jigyosyo "$source_dir/jigyosyo.zip" --output "$work/data"
python3 tools/roundtrip.py --ken-all "$source_dir/ken_all.zip" --data-dir "$work/data" \
  --convert build/bin/zumaro-convert --count "$count" --seed "$seed" --work "$work"

#!/usr/bin/env bash
# Installs what is missing, builds Release, makes the benchmark data once
# (build/bench-data/, kept for later runs while the generator is unchanged),
# runs every case and prints the table. The 1,000,000-record lists (10 % of
# their records carry a code no entry has) are converted with --report too,
# beside the same run without it.
#
# The generated folder is always measured. The folder built from Japan Post's
# files is measured too when build/bin/zumaro-mkdat exists and the files are
# found ($ZUMARO_JAPANPOST_DIR, default the bundled data/japanpost); its
# lists are made from its own entries by the same scheme.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh >/dev/null

bin=build/bin
work=build/bench-data
stamp=$(cat bench/data_generator.cpp bench/list_generator.cpp bench/names.cpp | sha1sum | cut -c1-12)
mkdir -p "$work"

# make_lists DATA-FOLDER LIST-FOLDER
make_lists() {
  mkdir -p "$2"
  for n in 10000 100000 1000000; do
    for order in sorted unsorted; do
      [ -f "$2/$n-$order.csv" ] || "$bin/zumaro-bench-gen" list "$1" "$2/$n-$order.csv" "$n" "$order"
    done
  done
}

if [ ! -f "$work/generated/.made-$stamp" ]; then
  echo "Generating the data folder and the lists into $work/ (once) ..." >&2
  rm -rf "$work/generated" "$work/lists-generated"
  "$bin/zumaro-bench-gen" data "$work/generated"
  make_lists "$work/generated" "$work/lists-generated"
  touch "$work/generated/.made-$stamp"
fi
folders=("generated=$work/generated:$work/lists-generated")

japanpost=${ZUMARO_JAPANPOST_DIR:-$(pwd)/data/japanpost}
if [ -x "$bin/zumaro-mkdat" ] && [ -f "$japanpost/ken_all.zip" ]; then
  if [ ! -f "$work/real/.made-$stamp" ]; then
    echo "Building the data folder from $japanpost (once) ..." >&2
    rm -rf "$work/real" "$work/lists-real"
    extra=()
    [ -f "$japanpost/jigyosyo.zip" ] && extra=(--jigyosyo "$japanpost/jigyosyo.zip")
    "$bin/zumaro-mkdat" --ken-all "$japanpost/ken_all.zip" "${extra[@]}" --output "$work/real"
    make_lists "$work/real" "$work/lists-real"
    touch "$work/real/.made-$stamp"
  fi
  folders+=("real=$work/real:$work/lists-real")
else
  echo "Real postal data: skipped (needs $bin/zumaro-mkdat and $japanpost/ken_all.zip)."
fi

echo "Load before the run: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) processors" >&2
"$bin/zumaro-bench" "$bin" "$work/out" "${folders[@]}"
echo "Load after the run: $(cut -d' ' -f1-3 /proc/loadavg)"

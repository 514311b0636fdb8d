#!/usr/bin/env bash
# tools/fuzz.sh SECONDS [TARGET...]
#
# Installs what is missing, builds the fuzz preset (clang, libFuzzer,
# AddressSanitizer and UBSan) into build-fuzz/ and runs every target, or the
# named ones (field_reader, settings, run), for SECONDS each. Each target
# works on build-fuzz/corpus/<target>, refreshed from the seeds in
# fuzz/corpus/<target> and the kept findings in fuzz/regressions/<target>,
# which a run never changes. Crash, leak, timeout and out-of-memory inputs
# go to build-fuzz/findings/<target>/, the log to build-fuzz/logs/<target>.log.
# Exits non-zero when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."

all_targets=(field_reader settings run)
usage() {
  echo "usage: tools/fuzz.sh SECONDS [${all_targets[*]}]" >&2
  exit 2
}
[ $# -ge 1 ] && [[ $1 =~ ^[1-9][0-9]*$ ]] || usage
seconds=$1
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")
for t in "${targets[@]}"; do
  [[ " ${all_targets[*]} " == *" $t "* ]] || usage
done

# Longest input per target: enough for a few records or a small folder,
# short enough to keep an input well under a millisecond.
declare -A max_len=([field_reader]=4096 [settings]=512 [run]=2048)

tools/install-deps.sh clang libclang-rt-14-dev
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null

# The targets write their files here; removed even when a crash skips their
# own clean-up.
base=/dev/shm
[ -d "$base" ] && [ -w "$base" ] || base=${TMPDIR:-/tmp}
scratch=$(mktemp -d "$base/zumaro-fuzz-run-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export ZUMARO_FUZZ_SCRATCH=$scratch
export UBSAN_OPTIONS=print_stacktrace=1

# stat NAME LOG: a number from libFuzzer's final statistics.
stat() { sed -n "s/^stat::$1: *//p" "$2" | tail -n 1; }

found_any=0
for t in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$t
  findings=build-fuzz/findings/$t
  log=build-fuzz/logs/$t.log
  mkdir -p "$corpus" "$findings" build-fuzz/logs
  cp -f fuzz/corpus/"$t"/* "$corpus"/
  [ -d fuzz/regressions/"$t" ] && cp -f fuzz/regressions/"$t"/* "$corpus"/ 2>/dev/null || true
  touch "$scratch/started"

  status=0
  build-fuzz/bin/fuzz_"$t" "$corpus" -max_total_time="$seconds" -max_len="${max_len[$t]}" \
    -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" >"$log" 2>&1 || status=$?

  runs=$(stat number_of_executed_units "$log")
  per_second=$(stat average_exec_per_sec "$log")
  new_findings=$(find "$findings" -type f -newer "$scratch/started" | tr '\n' ' ')
  verdict="nothing found"
  if [ "$status" -ne 0 ] || [ -n "$new_findings" ]; then
    verdict="FOUND (exit status $status) ${new_findings}see $log"
    found_any=1
  fi
  printf '%-13s %10s runs in %ss, %6s exec/s, corpus %5s files: %s\n' \
    "$t" "${runs:-?}" "$seconds" "${per_second:-?}" "$(find "$corpus" -type f | wc -l)" "$verdict"
done
exit $found_any

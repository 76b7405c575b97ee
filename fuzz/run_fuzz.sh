#!/usr/bin/env bash
# Runs one fuzz target: run_fuzz.sh TARGET WORKDIR RUNS|SECONDSs "SEED GLOBS" [libFuzzer options]
# The seeds (globs relative to the working folder) are copied into WORKDIR/seeds; new inputs go
# to WORKDIR/corpus, crashes to WORKDIR/. RUNS is a number of runs, or e.g. 600s for a time.
set -euo pipefail
target=$1 work=$2 amount=$3 globs=$4
shift 4
mkdir -p "$work/seeds" "$work/corpus"
shopt -s nullglob
for f in $globs; do
  [ -f "$f" ] || continue  # a scenario's folder planted under a level's name is no seed
  cp "$f" "$work/seeds/$(echo "$f" | tr '/' '_')"
done
if [[ $amount == *s ]]; then
  limit=(-max_total_time="${amount%s}")
else
  limit=(-runs="$amount")
fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
exec "$target" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$work/" \
  -print_final_stats=1 "$@" "$work/corpus" "$work/seeds"

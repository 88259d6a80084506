#!/usr/bin/env bash
# Runs every built fuzzer of the native build for a bounded time on its seed corpus.
#   scripts/fuzz.sh [seconds-per-fuzzer] [name-filter]      (default: 60 s, all fuzzers)
#   SETUP_FUZZ_BUILD   build folder holding fuzz/ (default: build/native)
# Seeds in fuzz/corpus/<name>/ are only read; new inputs go to build/.../fuzz/work/<name>/,
# crash inputs to build/.../fuzz/crashes/. Exits non-zero when a fuzzer finds a fault.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
filter=${2:-}
build=${SETUP_FUZZ_BUILD:-$top/build/native}
bin=$build/fuzz

shopt -s nullglob
fuzzers=()
for f in "$bin"/*_fuzz; do
  [ -x "$f" ] || continue
  [ -n "$filter" ] && [[ $(basename "$f") != *"$filter"* ]] && continue
  fuzzers+=("$f")
done
if [ ${#fuzzers[@]} -eq 0 ]; then
  echo "no fuzzers in $bin (build with scripts/build.sh native)" >&2
  exit 2
fi

failed=0
for f in "${fuzzers[@]}"; do
  name=$(basename "$f")
  work=$bin/work/$name
  crashes=$bin/crashes/$name
  mkdir -p "$work" "$crashes"
  seeds=()
  [ -d "$top/fuzz/corpus/$name" ] && seeds+=("$top/fuzz/corpus/$name")
  echo "== $name: ${seconds}s"
  if "$f" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$crashes/" "$work" "${seeds[@]}" >"$bin/$name.log" 2>&1; then
    grep -E "^stat::number_of_executed_units|^Done" "$bin/$name.log" | tail -2
  else
    echo "!! $name failed; log: $bin/$name.log, inputs: $crashes" >&2
    tail -n 30 "$bin/$name.log" >&2
    failed=1
  fi
done
exit $failed

#!/usr/bin/env bash
# Runs the built benchmarks and prints their figures; builds nothing (scripts/build.sh does).
#   bench/run.sh [name-filter]
#   SETUP_BENCH_WIN64   Windows build folder (default: build/win64), run under Wine
#   SETUP_BENCH_NATIVE  native build folder (default: build/native)
# The native figures are only meaningful from an optimised build without sanitizers:
#   scripts/build.sh bench   (build/native-bench, used by default when it exists)
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
filter=${1:-}
win64=${SETUP_BENCH_WIN64:-$top/build/win64}
default_native=$top/build/native
[ -d "$top/build/native-bench" ] && default_native=$top/build/native-bench
native=${SETUP_BENCH_NATIVE:-$default_native}
status=0
ran=0

selected() { [ -z "$filter" ] || [[ $(basename "$1") == *"$filter"* ]]; }

run() {  # label, command...
  local label=$1; shift
  echo "== $label"
  "$@" || { echo "!! $label exited with $?"; status=1; }
  echo
  ran=$((ran + 1))
}

shopt -s nullglob

# Windows benchmarks, each in a fresh Wine prefix.
for exe in "$win64"/bench/*_bench.exe; do
  selected "$exe" || continue
  run "$(basename "$exe" .exe) (Wine, $(basename "$win64"))" "$top/tests/wine/run-in-prefix.sh" "$exe"
done

# Native benchmarks (the platform-free core).
if [ -f "$native/CMakeCache.txt" ] && grep -q '^SETUP_SANITIZE:BOOL=ON' "$native/CMakeCache.txt"; then
  echo "note: $native is built with sanitizers; its figures understate the core's speed"
  echo
fi
for exe in "$native"/bench/*_bench; do
  [ -x "$exe" ] || continue
  selected "$exe" || continue
  run "$(basename "$exe") (native, $(basename "$native"))" "$exe"
done

if [ $ran -eq 0 ]; then
  echo "no benchmarks found in $win64/bench or $native/bench (build with scripts/build.sh)" >&2
  exit 2
fi
exit $status

#!/usr/bin/env bash
# Installs what is needed, builds everything (Windows x86_64 and i686, native core) and runs
# all tests: the Windows tests under Wine, the native core tests under ASan/UBSan, and each
# fuzzer for a bounded time on its corpus.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/deps.sh" || exit 1
bash "$top/scripts/build.sh" all || exit 1

jobs=${SETUP_TEST_JOBS:-2}
failed=0
ctest --test-dir "$top/build/native" --output-on-failure -j "$jobs" || failed=1
# Windows tests get a private display, so tests of windows run instead of skipping.
bash "$top/tests/wine/with-display.sh" ctest --test-dir "$top/build/win64" --output-on-failure -j "$jobs" --timeout 900 || failed=1
if [ -x "$top/scripts/fuzz.sh" ] || [ -f "$top/scripts/fuzz.sh" ]; then
  bash "$top/scripts/fuzz.sh" "${SETUP_FUZZ_SECONDS:-60}" || failed=1
fi
exit $failed

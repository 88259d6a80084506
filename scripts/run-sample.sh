#!/usr/bin/env bash
# Builds Setup.exe (x86_64, the architecture Wine runs here) and runs it on the sample
# medium under Wine, then prints the run's log file.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/deps.sh"
bash "$top/scripts/build.sh" win64
medium=$top/build/medium
bash "$top/scripts/assemble-medium.sh" "$top/build/win64" "$medium"

export WINEPREFIX=${WINEPREFIX:-$top/build/wineprefix}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
wine=$(command -v wine64 || command -v wine)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot -i >/dev/null 2>&1
  wineserver -w
fi
temp=$("$wine" cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')
temp_unix=$(winepath -u "$temp" 2>/dev/null)

set +e
(cd "$medium" && "$wine" ./Setup.exe "$@")
rc=$?
set -e
wineserver -w

log=$(ls -t "$temp_unix"/Setup.exe*.log 2>/dev/null | head -1)
echo "Setup.exe exit code: $rc"
echo "log file: $log (in Windows: $temp)"
[ -n "$log" ] && cat "$log"
exit $rc

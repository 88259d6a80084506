#!/usr/bin/env bash
# Runs Setup.exe on the sample medium and on a broken copy of it, each in a fresh Wine
# prefix, and checks exit codes and log lines.
#   tests/app/run_sample_test.sh BUILD_DIR
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
work=$(mktemp -d /tmp/setup-e2e-XXXXXX)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Runs Setup.exe from MEDIUM in a fresh prefix; leaves the newest log in $work/LABEL.log.
run_setup() {  # label medium
  local label=$1 medium=$2
  cat > "$work/$label.sh" <<EOS
cd "$medium" || exit 99
wine=\$(command -v wine64 || command -v wine)
"\$wine" ./Setup.exe
rc=\$?
wineserver -w
log=\$(ls -t "\$WINEPREFIX"/drive_c/users/*/AppData/Local/Temp/Setup.exe*.log "\$WINEPREFIX"/drive_c/users/*/Temp/Setup.exe*.log 2>/dev/null | head -1)
[ -n "\$log" ] && cp "\$log" "$work/$label.log"
exit \$rc
EOS
  local template
  template=$(bash "$top/tests/wine/make-template.sh")
  local prefix
  prefix=$(mktemp -d /tmp/setup-wine-XXXXXX)
  cp -a "$template/." "$prefix/"
  WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" bash "$work/$label.sh"
  local rc=$?
  WINEPREFIX=$prefix wineserver -k 2>/dev/null
  WINEPREFIX=$prefix wineserver -w 2>/dev/null
  rm -rf "$prefix"
  return $rc
}

expect_line() {  # label text
  grep -qF -- "$2" "$work/$1.log" 2>/dev/null || fail "$1: log lacks \"$2\""
}

# 1. The sample medium: initialisation succeeds.
bash "$top/scripts/assemble-medium.sh" "$build" "$work/medium"
run_setup good "$work/medium"
rc=$?
[ $rc -eq 0 ] || fail "sample medium: exit code $rc"
[ -f "$work/good.log" ] || fail "sample medium: no log file"
expect_line good "// Orvane Printer Installer Program"
expect_line good "NETWORK Option is ON"
expect_line good "OS Define String = "
expect_line good "Set Language : Language ID"

# 2. No data file: initialisation fails, and says so.
cp -a "$work/medium" "$work/broken"
rm "$work/broken/Setup.dat"
run_setup broken "$work/broken"
rc=$?
[ $rc -ne 0 ] || fail "medium without data file: exit code 0"
expect_line broken "Data file not found : "
expect_line broken "Initialize Profiles fail!!"
expect_line broken "Initilize global variable fail"

if [ $failures -eq 0 ]; then
  echo "setup_on_sample_medium: 2 passed, 0 failed"
  exit 0
fi
echo "--- log of the sample medium run ---"; cat "$work/good.log" 2>/dev/null
exit 1

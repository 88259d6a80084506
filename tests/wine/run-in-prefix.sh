#!/usr/bin/env bash
# Runs one Windows program under Wine in a throwaway prefix and passes its exit code on.
#
# A pristine prefix is created once (unattended) and kept as a template; every run gets a
# copy of it, so each test program sees a fresh registry and file system, and the copy is
# removed with its wineserver afterwards.
#
#   SETUP_WINE_TEMPLATE   where the template lives (default: /tmp/setup-wine-template-$UID)
#   SETUP_WINE_VERSION    Windows version Wine reports in this run (e.g. winxp, win7, win10)
#   SETUP_KEEP_PREFIX=1   keep the prefix and print its path (debugging)
set -u
program=$1; shift

export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export WINEDEBUG=${WINEDEBUG:--all}
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)

template=$(bash "$(dirname "$0")/make-template.sh")
prefix=$(mktemp -d /tmp/setup-wine-XXXXXX)
cp -a "$template/." "$prefix/"
export WINEPREFIX=$prefix

if [ -n "${SETUP_WINE_VERSION:-}" ]; then
  "$wine" reg add 'HKCU\Software\Wine' /v Version /d "$SETUP_WINE_VERSION" /f >/dev/null 2>&1
fi

"$wine" "$program" "$@"
rc=$?

wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
if [ "${SETUP_KEEP_PREFIX:-0}" = 1 ]; then
  echo "prefix kept: $prefix" >&2
else
  rm -rf "$prefix"
fi
exit $rc

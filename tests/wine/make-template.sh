#!/usr/bin/env bash
# Creates the pristine Wine prefix that test runs copy (once; later calls return at once)
# and prints its path.
set -u
template=${SETUP_WINE_TEMPLATE:-/tmp/setup-wine-template-$(id -u)}
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
(
  flock 9
  if [ ! -f "$template/.ready" ]; then
    rm -rf "$template"
    WINEPREFIX="$template" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all "$wine" wineboot -i >/dev/null 2>&1
    WINEPREFIX="$template" wineserver -w
    touch "$template/.ready"
  fi
) 9>"$template.lock"
echo "$template"

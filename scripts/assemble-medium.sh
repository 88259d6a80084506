#!/usr/bin/env bash
# Lays out a runnable medium: the sample medium's files, Setup.exe beside Setup.dat, and the
# stand-in maker's modules under their default names.
#   scripts/assemble-medium.sh BUILD_DIR OUT_DIR
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$1
out=$2
rm -rf "$out"
mkdir -p "$out"
cp -a "$top/sample-medium/." "$out/"
cp "$build/src/app/exe/Setup.exe" "$out/"
if [ -d "$build/standins" ]; then
  for f in "$build"/standins/*.dll "$build"/standins/*.exe; do
    [ -e "$f" ] || continue
    case $(basename "$f") in
      KXres.dll) cp "$f" "$out/" ;;
      *) cp "$f" "$out/data/" ;;
    esac
  done
fi

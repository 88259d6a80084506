#!/usr/bin/env bash
# Builds the Windows program for both architectures and the native text core.
#   scripts/build.sh [win64|win32|native|all|bench]   (default: all)
# bench: an optimised native core without sanitizers, for the benchmark figures.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
what=${1:-all}
jobs=${SETUP_JOBS:-$(nproc)}

build() {  # name, extra cmake args...
  local name=$1; shift
  cmake -S "$top" -B "$top/build/$name" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$top/build/$name" -j "$jobs"
}

case $what in
  win64|all) build win64 -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-mingw-x86_64.cmake" ;;&
  win32|all) build win32 -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-mingw-i686.cmake" -DSETUP_TESTS=OFF ;;&
  native|all) build native -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DSETUP_FUZZ=ON ;;
  bench) build native-bench -DCMAKE_BUILD_TYPE=Release -DSETUP_SANITIZE=OFF -DSETUP_TESTS=OFF ;;
  win64|win32) ;;
  *) echo "unknown build: $what" >&2; exit 2 ;;
esac

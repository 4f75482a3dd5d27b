#!/usr/bin/env bash
# Builds and runs the benchmark under Wine; it prints its figures. Not a test.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
./tools/setup.sh
build=$top/build/mingw-x86
cmake --preset mingw-x86 >/dev/null
cmake --build --preset mingw-x86 --target lumeva-bench >/dev/null
echo "Host machine: $(uname -srm), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), $(nproc) cores, $(wine --version 2>/dev/null)"
"$top/cmake/wine-run.sh" "$build/wineprefix" "$build/bin/lumeva-bench.exe"

#!/usr/bin/env bash
# Builds and runs the benchmark under Wine; it prints its figures. Not a test.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
./tools/build.sh lumeva-bench
build=$top/build/mingw-x86
echo "Host machine: $(uname -srm), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), $(nproc) cores, $(wine --version 2>/dev/null)"
"$top/cmake/wine-run.sh" "$build/wineprefix" "$build/bin/lumeva-bench.exe" "$@"

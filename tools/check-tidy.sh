#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy) over the product code with the clang build's compile
# commands; any finding fails. Configures the clang-x86 build when it is not there yet.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/clang-x86/compile_commands.json ] || cmake --preset clang-x86 >/dev/null
mapfile -t files < <(ls log/*.cpp fsops/*.cpp wallpaper/*.cpp plugin/*.cpp checker/*.cpp host/*.cpp)
clang-tidy-14 -p build/clang-x86 --quiet "${files[@]}"
echo "clang-tidy: no findings in ${#files[@]} files"

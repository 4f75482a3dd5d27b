#!/usr/bin/env bash
# Installs what is missing, configures the mingw-x86 build and builds the given targets
# (everything when none is given).
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/setup.sh
cmake --preset mingw-x86 >/dev/null
if [ $# -gt 0 ]; then
  cmake --build --preset mingw-x86 --target "$@" >/dev/null
else
  cmake --build --preset mingw-x86 >/dev/null
fi

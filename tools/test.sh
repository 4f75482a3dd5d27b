#!/usr/bin/env bash
# The whole test suite: installs what is missing, configures, builds and runs every test
# under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/setup.sh
cmake --workflow --preset mingw-x86

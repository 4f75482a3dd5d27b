#!/usr/bin/env bash
# The whole test suite: installs what is missing, configures, builds and runs every test
# under Wine, once built with MinGW's GCC and once with clang, both with warnings as errors;
# checks the layout with clang-format and the product code with clang-tidy.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/setup.sh
./tools/check-format.sh
cmake --workflow --preset mingw-x86
cmake --workflow --preset clang-x86
./tools/check-tidy.sh

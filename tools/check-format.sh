#!/usr/bin/env bash
# Fails when a C++ source of the project is not as .clang-format lays it out; prints where.
# Apply the layout with: clang-format-14 -i <files>
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t files < <(find bench checker fsops host log plugin tests wallpaper -name '*.cpp' -o -name '*.h')
fi
clang-format-14 --dry-run -Werror "${files[@]}"

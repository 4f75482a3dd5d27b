#!/bin/sh
# Runs a Windows program under 32-bit Wine in the build tree's own prefix.
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix is created on first use, under a lock so that parallel tests wait for it
# instead of racing; nothing a test relies on is kept in it between runs.
set -e
prefix=$1
shift
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    if [ ! -f "$prefix/system.reg" ]; then
      wineboot --init >/dev/null 2>&1 || true
      wineserver --wait || true
    fi
  ) 9>"$prefix.lock"
fi
exec wine "$@"

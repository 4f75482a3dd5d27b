#!/usr/bin/env bash
# Runs a test program under Wine as an unprivileged account, so that permissions are what
# they are on Windows: Wine run as root reads unreadable files and writes into read-only
# folders. Run by a non-root user, it simply runs the program.
# Usage: run_unprivileged.sh BUILD_DIR SOURCE_DIR PROGRAM.exe
set -euo pipefail
build=$1 source=$2 program=$3

if [ "$(id -u)" -ne 0 ]; then
  exec "$source/cmake/wine-run.sh" "$build/wineprefix" "$program"
fi

user=lumeva-tests  # made by tools/setup.sh
if ! id "$user" >/dev/null 2>&1; then
  useradd --system --create-home --shell /usr/sbin/nologin "$user"
fi
home=$(getent passwd "$user" | cut -d: -f6)
mkdir -p "$home"
chown "$user:" "$home"

# The build tree may sit where the account cannot read; it gets its own copy of what the
# program runs, and its own Wine prefix, which Wine wants owned by the account using it.
work=$home/run-$$
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin"
bin=$(dirname "$program")
cp "$program" "$bin"/*.dll "$bin/korvex-host.exe" "$bin/lumeva-check.exe" "$bin/lumeva-start-at.exe" "$work/bin/"
cp "$source/cmake/wine-run.sh" "$work/"
chown -R "$user:" "$work"
runuser -u "$user" -- env HOME="$home" "$work/wine-run.sh" "$home/wineprefix" "$work/bin/$(basename "$program")"

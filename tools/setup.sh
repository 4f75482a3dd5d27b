#!/usr/bin/env bash
# Installs what the cross-build and its Wine test runs need on Debian 12, as root.
# When everything is already there it returns at once, so every command may call it.
set -euo pipefail

need=()
command -v i686-w64-mingw32-g++-posix >/dev/null 2>&1 || need+=(g++-mingw-w64-i686-posix)
command -v i686-w64-mingw32-g++-win32 >/dev/null 2>&1 || need+=(g++-mingw-w64-i686-win32)
[ -x /usr/lib/llvm-14/bin/ld.lld ] || need+=(lld-14)
command -v clang++-14 >/dev/null 2>&1 || need+=(clang-14)
command -v clang-format-14 >/dev/null 2>&1 || need+=(clang-format-14)
command -v clang-tidy-14 >/dev/null 2>&1 || need+=(clang-tidy-14)
command -v wine >/dev/null 2>&1 || need+=(wine)
dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine32:i386)
command -v cmake >/dev/null 2>&1 || need+=(cmake)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
[ -f /usr/include/nlohmann/json.hpp ] || need+=(nlohmann-json3-dev)
command -v unzip >/dev/null 2>&1 || need+=(unzip)
command -v i686-w64-mingw32-objdump >/dev/null 2>&1 || need+=(binutils-mingw-w64-i686)

# The account that runs the tests of permission faults (Wine run as root ignores permissions).
if [ "$(id -u)" -eq 0 ] && ! id lumeva-tests >/dev/null 2>&1; then
  useradd --system --create-home --shell /usr/sbin/nologin lumeva-tests
fi

if [ ${#need[@]} -eq 0 ]; then
  exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "setup: missing ${need[*]}; run this script as root to install them" >&2
    exit 1
  fi
  as_root=(sudo)
fi

echo "setup: installing ${need[*]} (a minute on a fresh machine)"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${as_root[@]}" dpkg --add-architecture i386
fi
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null

#!/usr/bin/env bash
# Builds the release archive with cpack, unpacks it, and checks that it holds the built
# plugin, the checker and the user guide, and that the guide explains every line the
# plugin can log, in the plugin's own words.
# Where the DLL is built as it ships, it is at most MAX_DLL_BYTES (0: no limit, for a build
# whose DLL only serves the tests).
# Usage: release_archive_test.sh CMAKE CPACK BUILD_DIR SOURCE_DIR MAX_DLL_BYTES
set -euo pipefail
cmake=$1 cpack=$2 build=$3 source=$4 max_dll_bytes=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && "$cpack" -G ZIP -B "$work/out" >/dev/null)
archive=$(find "$work/out" -maxdepth 1 -name '*.zip')
[ -n "$archive" ] || { echo "cpack made no ZIP archive"; exit 1; }
mkdir "$work/unpacked"
(cd "$work/unpacked" && "$cmake" -E tar xf "$archive")
top=$(dirname "$(find "$work/unpacked" -name korvex_lumeva_plugin.dll -print -quit)")

status=0
cmp "$top/korvex_lumeva_plugin.dll" "$build/bin/korvex_lumeva_plugin.dll" || { echo "the archive's DLL is not the built one"; status=1; }
cmp "$top/lumeva-check.exe" "$build/bin/lumeva-check.exe" || { echo "the archive's checker is not the built one"; status=1; }
dll_bytes=$(stat -c %s "$top/korvex_lumeva_plugin.dll")
if [ "$max_dll_bytes" -gt 0 ] && [ "$dll_bytes" -gt "$max_dll_bytes" ]; then
  echo "the archive's DLL is $dll_bytes bytes, more than $max_dll_bytes"
  status=1
fi
[ -s "$top/user-guide.md" ] || { echo "the archive has no user guide"; status=1; }
extra=$(cd "$top" && ls | grep -v -x -e korvex_lumeva_plugin.dll -e lumeva-check.exe -e user-guide.md || true)
[ -z "$extra" ] || { echo "the archive holds more than it should: $extra"; status=1; }

# Each message format, with its placeholders written as <...> in the guide.
while IFS= read -r format; do
  pattern=$(printf '%s' "$format" | sed -e 's/[][\.*^$(){}+?|/]/\\&/g' -e 's/%[sd]/<[^>]+>/g')
  if ! grep -E -q -- "\`$pattern\`" "$top/user-guide.md"; then
    echo "the user guide does not explain: $format"
    status=1
  fi
done < <(# the named texts; a long one stands on the line after its name
         grep -h -o '^ *"[^"]*";$\|Message = "[^"]*";$' "$source"/log/messages.h | sed -e 's/^[^"]*"//' -e 's/";$//' |
         sort -u)

# Every line the plugin logs is one of those names: no text is written in place.
stray=$(grep -n 'logMessage("' "$source"/log/*.* "$source"/fsops/*.* "$source"/wallpaper/*.* "$source"/plugin/*.* || true)
[ -z "$stray" ] || { echo "a message is written in place instead of in log/messages.h: $stray"; status=1; }

[ "$status" -eq 0 ] && echo "release archive $(basename "$archive"): plugin, checker and guide in place"
exit "$status"

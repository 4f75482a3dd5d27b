#!/usr/bin/env bash
# The plugin's main job on the bundled sample game: installs what is missing, builds the
# plugin and the stand-in host, copies sample/game to a scratch folder, starts the "game"
# there once, and shows which wallpaper set was installed and where its files went.
# Run it again in another second and another set may come up.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
./tools/build.sh korvex_lumeva_plugin korvex-host
build=$top/build/mingw-x86

scratch=$build/demo/game
rm -rf "$scratch"
mkdir -p "$scratch"
cp -R sample/game/. "$scratch"
echo "Sample game copied to $scratch"
echo

status=0
(cd "$scratch" && "$top/cmake/wine-run.sh" "$build/wineprefix" "$build/bin/korvex-host.exe" --show-changes) || status=$?
echo

# The game folder is read by Windows without regard to case, so look files up that way too.
installed_path() { find "$scratch" -ipath "$scratch/$1" -type f -print -quit; }

sets=$scratch/Data/mainmenuwallpapers
found=
for set in "$sets"/*/; do
  name=$(basename "$set")
  for target in "" "Data/"; do
    complete=yes
    while IFS= read -r -d '' file; do
      rel=${file#"$set"}
      dest=$(installed_path "$target$rel")
      if [ -z "$dest" ] || ! cmp -s "$file" "$dest"; then complete=; break; fi
    done < <(find "$set" -type f -print0)
    [ -n "$complete" ] || continue
    where=${target:+the Data folder}
    echo "Installed wallpaper set: $name, copied onto ${where:-the game folder}"
    while IFS= read -r -d '' file; do
      rel=${file#"$set"}
      dest=$(installed_path "$target$rel")
      echo "  Data/mainmenuwallpapers/$name/$rel -> ${dest#"$scratch/"}"
    done < <(find "$set" -type f -print0 | sort -z)
    found=yes
    break 2
  done
done
[ -n "$found" ] || echo "No wallpaper set was installed completely; the plugin's log above says why."
exit "$status"

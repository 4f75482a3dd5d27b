#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lumeva {

// The rules that pick a wallpaper set and decide where it goes. The plugin and the
// set checker both use these, so they can never disagree about a game folder.

// ".\Data\mainmenuwallpapers\": the folder holding one subfolder per wallpaper set.
std::wstring wallpaperRoot();

// The candidate sets, in the platform's enumeration order.
std::vector<std::wstring> listWallpaperSets();

// wallpaperRoot() followed directly by the set's name.
std::wstring wallpaperSetPath(const std::wstring& setName);

// Which of `setCount` sets (at least one) the clock second picks: the remainder of the
// seconds by the count, which advances by one every second and wraps to 0. A negative
// reading (the clock's failure value is -1) keeps the same rotation, counted back from 0,
// so it still names one of the sets.
std::size_t wallpaperSetIndex(std::int64_t seconds, std::size_t setCount);

// True when a set whose first subfolder is `firstSubfolder` mirrors the game folder:
// the name is "data" in any mix of case, and nothing longer or shorter.
bool mirrorsGameFolder(const std::wstring& firstSubfolder);

// ".\" for a set that mirrors the game folder, ".\Data" for one that mirrors the Data folder.
std::wstring wallpaperDestination(const std::wstring& firstSubfolder);

}  // namespace lumeva

#pragma once

#include <cstdint>

namespace lumeva {

// How long a start waits for another start in the same game folder to finish installing.
constexpr unsigned InstallationWaitSeconds = 60;

// Installs the wallpaper set the calendar clock picks. True when a set was chosen and
// copied completely; every failure has logged its one line.
bool rotateWallpaper();

// The same, for a given clock reading in seconds since 1970-01-01 00:00:00 UTC, waiting at
// most `waitSeconds` for another start in the same game folder.
bool rotateWallpaperAt(std::int64_t seconds, unsigned waitSeconds = InstallationWaitSeconds);

}  // namespace lumeva

#include "wallpaper/rotate_wallpaper.h"

#include <ctime>
#include <string>
#include <vector>

#include "fsops/copy_directory.h"
#include "fsops/list_subdirectories.h"
#include "log/log_text.h"
#include "log/messages.h"
#include "log/plugin_log.h"
#include "wallpaper/installation_lock.h"
#include "wallpaper/wallpaper_sets.h"

namespace lumeva {

bool rotateWallpaper() { return rotateWallpaperAt(static_cast<std::int64_t>(std::time(nullptr))); }

bool rotateWallpaperAt(std::int64_t seconds, unsigned waitSeconds) {
    const std::vector<std::wstring> sets = listWallpaperSets();
    if (sets.empty()) {
        logMessage(NoWallpaperRootMessage);
        return false;
    }
    const std::wstring setPath = wallpaperSetPath(sets[wallpaperSetIndex(seconds, sets.size())]);
    const std::vector<std::wstring> contents = listSubdirectories(setPath);
    if (contents.empty()) {
        logMessage(EmptySetMessage, logText(setPath).c_str());
        return false;
    }
    // The copy runs under the game folder's lock, so that a second start waits and then
    // installs its own pick whole. The listings above need no lock: a copy creates no folders.
    const InstallationLock lock(waitSeconds);
    if (!lock.acquired()) {
        logMessage(InstallationBusyMessage, static_cast<int>(waitSeconds));
        return false;
    }
    return copyDirectory(setPath, wallpaperDestination(contents.front()));
}

}  // namespace lumeva

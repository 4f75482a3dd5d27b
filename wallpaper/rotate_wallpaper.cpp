#include "wallpaper/rotate_wallpaper.h"

#include <ctime>
#include <string>
#include <vector>

#include "fsops/copy_directory.h"
#include "fsops/list_subdirectories.h"
#include "log/plugin_log.h"
#include "wallpaper/wallpaper_sets.h"

bool rotateWallpaper() { return rotateWallpaperAt(static_cast<std::int64_t>(std::time(nullptr))); }

bool rotateWallpaperAt(std::int64_t seconds) {
    const std::vector<std::string> sets = listWallpaperSets();
    if (sets.empty()) {
        logMessage("The folder <OSTREVAL>/Data/mainmenuwallpapers has no wallpaper in it or is not present itself !");
        return false;
    }
    const std::string setPath = wallpaperSetPath(sets[wallpaperSetIndex(seconds, sets.size())]);
    const std::vector<std::string> contents = listSubdirectories(setPath);
    if (contents.empty()) {
        logMessage("The folder %s has no wallpaper in it !", setPath.c_str());
        return false;
    }
    return copyDirectory(setPath, wallpaperDestination(contents.front()));
}

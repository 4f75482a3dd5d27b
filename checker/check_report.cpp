#include "checker/check_report.h"

#include <windows.h>

#include "fsops/folder_listing.h"
#include "fsops/process_paths.h"
#include "log/log_text.h"
#include "wallpaper/wallpaper_sets.h"

namespace lumeva {

bool CheckReport::everySetComplete() const {
    if (sets.empty()) {
        return false;
    }
    for (const auto& set : sets) {
        if (!set.installsCompletely() || !set.warnings.empty()) {
            return false;
        }
    }
    return true;
}

CheckReport checkGameFolder(std::int64_t second) {
    CheckReport report;
    report.gameFolder = currentFolder();
    report.second = second;
    const std::wstring root = resolvePath(wallpaperRoot()).full;
    const DWORD attributes = GetFileAttributesW(root.c_str());
    report.rootExists = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    listFolder(root, [&](const WIN32_FIND_DATAW& entry) {
        if (isDotName(entry)) {
            report.nonSets.push_back(
                {entry.cFileName, logText(entry.cFileName), "names that begin with a dot are skipped"});
        } else if (!isFolder(entry)) {
            report.nonSets.push_back({entry.cFileName, logText(entry.cFileName), "a file; each set is a folder"});
        }
        return true;
    });
    const std::vector<std::wstring> names = listWallpaperSets();
    for (const auto& name : names) {
        report.sets.push_back(inspectWallpaperSet(name));
    }
    if (!names.empty()) {
        report.picked = wallpaperSetIndex(second, names.size());
    }
    return report;
}

}  // namespace lumeva

#include "wallpaper/wallpaper_sets.h"

#include "fsops/list_subdirectories.h"

std::string wallpaperRoot() {
    std::string root = ".\\Data\\mainmenuwallpapers";
    root += "\\";
    return root;
}

std::vector<std::string> listWallpaperSets() { return listSubdirectories(wallpaperRoot()); }

std::string wallpaperSetPath(const std::string& setName) { return wallpaperRoot() + setName; }

std::size_t wallpaperSetIndex(std::int64_t seconds, std::size_t setCount) {
    const auto count = static_cast<std::int64_t>(setCount);
    std::int64_t index = seconds % count;
    if (index < 0) {
        index += count;
    }
    return static_cast<std::size_t>(index);
}

bool mirrorsGameFolder(const std::string& firstSubfolder) {
    std::string lowered = firstSubfolder;
    // Byte by byte and only A-Z, so the answer does not depend on the code page or locale.
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lowered == "data";
}

std::string wallpaperDestination(const std::string& firstSubfolder) {
    return mirrorsGameFolder(firstSubfolder) ? ".\\" : ".\\Data";
}

#include "wallpaper/wallpaper_sets.h"

#include "fsops/list_subdirectories.h"

namespace lumeva {

std::wstring wallpaperRoot() {
    std::wstring root = L".\\Data\\mainmenuwallpapers";
    root += L"\\";
    return root;
}

std::vector<std::wstring> listWallpaperSets() { return listSubdirectories(wallpaperRoot()); }

std::wstring wallpaperSetPath(const std::wstring& setName) { return wallpaperRoot() + setName; }

std::size_t wallpaperSetIndex(std::int64_t seconds, std::size_t setCount) {
    const auto count = static_cast<std::int64_t>(setCount);
    std::int64_t index = seconds % count;
    if (index < 0) {
        index += count;
    }
    return static_cast<std::size_t>(index);
}

bool mirrorsGameFolder(const std::wstring& firstSubfolder) {
    std::wstring lowered = firstSubfolder;
    // Only A-Z, so the answer does not depend on the code page or locale.
    for (wchar_t& c : lowered) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    return lowered == L"data";
}

std::wstring wallpaperDestination(const std::wstring& firstSubfolder) {
    return mirrorsGameFolder(firstSubfolder) ? L".\\" : L".\\Data";
}

}  // namespace lumeva

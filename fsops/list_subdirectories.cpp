#include "fsops/list_subdirectories.h"

#include "fsops/folder_listing.h"

namespace lumeva {

std::vector<std::wstring> listSubdirectories(const std::wstring& path) {
    std::vector<std::wstring> names;
    // A folder that cannot be listed, or stops part-way, simply has what was listed.
    listFolder(resolvePath(path).full, [&](const WIN32_FIND_DATAW& entry) {
        if (!isDotName(entry) && isFolder(entry)) {
            names.emplace_back(entry.cFileName);
        }
        return true;
    });
    return names;
}

}  // namespace lumeva

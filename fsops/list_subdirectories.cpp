#include "fsops/list_subdirectories.h"

#include "fsops/find_handle.h"
#include "fsops/folder_entries.h"

std::vector<std::string> listSubdirectories(std::string path) {
    std::vector<std::string> names;
    path += "\\*";
    WIN32_FIND_DATAA entry;
    FindHandle search(FindFirstFileA(path.c_str(), &entry));
    if (!search.valid()) {
        return names;
    }
    do {
        if (!isDotName(entry) && isFolder(entry)) {
            names.push_back(entry.cFileName);
        }
    } while (FindNextFileA(search.get(), &entry));
    return names;
}

#include "host/folder_snapshot.h"

#include <windows.h>

#include <cstdio>

#include "fsops/find_handle.h"
#include "fsops/folder_entries.h"

namespace {

// FNV-1a over the file's bytes: enough to tell a replaced file from an untouched one.
std::uint64_t digestFile(const std::string& path) {
    std::uint64_t digest = 14695981039346656037ull;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return 0;
    }
    unsigned char buffer[65536];
    std::size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        for (std::size_t i = 0; i < read; ++i) {
            digest = (digest ^ buffer[i]) * 1099511628211ull;
        }
    }
    std::fclose(file);
    return digest;
}

void addFolder(const std::string& root, const std::string& relative, FolderSnapshot& snapshot) {
    const std::string folder = relative.empty() ? root : root + "\\" + relative;
    WIN32_FIND_DATAA entry;
    FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (!search.valid()) {
        return;
    }
    do {
        if (isSelfOrParent(entry)) {
            continue;
        }
        const std::string item = relative.empty() ? std::string(entry.cFileName) : relative + "\\" + entry.cFileName;
        if (isFolder(entry)) {
            addFolder(root, item, snapshot);
        } else {
            snapshot[item] = digestFile(root + "\\" + item);
        }
    } while (FindNextFileA(search.get(), &entry));
}

} // namespace

FolderSnapshot snapshotFolder(const std::string& folder) {
    FolderSnapshot snapshot;
    addFolder(folder, "", snapshot);
    return snapshot;
}

std::vector<std::string> changedFiles(const FolderSnapshot& before, const FolderSnapshot& after) {
    std::vector<std::string> changed;
    for (const auto& [path, digest] : after) {
        const auto earlier = before.find(path);
        if (earlier == before.end() || earlier->second != digest) {
            changed.push_back(path);
        }
    }
    return changed;
}

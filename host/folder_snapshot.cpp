#include "host/folder_snapshot.h"

#include <windows.h>

#include "fsops/folder_walk.h"
#include "fsops/unique_handle.h"

namespace lumeva {

namespace {

// FNV-1a over the file's bytes: enough to tell a replaced file from an untouched one.
std::uint64_t digestFile(const std::wstring& full) {
    std::uint64_t digest = 14695981039346656037ull;
    const UniqueFile file(CreateFileW(full.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) {
        return 0;
    }
    static unsigned char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        for (DWORD i = 0; i < read; ++i) {
            digest = (digest ^ buffer[i]) * 1099511628211ull;
        }
    }
    return digest;
}

}  // namespace

FolderSnapshot snapshotFolder(const std::wstring& folder) {
    FolderSnapshot snapshot;
    const ItemPath root = resolvePath(folder);
    WalkRules everything;
    everything.skipDotNames = false;  // a change is a change, whatever its name
    everything.followLinks = false;   // what lies behind a link is not the game folder's own
    walkTree(root, root, everything, [&](const WalkEvent& event) {
        if (event.kind == WalkEvent::File) {
            snapshot[event.source.shown.substr(root.shown.size() + 1)] = digestFile(event.source.full);
        }
        return true;
    });
    return snapshot;
}

std::vector<std::wstring> changedFiles(const FolderSnapshot& before, const FolderSnapshot& after) {
    std::vector<std::wstring> changed;
    for (const auto& [path, digest] : after) {
        const auto earlier = before.find(path);
        if (earlier == before.end() || earlier->second != digest) {
            changed.push_back(path);
        }
    }
    return changed;
}

}  // namespace lumeva

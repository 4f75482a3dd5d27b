#pragma once

#include <string>

namespace lumeva {

// Which folder on which volume a path leads to, after following every link on the way:
// two paths with equal identities are the same folder.
struct FolderIdentity {
    bool known = false;
    unsigned long volume = 0;
    unsigned long indexHigh = 0;
    unsigned long indexLow = 0;
};

FolderIdentity folderIdentity(const std::wstring& full);

bool sameFolder(const FolderIdentity& a, const FolderIdentity& b);

}  // namespace lumeva

#pragma once

#include <windows.h>

namespace lumeva {

// Names that begin with a dot are never listed or copied: this drops "." and ".." and
// every hidden-by-convention entry such as .git.
inline bool isDotName(const WIN32_FIND_DATAW& entry) { return entry.cFileName[0] == L'.'; }

// "." and "..": the folder itself and its parent, never content.
inline bool isSelfOrParent(const WIN32_FIND_DATAW& entry) {
    const wchar_t* name = entry.cFileName;
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

inline bool isFolder(const WIN32_FIND_DATAW& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// A folder link (junction or symbolic link): it may lead anywhere, back into its own parents too.
inline bool isLink(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

inline unsigned long long fileSize(const WIN32_FIND_DATAW& entry) {
    return (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

}  // namespace lumeva

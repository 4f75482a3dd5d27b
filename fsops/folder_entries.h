#pragma once

#include <windows.h>

// Names that begin with a dot are never listed or copied: this drops "." and ".." and
// every hidden-by-convention entry such as .git.
inline bool isDotName(const WIN32_FIND_DATAA& entry) { return entry.cFileName[0] == '.'; }

inline bool isFolder(const WIN32_FIND_DATAA& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

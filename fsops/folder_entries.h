#pragma once

#include <windows.h>

// Names that begin with a dot are never listed or copied: this drops "." and ".." and
// every hidden-by-convention entry such as .git.
inline bool isDotName(const WIN32_FIND_DATAA& entry) { return entry.cFileName[0] == '.'; }

// "." and "..": the folder itself and its parent, never content.
inline bool isSelfOrParent(const WIN32_FIND_DATAA& entry) {
    const char* name = entry.cFileName;
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

inline bool isFolder(const WIN32_FIND_DATAA& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

#include "fsops/process_paths.h"

namespace lumeva {

std::wstring currentFolder() {
    std::wstring folder(MAX_PATH, L'\0');
    for (;;) {
        // Too small a buffer makes the call return the size it needs, with the NUL.
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), &folder[0]);
        if (length < folder.size()) {
            folder.resize(length);
            return folder;
        }
        folder.resize(length);
    }
}

std::wstring modulePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        // A path that does not fit comes back cut to the buffer's size, which is all it tells.
        const DWORD length = GetModuleFileNameW(module, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) {
            return std::wstring();
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring programFolder() {
    const std::wstring program = modulePath();
    return program.substr(0, program.find_last_of(L'\\'));
}

}  // namespace lumeva

#include "fsops/item_path.h"

#include <windows.h>

namespace lumeva {

namespace {

std::wstring absolutePath(const std::wstring& path) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), &buffer[0], nullptr);
        if (length == 0) {
            return path;  // the platform call that uses it reports why
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(length);
    }
}

bool startsWith(const std::wstring& text, const wchar_t* prefix) {
    return text.compare(0, wcslen(prefix), prefix) == 0;
}

}  // namespace

ItemPath resolvePath(const std::wstring& shown) {
    const std::wstring absolute = absolutePath(shown);
    if (startsWith(absolute, L"\\\\?\\") || startsWith(absolute, L"\\\\.\\")) {
        return {shown, absolute};
    }
    if (startsWith(absolute, L"\\\\")) {
        return {shown, L"\\\\?\\UNC\\" + absolute.substr(2)};  // a network share
    }
    return {shown, L"\\\\?\\" + absolute};
}

std::wstring joinFull(const std::wstring& folder, const std::wstring& name) {
    // An extended-length path is taken literally, so it must not carry a doubled separator.
    if (!folder.empty() && folder.back() == L'\\') {
        return folder + name;
    }
    return folder + L'\\' + name;
}

ItemPath childPath(const ItemPath& folder, const std::wstring& name) {
    return {folder.shown + L'\\' + name, joinFull(folder.full, name)};
}

}  // namespace lumeva

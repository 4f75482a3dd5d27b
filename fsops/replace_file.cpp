#include "fsops/replace_file.h"

const wchar_t* const TemporaryCopyName = L".korvex_lumeva_plugin.tmp";

namespace {

std::wstring temporaryBeside(const std::wstring& destination) {
    return destination.substr(0, destination.find_last_of(L'\\') + 1) + TemporaryCopyName;
}

void removeTemporary(const std::wstring& temporary) {
    // A copy of a read-only source is read-only too, and could not be deleted as it is.
    SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(temporary.c_str());
}

// Why an existing destination file could not be replaced: a second program holding it open
// is told apart from other denials, as writing over it in place would tell it.
DWORD whyNotReplaced(const std::wstring& destination, DWORD moveError) {
    if (moveError != ERROR_ACCESS_DENIED) {
        return moveError;
    }
    HANDLE probe = CreateFileW(destination.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
        const DWORD openError = GetLastError();
        return openError == ERROR_SHARING_VIOLATION ? openError : moveError;
    }
    CloseHandle(probe);
    return moveError;
}

} // namespace

DWORD replaceFile(const std::wstring& source, const std::wstring& destination) {
    // Windows refuses to replace a read-only file or a folder; renaming over it would not
    // refuse everywhere, so it is refused here as writing over it in place is.
    const DWORD existing = GetFileAttributesW(destination.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return ERROR_ACCESS_DENIED;
    }
    const std::wstring temporary = temporaryBeside(destination);
    if (!CopyFileW(source.c_str(), temporary.c_str(), FALSE)) {
        const DWORD error = GetLastError();
        removeTemporary(temporary);
        return error;
    }
    if (!MoveFileExW(temporary.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        const DWORD error = whyNotReplaced(destination, GetLastError());
        removeTemporary(temporary);
        return error;
    }
    return ERROR_SUCCESS;
}

#include "fsops/replace_file.h"

#include <vector>

#include "fsops/unique_handle.h"

namespace lumeva {

const wchar_t* const TemporaryCopyName = L".korvex_lumeva_plugin.tmp";

namespace {

// The temporary copy beside a destination: deleted as its handle closes, on every way out,
// unless it was put in the destination's place.
class TemporaryCopy {
public:
    explicit TemporaryCopy(HANDLE handle) : file_(handle) {}
    ~TemporaryCopy() {
        if (file_.valid() && !kept_) {
            FILE_DISPOSITION_INFO remove = {TRUE};
            SetFileInformationByHandle(file_.get(), FileDispositionInfo, &remove, sizeof remove);
        }
    }
    TemporaryCopy(const TemporaryCopy&) = delete;
    TemporaryCopy& operator=(const TemporaryCopy&) = delete;

    bool valid() const { return file_.valid(); }
    HANDLE get() const { return file_.get(); }
    void keep() { kept_ = true; }

private:
    UniqueFile file_;
    bool kept_ = false;
};

std::wstring temporaryBeside(const std::wstring& destination) {
    return destination.substr(0, destination.find_last_of(L'\\') + 1) + TemporaryCopyName;
}

// Why an existing destination file could not be replaced: a second program holding it open
// is told apart from other denials, as writing over it in place would tell it.
DWORD whyNotReplaced(const std::wstring& destination, DWORD renameError) {
    if (renameError != ERROR_ACCESS_DENIED) {
        return renameError;
    }
    const DWORD held = heldOpenElsewhere(destination);
    return held != ERROR_SUCCESS ? held : renameError;
}

DWORD copyBytes(HANDLE from, HANDLE to) {
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(from, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
            return GetLastError();
        }
        if (read == 0) {
            return ERROR_SUCCESS;
        }
        DWORD written = 0;
        if (!WriteFile(to, buffer.data(), read, &written, nullptr)) {
            return GetLastError();
        }
        if (written != read) {
            return ERROR_DISK_FULL;
        }
    }
}

// Puts the open file `file` in the place of `destination`, replacing what is there.
DWORD renameOver(HANDLE file, const std::wstring& destination) {
    const std::size_t nameBytes = destination.size() * sizeof(wchar_t);
    std::vector<char> record(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(record.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(nameBytes);
    destination.copy(rename->FileName, destination.size());
    if (!SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(record.size()))) {
        return whyNotReplaced(destination, GetLastError());
    }
    return ERROR_SUCCESS;
}

}  // namespace

DWORD heldOpenElsewhere(const std::wstring& destination) {
    const UniqueFile probe(CreateFileW(destination.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !probe.valid() && GetLastError() == ERROR_SHARING_VIOLATION ? ERROR_SHARING_VIOLATION : ERROR_SUCCESS;
}

DWORD replacementRefusal(const std::wstring& destination) {
    // Windows refuses to replace a read-only file or a folder; renaming over it would not
    // refuse everywhere, so it is refused here as writing over it in place is.
    const DWORD existing = GetFileAttributesW(destination.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return ERROR_ACCESS_DENIED;
    }
    return ERROR_SUCCESS;
}

HANDLE openCopySource(const std::wstring& source) {
    return CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
}

DWORD replaceFile(const std::wstring& source, const std::wstring& destination, const FileStamp& stamp) {
    const DWORD refusal = replacementRefusal(destination);
    if (refusal != ERROR_SUCCESS) {
        return refusal;
    }
    const UniqueFile from(openCopySource(source));
    if (!from.valid()) {
        return GetLastError();
    }
    TemporaryCopy copy(CreateFileW(temporaryBeside(destination).c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!copy.valid()) {
        return GetLastError();
    }
    DWORD error = copyBytes(from.get(), copy.get());
    if (error != ERROR_SUCCESS) {
        return error;
    }
    // The copy carries the source's time stamp, as a file copy does.
    if (!SetFileTime(copy.get(), nullptr, nullptr, &stamp.lastWrite)) {
        return GetLastError();
    }
    error = renameOver(copy.get(), destination);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    copy.keep();
    // And the source's attributes, read-only last, once the copy is in place.
    const DWORD kept = stamp.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                           FILE_ATTRIBUTE_ARCHIVE);
    if ((kept & ~FILE_ATTRIBUTE_ARCHIVE) != 0) {
        FILE_BASIC_INFO basic = {};
        basic.FileAttributes = kept;
        SetFileInformationByHandle(copy.get(), FileBasicInfo, &basic, sizeof basic);
    }
    return ERROR_SUCCESS;
}

}  // namespace lumeva

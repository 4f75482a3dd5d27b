#pragma once

#include <windows.h>

#include <string>

namespace lumeva {

// What a copy takes over from its source besides the bytes, as a file copy does; the folder
// listing that found the source already holds it.
struct FileStamp {
    DWORD attributes;
    FILETIME lastWrite;
};

// Replaces (or adds) the file `destination` with a copy of `source`, both extended-length
// paths, so that the destination either keeps its old bytes or holds the new file whole: the
// copy goes to a temporary name in the destination's folder and replaces the old file in one
// step. On failure nothing of the temporary copy is left. Returns ERROR_SUCCESS or the
// platform's error number of the step that failed.
DWORD replaceFile(const std::wstring& source, const std::wstring& destination, const FileStamp& stamp);

// ERROR_ACCESS_DENIED when `destination` is a read-only file or a folder, which Windows
// refuses to replace and the copy refuses before writing anything; else ERROR_SUCCESS.
DWORD replacementRefusal(const std::wstring& destination);

// Opens `source` as the copy reads it: shared for reading only, so a file another program is
// writing is not copied half-written.
HANDLE openCopySource(const std::wstring& source);

// ERROR_SHARING_VIOLATION when another program holds `destination` open without letting
// others write it, so that it cannot be replaced; else ERROR_SUCCESS. Changes nothing.
DWORD heldOpenElsewhere(const std::wstring& destination);

// The temporary name used beside a destination file: a dot name, so no wallpaper set can
// hold it and neither the plugin nor its checker ever takes it for content.
extern const wchar_t* const TemporaryCopyName;

}  // namespace lumeva

#include "checker/set_inspection.h"

#include <windows.h>

#include "fsops/find_handle.h"
#include "fsops/folder_entries.h"
#include "fsops/list_subdirectories.h"
#include "wallpaper/wallpaper_sets.h"

namespace {

std::string errorText(DWORD error) {
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string described = "error " + std::to_string(static_cast<int>(error));
    if (text != nullptr) {
        std::string message = text;
        LocalFree(text);
        while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
            message.pop_back();
        }
        if (!message.empty()) {
            described += ": " + message;
        }
    }
    return described;
}

bool isExistingFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Opening a file without reading or writing it changes nothing, and tells whether the
// copy could open it as it will have to.
DWORD openError(const std::string& path, DWORD access) {
    HANDLE file = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    CloseHandle(file);
    return ERROR_SUCCESS;
}

class SetWalker {
public:
    explicit SetWalker(SetInspection& inspection) : inspection_(inspection) {}

    // Walks `source` as the copy would, with the same patterns and entry rules.
    void walk(const std::string& source, const std::string& destination, const std::string& relative) {
        WIN32_FIND_DATAA entry;
        FindHandle search(FindFirstFileA((source + "\\*.*").c_str(), &entry));
        if (!search.valid()) {
            const DWORD error = GetLastError();
            inspection_.problems.push_back("the folder " + source + " cannot be read (" + errorText(error) + ")");
            return;
        }
        do {
            const std::string name = entry.cFileName;
            if (isDotName(entry)) {
                if (!isSelfOrParent(entry)) {
                    inspection_.skipped.push_back(relative + name);
                }
                continue;
            }
            const std::string sourceItem = source + "\\" + name;
            const std::string destinationItem = destination + "\\" + name;
            if (isFolder(entry)) {
                walk(sourceItem, destinationItem, relative + name + "\\");
            } else {
                ++inspection_.fileCount;
                inspection_.byteCount += (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
                checkFile(sourceItem, destination, destinationItem);
            }
        } while (FindNextFileA(search.get(), &entry));
        const DWORD endReason = GetLastError();
        search.close();
        if (endReason != ERROR_NO_MORE_FILES) {
            inspection_.problems.push_back("the folder " + source + " could not be read to its end (" + errorText(endReason) + ")");
        }
    }

private:
    void checkFile(const std::string& sourceItem, const std::string& destinationFolder, const std::string& destinationItem) {
        const DWORD sourceError = openError(sourceItem, GENERIC_READ);
        if (sourceError != ERROR_SUCCESS) {
            inspection_.problems.push_back("the file " + sourceItem + " cannot be read (" + errorText(sourceError) + ")");
        }
        if (!isExistingFolder(destinationFolder)) {
            noteMissingFolder(destinationFolder, sourceItem);
            return;
        }
        const DWORD attributes = GetFileAttributesA(destinationItem.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return;  // a new file in an existing folder
        }
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            inspection_.problems.push_back("the file " + sourceItem + " would replace " + destinationItem +
                                           ", which is a folder");
        } else if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
            inspection_.problems.push_back("the file " + destinationItem + " is read-only, so " + sourceItem +
                                           " cannot replace it");
        } else if (const DWORD error = openError(destinationItem, GENERIC_WRITE); error != ERROR_SUCCESS) {
            inspection_.problems.push_back("the file " + destinationItem + " cannot be replaced (" + errorText(error) +
                                           (error == ERROR_SHARING_VIOLATION ? "; is the game running?" : "") + ")");
        }
    }

    void noteMissingFolder(const std::string& folder, const std::string& sourceItem) {
        for (auto& missing : inspection_.missingFolders) {
            if (missing.folder == folder) {
                ++missing.fileCount;
                return;
            }
        }
        inspection_.missingFolders.push_back({folder, sourceItem, 1});
    }

    SetInspection& inspection_;
};

} // namespace

SetInspection inspectWallpaperSet(const std::string& name) {
    SetInspection inspection;
    inspection.name = name;
    inspection.path = wallpaperSetPath(name);
    const auto contents = listSubdirectories(inspection.path);
    if (contents.empty()) {
        return inspection;
    }
    inspection.firstSubfolder = contents.front();
    inspection.destination = wallpaperDestination(inspection.firstSubfolder);
    SetWalker(inspection).walk(inspection.path, inspection.destination, "");
    return inspection;
}

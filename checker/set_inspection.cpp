#include "checker/set_inspection.h"

#include <windows.h>

#include "fsops/folder_walk.h"
#include "fsops/list_subdirectories.h"
#include "log/log_text.h"
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

std::wstring parentOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

bool isExistingFolder(const std::wstring& full) {
    const DWORD attributes = GetFileAttributesW(full.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Opening a file without reading or writing it changes nothing, and tells whether the
// copy could open it as it will have to.
DWORD openError(const std::wstring& full, DWORD access) {
    HANDLE file = CreateFileW(full.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    CloseHandle(file);
    return ERROR_SUCCESS;
}

// Follows the copy's own walk through one set and notes what would stop it, going on past
// each problem so that every one of them is found.
class SetWalker {
public:
    explicit SetWalker(SetInspection& inspection, std::size_t setPathLength)
        : inspection_(inspection), setPathLength_(setPathLength) {}

    bool operator()(const WalkEvent& event) {
        switch (event.kind) {
        case WalkEvent::File:
            ++inspection_.fileCount;
            inspection_.byteCount += fileSize(*event.entry);
            checkFile(event.source, event.mirror);
            break;
        case WalkEvent::DotName:
            inspection_.skipped.push_back(relative(event.source) + " (names that begin with a dot are never copied)");
            break;
        case WalkEvent::LoopLink:
            inspection_.skipped.push_back(relative(event.source) +
                                          " (a folder link back into a folder of the set; the copy passes over it)");
            break;
        case WalkEvent::NotListed:
            inspection_.problems.push_back("the folder " + logText(event.source.shown) + " cannot be read (" +
                                           errorText(event.error) + ")");
            break;
        case WalkEvent::ListingInterrupted:
            inspection_.problems.push_back("the folder " + logText(event.source.shown) +
                                           " could not be read to its end (" + errorText(event.error) + ")");
            break;
        default:
            break;
        }
        return true;
    }

private:
    std::string relative(const ItemPath& item) const { return logText(item.shown.substr(setPathLength_ + 1)); }

    void checkFile(const ItemPath& source, const ItemPath& destination) {
        const std::string sourceShown = logText(source.shown);
        const std::string destinationShown = logText(destination.shown);
        const DWORD sourceError = openError(source.full, GENERIC_READ);
        if (sourceError != ERROR_SUCCESS) {
            inspection_.problems.push_back("the file " + sourceShown + " cannot be read (" + errorText(sourceError) + ")");
        }
        if (!isExistingFolder(parentOf(destination.full))) {
            noteMissingFolder(logText(parentOf(destination.shown)), sourceShown);
            return;
        }
        const DWORD attributes = GetFileAttributesW(destination.full.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return;  // a new file in an existing folder
        }
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            inspection_.problems.push_back("the file " + sourceShown + " would replace " + destinationShown +
                                           ", which is a folder");
        } else if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
            inspection_.problems.push_back("the file " + destinationShown + " is read-only, so " + sourceShown +
                                           " cannot replace it");
        } else if (const DWORD error = openError(destination.full, GENERIC_WRITE); error != ERROR_SUCCESS) {
            inspection_.problems.push_back("the file " + destinationShown + " cannot be replaced (" + errorText(error) +
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
    std::size_t setPathLength_;
};

} // namespace

SetInspection inspectWallpaperSet(const std::wstring& name) {
    SetInspection inspection;
    inspection.name = logText(name);
    const std::wstring path = wallpaperSetPath(name);
    inspection.path = logText(path);
    const auto contents = listSubdirectories(path);
    if (contents.empty()) {
        return inspection;
    }
    inspection.firstSubfolder = logText(contents.front());
    inspection.mirrorsGameFolder = mirrorsGameFolder(contents.front());
    const std::wstring destination = wallpaperDestination(contents.front());
    inspection.destination = logText(destination);
    walkTree(resolvePath(path), resolvePath(destination), WalkRules(), SetWalker(inspection, path.size()));
    return inspection;
}

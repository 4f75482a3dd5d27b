#include "checker/set_inspection.h"

#include <windows.h>

#include <cstdio>
#include <map>
#include <utility>

#include "fsops/folder_walk.h"
#include "fsops/list_subdirectories.h"
#include "fsops/replace_file.h"
#include "fsops/unique_handle.h"
#include "log/log_text.h"
#include "log/messages.h"
#include "wallpaper/wallpaper_sets.h"

namespace lumeva {

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

// The plugin's line, formatted as the plugin's log formats it.
std::string formatted(const char* format, const std::string& first, const std::string& second, int number) {
    char line[8192];
    static_cast<void>(std::snprintf(line, sizeof line, format, first.c_str(), second.c_str(), number));
    return line;
}

std::string formatted(const char* format, int number) {
    char line[256];
    static_cast<void>(std::snprintf(line, sizeof line, format, number));
    return line;
}

// The plugin's own names are plain ASCII.
std::wstring wideName(const char* name) { return std::wstring(name, name + std::char_traits<char>::length(name)); }

std::wstring parentOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }
std::wstring nameOf(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

bool equalIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

bool startsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix) {
    return text.size() >= prefix.size() && equalIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// Whether this account may add a file to `folder`, asked of the folder's own access rules:
// nothing is created, nothing changes.
DWORD newFileRefusal(const std::wstring& folder) {
    const SECURITY_INFORMATION wanted =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD size = 0;
    GetFileSecurityW(folder.c_str(), wanted, nullptr, 0, &size);
    std::vector<char> descriptor(size > 0 ? size : 1);
    if (size == 0 || !GetFileSecurityW(folder.c_str(), wanted, descriptor.data(), size, &size)) {
        return ERROR_SUCCESS;  // nothing to go by: the copy will tell
    }
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_QUERY, &opened)) {
        return ERROR_SUCCESS;
    }
    const UniqueKernelHandle process(opened);
    HANDLE duplicate = nullptr;
    if (!DuplicateToken(process.get(), SecurityImpersonation, &duplicate)) {
        return ERROR_SUCCESS;
    }
    const UniqueKernelHandle token(duplicate);
    GENERIC_MAPPING mapping = {FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE, FILE_ALL_ACCESS};
    PRIVILEGE_SET privileges;
    DWORD privilegesSize = sizeof privileges;
    DWORD granted = 0;
    BOOL allowed = TRUE;
    const BOOL checked = AccessCheck(descriptor.data(), token.get(), FILE_ADD_FILE, &mapping, &privileges,
                                     &privilegesSize, &granted, &allowed);
    return checked && !allowed ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
}

// The room left on each destination disk while the set's files go onto it, in whole
// clusters: a copy takes its full size before the file it replaces gives its room back.
class DiskRoom {
public:
    // ERROR_DISK_FULL when a file of `bytes` does not fit into `folder`'s disk now.
    DWORD take(const std::wstring& folder, std::uint64_t bytes, std::uint64_t replacedBytes) {
        Disk& disk = diskOf(folder);
        if (!disk.known) {
            return ERROR_SUCCESS;
        }
        const std::uint64_t needed = clusters(disk, bytes);
        if (needed > disk.free) {
            return ERROR_DISK_FULL;
        }
        disk.free = disk.free - needed + clusters(disk, replacedBytes);
        return ERROR_SUCCESS;
    }

private:
    struct Disk {
        bool known = false;
        std::uint64_t free = 0;
        std::uint64_t cluster = 1;
    };

    static std::uint64_t clusters(const Disk& disk, std::uint64_t bytes) {
        return (bytes + disk.cluster - 1) / disk.cluster * disk.cluster;
    }

    // Folders on one disk share its room; a disk is told by its size and its room as first seen.
    Disk& diskOf(const std::wstring& folder) {
        ULARGE_INTEGER available;
        ULARGE_INTEGER total;
        ULARGE_INTEGER free;
        if (!GetDiskFreeSpaceExW(folder.c_str(), &available, &total, &free)) {
            return unknown_;
        }
        const auto key = std::make_pair(total.QuadPart, free.QuadPart);
        auto found = disks_.find(key);
        if (found == disks_.end()) {
            Disk disk;
            disk.known = true;
            disk.free = available.QuadPart;
            DWORD sectorsPerCluster = 0;
            DWORD bytesPerSector = 0;
            DWORD freeClusters = 0;
            DWORD clusterCount = 0;
            if (GetDiskFreeSpaceW((folder + L"\\").c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                                  &clusterCount) &&
                sectorsPerCluster * bytesPerSector > 0) {
                disk.cluster = static_cast<std::uint64_t>(sectorsPerCluster) * bytesPerSector;
            }
            found = disks_.emplace(key, disk).first;
        }
        return found->second;
    }

    std::map<std::pair<std::uint64_t, std::uint64_t>, Disk> disks_;
    Disk unknown_;
};

// Follows the copy's own walk through one set and finds, file by file, the error the copy
// would meet there, in the order the copy's steps meet them; it goes on past each failure so
// that every one of them is found.
class SetWalker {
public:
    SetWalker(SetInspection& inspection, std::size_t setPathLength)
        : inspection_(inspection), setPathLength_(setPathLength), wallpaperRoot_(resolvePath(wallpaperRoot()).full),
          pluginLog_(resolvePath(L".\\" + wideName(PluginLogName)).full) {}

    bool operator()(const WalkEvent& event) {
        switch (event.kind) {
        case WalkEvent::File:
            ++inspection_.fileCount;
            inspection_.byteCount += fileSize(*event.entry);
            checkFile(event.source, event.mirror, fileSize(*event.entry));
            break;
        case WalkEvent::DotName:
            inspection_.skipped.push_back(relative(event.source) + " (names that begin with a dot are never copied)");
            break;
        case WalkEvent::LoopLink:
            inspection_.skipped.push_back(relative(event.source) +
                                          " (a folder link back into a folder of the set; the copy passes over it)");
            break;
        case WalkEvent::NotListed:
            fail(event.source, static_cast<int>(event.error),
                 formatted(FolderNotListedMessage, static_cast<int>(event.error)),
                 "the folder " + logText(event.source.shown) + " cannot be read (" + errorText(event.error) + ")");
            break;
        case WalkEvent::ListingInterrupted:
            fail(event.source, static_cast<int>(event.error),
                 formatted(ListingEndedEarlyMessage, static_cast<int>(event.error)),
                 "the folder " + logText(event.source.shown) + " could not be read to its end (" +
                     errorText(event.error) + ")");
            break;
        default:
            break;
        }
        return true;
    }

private:
    std::string relative(const ItemPath& item) const { return logText(item.shown.substr(setPathLength_ + 1)); }

    void fail(const ItemPath& item, int error, const std::string& logLine, const std::string& text) {
        inspection_.failures.push_back({logText(item.shown), error, logLine, text});
    }

    void failCopy(const ItemPath& source, const ItemPath& destination, DWORD error, const std::string& text) {
        fail(
            source, static_cast<int>(error),
            formatted(FileCopyErrorMessage, logText(source.shown), logText(destination.shown), static_cast<int>(error)),
            text);
    }

    // The copy's steps in their order: the destination's refusal, opening the source,
    // creating the temporary copy, writing it, putting it in place.
    void checkFile(const ItemPath& source, const ItemPath& destination, std::uint64_t bytes) {
        const std::string sourceShown = logText(source.shown);
        const std::string destinationShown = logText(destination.shown);
        WIN32_FILE_ATTRIBUTE_DATA existing;
        const bool exists = GetFileAttributesExW(destination.full.c_str(), GetFileExInfoStandard, &existing) != 0;
        if (replacementRefusal(destination.full) != ERROR_SUCCESS) {
            const bool folder = (existing.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            failCopy(source, destination, ERROR_ACCESS_DENIED,
                     folder
                         ? "the file " + sourceShown + " would replace " + destinationShown + ", which is a folder"
                         : "the file " + destinationShown + " is read-only, so " + sourceShown + " cannot replace it");
            return;
        }
        if (!UniqueFile(openCopySource(source.full)).valid()) {
            const DWORD error = GetLastError();  // kept by the handle's close
            failCopy(source, destination, error,
                     "the file " + sourceShown + " cannot be read (" + errorText(error) + ")");
            return;
        }
        const std::wstring folder = parentOf(destination.full);
        const DWORD folderAttributes = GetFileAttributesW(folder.c_str());
        if (folderAttributes == INVALID_FILE_ATTRIBUTES || (folderAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            noteMissingFolder(logText(parentOf(destination.shown)), sourceShown);
            failCopy(source, destination, ERROR_PATH_NOT_FOUND, "");
            return;
        }
        if (newFileRefusal(folder) != ERROR_SUCCESS) {
            failCopy(source, destination, ERROR_ACCESS_DENIED,
                     "no file can be created in the folder " + logText(parentOf(destination.shown)) + ", so " +
                         sourceShown + " cannot be copied there (error 5: Access denied.)");
            return;
        }
        const std::uint64_t replaced =
            exists ? (static_cast<std::uint64_t>(existing.nFileSizeHigh) << 32) | existing.nFileSizeLow : 0;
        if (disks_.take(folder, bytes, replaced) != ERROR_SUCCESS) {
            failCopy(source, destination, ERROR_DISK_FULL,
                     "the disk of " + logText(parentOf(destination.shown)) + " has too little room left for " +
                         sourceShown + " (" + std::to_string(bytes) + " bytes)");
            return;
        }
        if (equalIgnoringCase(destination.full, pluginLog_)) {
            failCopy(source, destination, ERROR_SHARING_VIOLATION,
                     "the file " + sourceShown + " would replace the plugin's own log " + destinationShown +
                         ", which the plugin holds open while it runs");
            return;
        }
        if (exists && heldOpenElsewhere(destination.full) != ERROR_SUCCESS) {
            failCopy(source, destination, ERROR_SHARING_VIOLATION,
                     "the file " + destinationShown + " cannot be replaced (" + errorText(ERROR_SHARING_VIOLATION) +
                         "; is the game running?)");
            return;
        }
        noteHarm(source, destination);
    }

    // Copies that succeed but do harm all the same.
    void noteHarm(const ItemPath& source, const ItemPath& destination) {
        const std::string sourceShown = logText(source.shown);
        if (startsWithIgnoringCase(destination.full, wallpaperRoot_)) {
            inspection_.warnings.push_back("the file " + sourceShown +
                                           " would be copied into the wallpaper folder as " +
                                           logText(destination.shown) + ", changing the wallpaper sets themselves");
        } else if (equalIgnoringCase(parentOf(destination.full), parentOf(pluginLog_)) &&
                   startsWithIgnoringCase(nameOf(destination.full), nameOf(pluginLog_))) {
            inspection_.warnings.push_back("the file " + sourceShown + " would replace " + logText(destination.shown) +
                                           ", a name the plugin logs to when its log is taken");
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
    std::wstring wallpaperRoot_;
    std::wstring pluginLog_;
    DiskRoom disks_;
};

}  // namespace

std::string SetInspection::predictedLogLine() const {
    if (firstSubfolder.empty()) {
        return formatted(EmptySetMessage, path, "", 0);
    }
    return failures.empty() ? std::string() : failures.front().logLine;
}

SetInspection inspectWallpaperSet(const std::wstring& name) {
    SetInspection inspection;
    inspection.realName = name;
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

}  // namespace lumeva

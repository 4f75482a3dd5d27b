#include "fsops/copy_directory.h"

#include "fsops/find_handle.h"
#include "fsops/folder_entries.h"
#include "log/plugin_log.h"

namespace {

// Signed, as the messages print it.
int lastError() { return static_cast<int>(GetLastError()); }

} // namespace

bool copyDirectory(const std::string& source, const std::string& destination) {
    const std::string pattern = source + "\\*.*";
    WIN32_FIND_DATAA entry;
    FindHandle search(FindFirstFileA(pattern.c_str(), &entry));
    if (!search.valid()) {
        logMessage("Error in copyDirectory.findFirstFile - %d", lastError());
        return false;
    }
    do {
        if (isDotName(entry)) {
            continue;
        }
        const std::string sourceItem = source + "\\" + entry.cFileName;
        const std::string destinationItem = destination + "\\" + entry.cFileName;
        if (isFolder(entry)) {
            if (!copyDirectory(sourceItem, destinationItem)) {
                return false;
            }
        } else if (!CopyFileA(sourceItem.c_str(), destinationItem.c_str(), FALSE)) {
            const int error = lastError();
            logMessage("Error in file copy from %s to %s - %d", sourceItem.c_str(), destinationItem.c_str(), error);
            return false;
        }
    } while (FindNextFileA(search.get(), &entry));
    // Read why the enumeration ended before closing the search can overwrite it.
    const int endReason = lastError();
    search.close();
    if (endReason != ERROR_NO_MORE_FILES) {
        logMessage("Error in file copy - %d", endReason);
        return false;
    }
    return true;
}

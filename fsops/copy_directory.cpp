#include "fsops/copy_directory.h"

#include "fsops/folder_walk.h"
#include "fsops/replace_file.h"
#include "log/log_text.h"
#include "log/messages.h"
#include "log/plugin_log.h"

namespace lumeva {

namespace {

// Signed, as the messages print it.
int signedError(DWORD error) { return static_cast<int>(error); }

bool copyStep(const WalkEvent& event) {
    switch (event.kind) {
    case WalkEvent::File: {
        const FileStamp stamp = {event.entry->dwFileAttributes, event.entry->ftLastWriteTime};
        const DWORD error = replaceFile(event.source.full, event.mirror.full, stamp);
        if (error != ERROR_SUCCESS) {
            logMessage(FileCopyErrorMessage, logText(event.source.shown).c_str(), logText(event.mirror.shown).c_str(),
                       signedError(error));
            return false;
        }
        return true;
    }
    case WalkEvent::NotListed:
        logMessage(FolderNotListedMessage, signedError(event.error));
        return false;
    case WalkEvent::ListingInterrupted:
        logMessage(ListingEndedEarlyMessage, signedError(event.error));
        return false;
    default:
        return true;  // dot names and links back into the copy are passed over
    }
}

}  // namespace

bool copyDirectory(const std::wstring& source, const std::wstring& destination) {
    return walkTree(resolvePath(source), resolvePath(destination), WalkRules(), copyStep);
}

}  // namespace lumeva

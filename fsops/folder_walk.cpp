#include "fsops/folder_walk.h"

namespace lumeva {

bool leadsBack(const ItemPath& link, const WalkFrame& frame) {
    const FolderIdentity target = folderIdentity(link.full);
    if (!target.known) {
        return false;  // walked as a folder; listing it reports why it cannot be read
    }
    for (const WalkFrame* folder = &frame; folder != nullptr; folder = folder->outer) {
        if (!folder->identified) {
            folder->identity = folderIdentity(folder->folder.full);
            folder->identified = true;
        }
        if (sameFolder(target, folder->identity)) {
            return true;
        }
    }
    return false;
}

}  // namespace lumeva

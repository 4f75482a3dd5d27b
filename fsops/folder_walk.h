#pragma once

#include <windows.h>

#include "fsops/folder_identity.h"
#include "fsops/folder_listing.h"
#include "fsops/item_path.h"

namespace lumeva {

// One step of a walk through a folder tree, handed to the walker's visitor.
struct WalkEvent {
    enum Kind {
        File,                // a file to take
        DotName,             // an entry whose name begins with a dot, passed over
        LoopLink,            // a folder link back into a folder being walked, passed over
        Link,                // a folder link, not followed (WalkRules::followLinks off)
        NotListed,           // a folder whose listing could not start: `error`
        ListingInterrupted,  // a folder whose listing ended early: `error`
        FolderDone,          // a folder whose listing is over and closed
    };
    Kind kind;
    const ItemPath& source;                   // the entry, or the folder itself
    const ItemPath& mirror;                   // the same place below the mirror root
    const WIN32_FIND_DATAW* entry = nullptr;  // File, DotName, LoopLink and Link
    DWORD error = ERROR_SUCCESS;              // NotListed and ListingInterrupted
};

struct WalkRules {
    bool skipDotNames = true;  // the plugin's rule; tools that must see everything turn it off
    bool followLinks = true;   // a folder link is walked as the folder it leads to
};

// The folders from the walk's root down to the one being listed, innermost first; what each
// one is, is found only when a link asks, so a tree without links costs nothing more.
struct WalkFrame {
    const ItemPath& folder;
    const WalkFrame* outer;
    mutable FolderIdentity identity;
    mutable bool identified;
};

// True when the folder link `link` leads to one of the folders of `frame`.
bool leadsBack(const ItemPath& link, const WalkFrame& frame);

// Walks `source` depth first in the platform's order, each subfolder whole before the next
// entry, joining the same names onto `mirror` alongside (the place a copy would write).
// `visit(event)` returns false to stop the walk; the result is false when it was stopped.
template <typename Visit>
bool walkTree(const ItemPath& source, const ItemPath& mirror, const WalkRules& rules, Visit&& visit,
              const WalkFrame* outer = nullptr) {
    const WalkFrame frame{source, outer, FolderIdentity(), false};
    bool stopped = false;
    const Listing listing = listFolder(source.full, [&](const WIN32_FIND_DATAW& entry) {
        const ItemPath sourceItem = childPath(source, entry.cFileName);
        const ItemPath mirrorItem = childPath(mirror, entry.cFileName);
        WalkEvent::Kind passedOver = WalkEvent::File;
        if (rules.skipDotNames && isDotName(entry)) {
            passedOver = WalkEvent::DotName;
        } else if (isFolder(entry) && isLink(entry)) {
            if (!rules.followLinks) {
                passedOver = WalkEvent::Link;
            } else if (leadsBack(sourceItem, frame)) {
                passedOver = WalkEvent::LoopLink;
            }
        }
        if (passedOver != WalkEvent::File) {
            stopped = !visit(WalkEvent{passedOver, sourceItem, mirrorItem, &entry});
        } else if (isFolder(entry)) {
            stopped = !walkTree(sourceItem, mirrorItem, rules, visit, &frame);
        } else {
            stopped = !visit(WalkEvent{WalkEvent::File, sourceItem, mirrorItem, &entry});
        }
        return !stopped;
    });
    if (stopped) {
        return false;
    }
    if (listing.outcome == Listing::NotStarted || listing.outcome == Listing::Interrupted) {
        const WalkEvent::Kind kind =
            listing.outcome == Listing::NotStarted ? WalkEvent::NotListed : WalkEvent::ListingInterrupted;
        if (!visit(WalkEvent{kind, source, mirror, nullptr, listing.error})) {
            return false;
        }
    }
    return visit(WalkEvent{WalkEvent::FolderDone, source, mirror});
}

}  // namespace lumeva

#pragma once

#include <windows.h>

#include <string>

#include "fsops/unique_handle.h"
#include "fsops/folder_entries.h"
#include "fsops/item_path.h"

namespace lumeva {

// How a listing of one folder ended. `error` is the platform's number, read right at the
// call that ended it: ERROR_NO_MORE_FILES when every entry was delivered.
struct Listing {
    enum Outcome { Complete, NotStarted, Interrupted, Stopped };
    Outcome outcome;
    DWORD error;
};

// Calls `visit(entry)` for every entry of the folder `full` (an extended-length path) but
// "." and "..", in the platform's enumeration order, until `visit` returns false. Nothing is
// sorted: that order decides which set the clock picks and which subfolder counts as first.
template <typename Visit>
Listing listFolder(const std::wstring& full, Visit&& visit) {
    WIN32_FIND_DATAW entry;
    // Every entry matches "*"; basic information leaves out the short names nobody reads.
    UniqueFind search(
        FindFirstFileExW(joinFull(full, L"*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0));
    if (!search.valid()) {
        return {Listing::NotStarted, GetLastError()};
    }
    do {
        if (!isSelfOrParent(entry) && !visit(static_cast<const WIN32_FIND_DATAW&>(entry))) {
            return {Listing::Stopped, ERROR_SUCCESS};
        }
    } while (FindNextFileW(search.get(), &entry));
    // Read why the enumeration ended before closing the search can overwrite it.
    const DWORD endReason = GetLastError();
    return {endReason == ERROR_NO_MORE_FILES ? Listing::Complete : Listing::Interrupted, endReason};
}

}  // namespace lumeva

#pragma once

#include <string>

namespace lumeva {

// A path in the two forms the plugin needs. `shown` is built as the plugin always built it,
// relative to the game folder and joined by appending "\" and a name, and is what log lines
// show. `full` is the same item as an absolute extended-length path ("\\?\C:\..."): every
// platform call takes this one, so no code page maps a name to a lookalike and no path is
// too long for the platform.
struct ItemPath {
    std::wstring shown;
    std::wstring full;
};

// `shown` with its absolute form, resolved against the current folder.
ItemPath resolvePath(const std::wstring& shown);

// The entry `name` inside `folder`, in both forms.
ItemPath childPath(const ItemPath& folder, const std::wstring& name);

// `full` with `name` appended after one separator.
std::wstring joinFull(const std::wstring& folder, const std::wstring& name);

}  // namespace lumeva

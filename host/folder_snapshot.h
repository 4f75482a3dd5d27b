#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace lumeva {

// The files below a folder with a digest of each one's bytes, to tell afterwards which
// files a plugin replaced or added.
using FolderSnapshot = std::map<std::wstring, std::uint64_t>;

FolderSnapshot snapshotFolder(const std::wstring& folder);

// Relative paths present in `after` that were absent from `before` or now hold other bytes.
std::vector<std::wstring> changedFiles(const FolderSnapshot& before, const FolderSnapshot& after);

}  // namespace lumeva

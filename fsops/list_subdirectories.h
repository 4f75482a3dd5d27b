#pragma once

#include <string>
#include <vector>

namespace lumeva {

// The names of the immediate subfolders of `path`, in the platform's enumeration order,
// without dot-named ones. A folder that is missing or cannot be read has none. Never logs.
std::vector<std::wstring> listSubdirectories(const std::wstring& path);

}  // namespace lumeva

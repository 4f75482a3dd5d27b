#pragma once

#include <string>

namespace lumeva {

// Copies every file below `source` onto the same relative path below `destination`,
// replacing existing files whole and creating no folders. Stops at the first failure, logs
// its one line and returns false; what was copied before stays.
bool copyDirectory(const std::wstring& source, const std::wstring& destination);

}  // namespace lumeva

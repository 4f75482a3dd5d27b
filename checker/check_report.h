#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "checker/set_inspection.h"

namespace lumeva {

// An entry of the wallpaper folder that is not a set, and why.
struct NonSet {
    std::wstring realName;
    std::string name;
    std::string reason;
};

// Everything lumeva-check finds in one game folder, for either form of its report.
struct CheckReport {
    std::wstring gameFolder;
    bool rootExists = false;
    std::vector<NonSet> nonSets;
    std::vector<SetInspection> sets;  // in the platform's order
    std::int64_t second = 0;
    std::size_t picked = 0;  // meaningful when there is a set

    bool everySetComplete() const;
};

CheckReport checkGameFolder(std::int64_t second);

void printTextReport(const CheckReport& report);
void printJsonReport(const CheckReport& report);

}  // namespace lumeva

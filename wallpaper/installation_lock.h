#pragma once

#include <windows.h>

#include <string>

#include "fsops/unique_handle.h"

namespace lumeva {

// Keeps two game starts in one game folder from installing at the same time, so their
// copies never interleave: a named mutex for the game folder's full path. A start that
// crashes while holding it releases it with its process.
class InstallationLock {
public:
    // Waits up to `waitSeconds` for another start in this game folder to finish.
    explicit InstallationLock(unsigned waitSeconds);
    ~InstallationLock();
    InstallationLock(const InstallationLock&) = delete;
    InstallationLock& operator=(const InstallationLock&) = delete;

    // False when another start still held the lock after the wait.
    bool acquired() const { return acquired_; }

private:
    UniqueKernelHandle mutex_;
    bool acquired_;
};

// The lock's name for the current folder, the same for every spelling of its path that
// differs only in case.
std::wstring installationLockName();

}  // namespace lumeva

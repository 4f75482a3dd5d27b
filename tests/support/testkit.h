#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/game_folder.h"

// The plugin's routines, reached (names in UTF-8) through the test kit DLL loaded in the current folder.
// Loading opens the plugin's log there; unload() closes it so the test can read it.
class Testkit {
public:
    Testkit();

    std::vector<std::string> listSubdirectories(const std::string& path) const;
    bool copyDirectory(const std::string& source, const std::string& destination) const {
        return copy_(source.c_str(), destination.c_str());
    }
    bool rotateWallpaperAt(std::int64_t seconds) const { return rotate_(seconds); }
    bool rotateWallpaperWaiting(std::int64_t seconds, unsigned waitSeconds) const {
        return rotateWaiting_(seconds, waitSeconds);
    }
    std::string installationLockName() const;
    bool runGuardedThrowing(int kind, bool safeResult) const { return guarded_(kind, safeResult); }

    using LogMessage = void(__cdecl*)(const char* format, ...);
    LogMessage logMessage;

    void unload() { library_.unload(); }

private:
    LoadedLibrary library_;
    int(__cdecl* list_)(const char*, char*, int);
    bool(__cdecl* copy_)(const char*, const char*);
    bool(__cdecl* rotate_)(std::int64_t);
    bool(__cdecl* rotateWaiting_)(std::int64_t, unsigned);
    bool(__cdecl* lockName_)(char*, int);
    bool(__cdecl* guarded_)(int, bool);
};

#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/utf8.h"

// A temporary game folder under the Windows temp folder, made the current folder for the
// test's lifetime and removed afterwards, as the plugin runs with the game folder current.
class GameFolder {
public:
    GameFolder();
    ~GameFolder();
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    const std::string& path() const { return path_; }

    // Paths below are relative to the game folder, in UTF-8, and use backslashes.
    void makeFolder(const std::string& relative) const;
    void writeFile(const std::string& relative, const std::string& content) const;
    std::string readFile(const std::string& relative) const;
    bool exists(const std::string& relative) const;

    // Every file below the game folder (relative paths), so a test can see nothing else moved.
    std::vector<std::string> allFiles() const;

private:
    std::string path_;
    std::string previous_;
};

// The names in a folder as the platform enumerates them, folders only or everything.
std::vector<std::string> platformOrder(const std::string& folder, bool foldersOnly = true);

// Full path of a file that was built beside the running test program.
std::string besideProgram(const std::string& fileName);

// Holds a file open for writing without write sharing, as a second running game would.
class HeldOpen {
public:
    explicit HeldOpen(const std::string& path);
    ~HeldOpen();
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// A DLL loaded for the test's scope; unloading it runs its at-exit actions (the log closes).
class LoadedLibrary {
public:
    explicit LoadedLibrary(const std::string& path);
    ~LoadedLibrary();
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    bool loaded() const { return module_ != nullptr; }
    void unload();

    template <typename Function>
    Function get(const char* name) const {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

private:
    HMODULE module_;
};

constexpr const char* LogName = "korvex_lumeva_plugin.log";

// One log line as it stands on disk.
inline std::string logLine(const std::string& text) { return text + "\r\n"; }

// The names that do not begin with a dot, order kept: what the plugin considers at all.
std::vector<std::string> withoutDotNames(std::vector<std::string> names);

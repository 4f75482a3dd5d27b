#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumeva {

// What installing one wallpaper set would do, found without changing anything on disk.
// Names and paths are as the plugin's log shows them.

struct MissingFolder {
    std::string folder;     // the destination folder that does not exist
    std::string firstFile;  // the first source file that would go into it
    int fileCount = 0;      // how many files would go into it
};

// A place where the copy would stop, with what the plugin would log there.
struct Failure {
    std::string file;     // the set's file or folder
    int error = 0;        // the error number in the plugin's line
    std::string logLine;  // the line the plugin would write
    std::string text;     // what it means, for the report ("" for a missing folder, told apart)
};

struct SetInspection {
    std::wstring realName;
    std::string name;
    std::string path;            // as the plugin builds it
    std::string firstSubfolder;  // empty: the set has no subfolder and copies nothing
    bool mirrorsGameFolder = false;
    std::string destination;  // ".\" or ".\Data"
    int fileCount = 0;        // files the copy would take, dot-named ones left out
    std::uint64_t byteCount = 0;
    std::vector<MissingFolder> missingFolders;
    std::vector<Failure> failures;      // in the copy's order: the plugin stops at the first
    std::vector<std::string> warnings;  // harm done by a copy that still succeeds
    std::vector<std::string> skipped;   // entries the copy passes over, each with why

    bool installsCompletely() const { return !firstSubfolder.empty() && failures.empty(); }
    // The line the plugin would log for this set: "" when it would log none.
    std::string predictedLogLine() const;
};

// Inspects the set `name` of the wallpaper root in the current game folder.
SetInspection inspectWallpaperSet(const std::wstring& name);

}  // namespace lumeva

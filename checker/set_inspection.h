#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What installing one wallpaper set would do, found without changing anything on disk.
struct MissingFolder {
    std::string folder;     // the destination folder that does not exist
    std::string firstFile;  // the first source file that would go into it
    int fileCount = 0;      // how many files would go into it
};

// Names and paths are as the plugin's log shows them.
struct SetInspection {
    std::string name;
    std::string path;            // as the plugin builds it
    std::string firstSubfolder;  // empty: the set has no subfolder and copies nothing
    bool mirrorsGameFolder = false;
    std::string destination;     // ".\" or ".\Data"
    int fileCount = 0;           // files the copy would take, dot-named ones left out
    std::uint64_t byteCount = 0;
    std::vector<MissingFolder> missingFolders;
    std::vector<std::string> problems;  // every other reason the copy would fail part-way
    std::vector<std::string> skipped;   // entries the copy passes over, each with why

    bool installsCompletely() const { return !firstSubfolder.empty() && missingFolders.empty() && problems.empty(); }
};

// Inspects the set `name` of the wallpaper root in the current game folder.
SetInspection inspectWallpaperSet(const std::wstring& name);

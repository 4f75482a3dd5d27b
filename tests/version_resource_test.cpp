#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/game_folder.h"

namespace {

// One string of a file's version resource, as Windows' file properties show it.
std::string versionString(const std::string& file, const char* name) {
    const std::wstring path = wide(file);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) {
        return "<no version resource>";
    }
    std::vector<char> data(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) {
        return "<unreadable>";
    }
    void* value = nullptr;
    UINT length = 0;
    const std::wstring key = L"\\StringFileInfo\\040904B0\\" + wide(name);
    if (!VerQueryValueW(data.data(), key.c_str(), &value, &length) || length == 0) {
        return "<missing>";
    }
    return utf8(static_cast<const wchar_t*>(value));
}

struct VersionedFile {
    const char* file;
    const char* description;
};

class VersionResource : public ::testing::TestWithParam<VersionedFile> {};

TEST_P(VersionResource, NamesTheProductAndItsVersion) {
    const std::string file = besideProgram(GetParam().file);
    EXPECT_EQ(versionString(file, "FileVersion"), "1.0.0");
    EXPECT_EQ(versionString(file, "ProductVersion"), "1.0.0");
    EXPECT_EQ(versionString(file, "ProductName"), "Lumeva wallpaper plugin for Korvex");
    EXPECT_EQ(versionString(file, "FileDescription"), GetParam().description);
    EXPECT_EQ(versionString(file, "OriginalFilename"), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(
    ShippedFiles, VersionResource,
    ::testing::Values(VersionedFile{"korvex_lumeva_plugin.dll",
                                    "Lumeva: a new main-menu wallpaper at every game start"},
                      VersionedFile{"lumeva-check.exe", "Lumeva: checks wallpaper sets before the game starts"}),
    [](const auto& info) { return info.index == 0 ? std::string("Plugin") : std::string("Checker"); });

}  // namespace

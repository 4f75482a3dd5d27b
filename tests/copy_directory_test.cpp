#include <gtest/gtest.h>

#include <algorithm>

#include "support/game_folder.h"
#include "support/testkit.h"

namespace {

using Names = std::vector<std::string>;

// Names created in the order of their spelling are listed in that order both where the
// platform sorts a folder (NTFS, Wine) and where it keeps the order of creation (FAT): a
// test that needs one item listed before a failure and one after lays them out so.
TEST(CopyDirectory, MergesIntoExistingFoldersAndReplacesFiles) {
    GameFolder game;
    game.writeFile("src\\a.txt", "new a");
    game.writeFile("src\\sub\\b.txt", "new b");
    game.writeFile("dst\\a.txt", "old a");
    game.writeFile("dst\\sub\\b.txt", "old b");
    game.writeFile("dst\\sub\\keep.txt", "untouched");
    game.writeFile("dst\\other.txt", "untouched too");
    Testkit kit;
    EXPECT_TRUE(kit.copyDirectory("src", "dst"));
    kit.unload();
    EXPECT_EQ(game.readFile("dst\\a.txt"), "new a");
    EXPECT_EQ(game.readFile("dst\\sub\\b.txt"), "new b");
    EXPECT_EQ(game.readFile("dst\\sub\\keep.txt"), "untouched");
    EXPECT_EQ(game.readFile("dst\\other.txt"), "untouched too");
    EXPECT_EQ(game.readFile(LogName), "");
}

TEST(CopyDirectory, IntoAMissingFolderFailsAtItsFirstFileAndKeepsWhatWasCopied) {
    GameFolder game;
    game.writeFile("src\\a.txt", "new a");
    game.writeFile("src\\sub\\b.txt", "new b");
    game.writeFile("src\\z.txt", "new z");
    game.makeFolder("dst");
    ASSERT_EQ(platformOrder("src", false), (Names{"a.txt", "sub", "z.txt"}));
    Testkit kit;
    EXPECT_FALSE(kit.copyDirectory("src", "dst"));
    kit.unload();
    EXPECT_EQ(game.readFile(LogName), logLine("Error in file copy from src\\sub\\b.txt to dst\\sub\\b.txt - 3"));
    EXPECT_FALSE(game.exists("dst\\sub"));
    // What was listed before sub was copied; nothing after it was touched.
    EXPECT_EQ(game.readFile("dst\\a.txt"), "new a");
    EXPECT_FALSE(game.exists("dst\\z.txt"));
}

TEST(CopyDirectory, ASourceFolderWithoutFilesNeedsNoDestinationFolder) {
    GameFolder game;
    game.makeFolder("src\\empty\\deeper");
    game.makeFolder("dst");
    Testkit kit;
    EXPECT_TRUE(kit.copyDirectory("src", "dst"));
    kit.unload();
    EXPECT_FALSE(game.exists("dst\\empty"));
    EXPECT_EQ(game.readFile(LogName), "");
}

TEST(CopyDirectory, AnEmptySourceCopiesNothingAndSucceeds) {
    GameFolder game;
    game.makeFolder("src");
    game.makeFolder("dst");
    Testkit kit;
    EXPECT_TRUE(kit.copyDirectory("src", "dst"));
    kit.unload();
    EXPECT_EQ(platformOrder("dst", false), Names{});
    EXPECT_EQ(game.readFile(LogName), "");
}

TEST(CopyDirectory, AMissingSourceCannotBeEnumerated) {
    GameFolder game;
    game.makeFolder("dst");
    Testkit kit;
    EXPECT_FALSE(kit.copyDirectory("nowhere", "dst"));
    kit.unload();
    EXPECT_EQ(game.readFile(LogName), logLine("Error in copyDirectory.findFirstFile - 3"));
}

TEST(CopyDirectory, NeverCopiesDotNamedEntriesAtAnyDepth) {
    GameFolder game;
    game.writeFile("src\\.hidden.txt", "no");
    game.writeFile("src\\.git\\config", "no");
    game.writeFile("src\\sub\\.secret", "no");
    game.writeFile("src\\sub\\..odd\\deep.txt", "no");
    game.writeFile("src\\sub\\shown.txt", "yes");
    game.makeFolder("dst\\sub");
    Testkit kit;
    EXPECT_TRUE(kit.copyDirectory("src", "dst"));
    kit.unload();
    EXPECT_EQ(game.readFile("dst\\sub\\shown.txt"), "yes");
    EXPECT_EQ(platformOrder("dst", false), Names{"sub"});
    EXPECT_EQ(platformOrder("dst\\sub", false), Names{"shown.txt"});
    EXPECT_EQ(game.readFile(LogName), "");
}

TEST(CopyDirectory, ADestinationEndingInABackslashShowsTheDoubledSeparator) {
    GameFolder game;
    game.writeFile("src\\sub\\b.txt", "b");
    game.makeFolder("dst");
    Testkit kit;
    EXPECT_FALSE(kit.copyDirectory("src", "dst\\"));
    kit.unload();
    EXPECT_EQ(game.readFile(LogName), logLine("Error in file copy from src\\sub\\b.txt to dst\\\\sub\\b.txt - 3"));
}

// A destination file that cannot be replaced stops the copy at that file with the
// platform's reason; files delivered after it are not touched, the blocked file keeps what it
// held, and no temporary copy is left beside it.
struct BlockedDestination {
    const char* what;
    enum { HeldOpen, FolderInItsPlace, ReadOnly } kind;
    int expectedError;  // the platform's number for it
};

class CopyDirectoryBlocked : public ::testing::TestWithParam<BlockedDestination> {};

TEST_P(CopyDirectoryBlocked, StopsAtTheFileWithTheReason) {
    const BlockedDestination blocked = GetParam();
    GameFolder game;
    for (const char* name : {"a.txt", "m.txt", "z.txt"}) {
        game.writeFile(std::string("src\\") + name, std::string("new ") + name);
        if (!(name == std::string("m.txt") && blocked.kind == BlockedDestination::FolderInItsPlace)) {
            game.writeFile(std::string("dst\\") + name, std::string("old ") + name);
        }
    }
    if (blocked.kind == BlockedDestination::FolderInItsPlace) {
        game.makeFolder("dst\\m.txt");
    }
    if (blocked.kind == BlockedDestination::ReadOnly) {
        SetFileAttributesW(wide(game.path() + "\\dst\\m.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    }
    ASSERT_EQ(platformOrder("src", false), (Names{"a.txt", "m.txt", "z.txt"}));
    HeldOpen holder(game.path() + (blocked.kind == BlockedDestination::HeldOpen ? "\\dst\\m.txt" : "\\unused"));
    Testkit kit;
    EXPECT_FALSE(kit.copyDirectory("src", "dst"));
    kit.unload();
    EXPECT_EQ(game.readFile(LogName),
              logLine("Error in file copy from src\\m.txt to dst\\m.txt - " + std::to_string(blocked.expectedError)));
    EXPECT_EQ(game.readFile("dst\\a.txt"), "new a.txt");
    EXPECT_EQ(game.readFile("dst\\z.txt"), "old z.txt");
    if (blocked.kind != BlockedDestination::FolderInItsPlace) {
        EXPECT_EQ(game.readFile("dst\\m.txt"), "old m.txt");
    }
    Names left = platformOrder("dst", false);
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (Names{"a.txt", "m.txt", "z.txt"}));
    SetFileAttributesW(wide(game.path() + "\\dst\\m.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, CopyDirectoryBlocked,
    ::testing::Values(BlockedDestination{"HeldOpen", BlockedDestination::HeldOpen, ERROR_SHARING_VIOLATION},
                      BlockedDestination{"FolderInItsPlace", BlockedDestination::FolderInItsPlace, ERROR_ACCESS_DENIED},
                      BlockedDestination{"ReadOnly", BlockedDestination::ReadOnly, ERROR_ACCESS_DENIED}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(CopyDirectory, AReplacedFileKeepsTheSourcesTimeStampAndReadOnlyFlag) {
    GameFolder game;
    game.writeFile("src\\locked.txt", "new");
    game.writeFile("dst\\locked.txt", "old");
    const std::wstring source = wide(game.path() + "\\src\\locked.txt");
    HANDLE file = CreateFileW(source.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME stamp = {0x12345600, 0x01D00000};
    SetFileTime(file, nullptr, nullptr, &stamp);
    CloseHandle(file);
    SetFileAttributesW(source.c_str(), FILE_ATTRIBUTE_READONLY);
    Testkit kit;
    EXPECT_TRUE(kit.copyDirectory("src", "dst"));
    kit.unload();
    const std::wstring destination = wide(game.path() + "\\dst\\locked.txt");
    WIN32_FILE_ATTRIBUTE_DATA copied;
    ASSERT_TRUE(GetFileAttributesExW(destination.c_str(), GetFileExInfoStandard, &copied));
    EXPECT_EQ(game.readFile("dst\\locked.txt"), "new");
    EXPECT_NE(copied.dwFileAttributes & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(copied.ftLastWriteTime.dwLowDateTime, stamp.dwLowDateTime);
    EXPECT_EQ(copied.ftLastWriteTime.dwHighDateTime, stamp.dwHighDateTime);
    SetFileAttributesW(source.c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(CopyDirectory, AFailureDeepDownStopsTheWholeCopy) {
    GameFolder game;
    game.writeFile("src\\aa\\before.txt", "before");
    game.writeFile("src\\one\\two\\three.txt", "3");
    game.writeFile("src\\zz\\after.txt", "after");
    game.makeFolder("dst\\aa");
    game.makeFolder("dst\\one");
    game.makeFolder("dst\\zz");
    ASSERT_EQ(platformOrder("src"), (Names{"aa", "one", "zz"}));
    Testkit kit;
    EXPECT_FALSE(kit.copyDirectory("src", "dst"));
    kit.unload();
    EXPECT_EQ(game.readFile(LogName),
              logLine("Error in file copy from src\\one\\two\\three.txt to dst\\one\\two\\three.txt - 3"));
    EXPECT_EQ(game.readFile("dst\\aa\\before.txt"), "before");
    EXPECT_FALSE(game.exists("dst\\zz\\after.txt"));
}

}  // namespace

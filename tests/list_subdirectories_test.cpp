#include <gtest/gtest.h>

#include "support/game_folder.h"
#include "support/testkit.h"

namespace {

using Names = std::vector<std::string>;

TEST(ListSubdirectories, ListsFoldersOnlyAndSkipsDotNames) {
    GameFolder game;
    game.makeFolder("sets\\alpha");
    game.makeFolder("sets\\.git");
    game.makeFolder("sets\\..old");
    game.writeFile("sets\\readme.txt", "text");
    Testkit kit;
    EXPECT_EQ(kit.listSubdirectories("sets"), Names{"alpha"});
    kit.unload();
    EXPECT_EQ(game.readFile(LogName), "");
}

TEST(ListSubdirectories, FilesOnlyAndMissingFoldersHaveNoSubfolders) {
    GameFolder game;
    game.writeFile("files\\a.dds", "a");
    game.writeFile("files\\b.dds", "b");
    Testkit kit;
    EXPECT_EQ(kit.listSubdirectories("files"), Names{});
    EXPECT_EQ(kit.listSubdirectories("nowhere"), Names{});
    EXPECT_EQ(kit.listSubdirectories("files\\a.dds"), Names{});
    kit.unload();
    EXPECT_EQ(game.readFile(LogName), "");
}

TEST(ListSubdirectories, KeepsThePlatformsOrderAndDoesNotDescend) {
    GameFolder game;
    for (const char* name : {"winter", "Autumn", "spring", "b", "A", "zeta", "Zebra", "10", "9"}) {
        game.makeFolder(std::string("sets\\") + name + "\\inner");
    }
    Testkit kit;
    EXPECT_EQ(kit.listSubdirectories("sets"), platformOrder("sets"));
}

TEST(ListSubdirectories, ATrailingBackslashListsTheSameFolders) {
    GameFolder game;
    game.makeFolder("sets\\one");
    game.makeFolder("sets\\two");
    Testkit kit;
    EXPECT_EQ(kit.listSubdirectories("sets\\"), kit.listSubdirectories("sets"));
    EXPECT_EQ(kit.listSubdirectories(game.path() + "\\sets\\"), platformOrder("sets"));
}

}  // namespace

#include <gtest/gtest.h>

#include <string>

#include "support/game_folder.h"
#include "support/game_start.h"
#include "support/unix_host.h"

namespace {

using Names = std::vector<std::string>;

const std::string Root = "Data\\mainmenuwallpapers";

TEST(FolderLinks, ALinkBackIntoTheSetIsPassedOverAndTheRealFilesAreCopied) {
    GameFolder game;
    game.writeFile("Data\\interface\\menu.txt", "original");
    game.writeFile(Root + "\\spring\\interface\\menu.txt", "spring");
    game.writeFile(Root + "\\spring\\interface\\zz.txt", "zz");
    FolderLink toSet(game.path(), Root + "\\spring\\interface\\loop", Root + "\\spring");
    FolderLink toItself(game.path(), Root + "\\spring\\interface\\self", Root + "\\spring\\interface");
    ASSERT_TRUE(toSet.change.made() && toItself.change.made());
    const ProcessResult start = startGame();
    EXPECT_EQ(game.readFile(LogName), "") << start.output;
    EXPECT_EQ(game.readFile("Data\\interface\\menu.txt"), "spring");
    EXPECT_EQ(game.readFile("Data\\interface\\zz.txt"), "zz");
}

TEST(FolderLinks, ALinkToAFolderElsewhereIsCopiedAsThatFolder) {
    GameFolder game;
    game.writeFile("gallery\\sky.dds", "sky from the gallery");
    game.writeFile(Root + "\\spring\\interface\\menu.txt", "spring");
    game.makeFolder("Data\\interface\\textures");
    FolderLink link(game.path(), Root + "\\spring\\interface\\textures", "gallery");
    ASSERT_TRUE(link.change.made());
    const ProcessResult start = startGame();
    EXPECT_EQ(game.readFile(LogName), "") << start.output;
    EXPECT_EQ(game.readFile("Data\\interface\\menu.txt"), "spring");
    EXPECT_EQ(game.readFile("Data\\interface\\textures\\sky.dds"), "sky from the gallery");
}

TEST(FolderLinks, ASetThatIsItselfALinkIsInstalled) {
    GameFolder game;
    game.writeFile("Data\\interface\\menu.txt", "original");
    game.writeFile("elsewhere\\winter\\interface\\menu.txt", "winter");
    game.makeFolder(Root);
    FolderLink link(game.path(), Root + "\\winter", "elsewhere\\winter");
    ASSERT_TRUE(link.change.made());
    const ProcessResult start = startGame();
    EXPECT_EQ(game.readFile(LogName), "") << start.output;
    EXPECT_EQ(game.readFile("Data\\interface\\menu.txt"), "winter");
}

}  // namespace

#include <gtest/gtest.h>

#include <string>

#include "support/game_folder.h"
#include "support/game_start.h"
#include "support/unix_host.h"

namespace {

using Names = std::vector<std::string>;

const std::string Root = "Data\\mainmenuwallpapers";

// A folder link made on the Unix side, where Wine shows it as a reparse point; removed
// before the game folder is, so that removal never walks through it.
class FolderLink {
public:
    FolderLink(const GameFolder& game, const std::string& link, const std::string& target)
        : unixLink_(unixPath(game.path() + "\\" + link)) {
        made_ = !unixLink_.empty() &&
                runUnixShell("ln -s " + shellQuoted(unixPath(game.path() + "\\" + target)) + " " + shellQuoted(unixLink_));
    }
    ~FolderLink() {
        if (made_) {
            runUnixShell("rm " + shellQuoted(unixLink_));
        }
    }
    FolderLink(const FolderLink&) = delete;
    FolderLink& operator=(const FolderLink&) = delete;
    bool made() const { return made_; }

private:
    std::string unixLink_;
    bool made_ = false;
};

TEST(FolderLinks, ALinkBackIntoTheSetIsPassedOverAndTheRealFilesAreCopied) {
    GameFolder game;
    game.writeFile("Data\\interface\\menu.txt", "original");
    game.writeFile(Root + "\\spring\\interface\\menu.txt", "spring");
    game.writeFile(Root + "\\spring\\interface\\zz.txt", "zz");
    FolderLink toSet(game, Root + "\\spring\\interface\\loop", Root + "\\spring");
    FolderLink toItself(game, Root + "\\spring\\interface\\self", Root + "\\spring\\interface");
    ASSERT_TRUE(toSet.made() && toItself.made());
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
    FolderLink link(game, Root + "\\spring\\interface\\textures", "gallery");
    ASSERT_TRUE(link.made());
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
    FolderLink link(game, Root + "\\winter", "elsewhere\\winter");
    ASSERT_TRUE(link.made());
    const ProcessResult start = startGame();
    EXPECT_EQ(game.readFile(LogName), "") << start.output;
    EXPECT_EQ(game.readFile("Data\\interface\\menu.txt"), "winter");
}

} // namespace

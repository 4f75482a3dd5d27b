#include <gtest/gtest.h>

#include <string>

#include "support/game_folder.h"
#include "support/game_start.h"
#include "support/unix_host.h"

namespace {

using Names = std::vector<std::string>;

// A 1 MB tmpfs mounted on a folder of the game for the test's scope: a real full disk.
// Mounting needs root; without it the test says so and is skipped.
std::string mountSmallDisk(const std::string& folder) {
    return "mount -t tmpfs -o size=1m lumeva-test " + shellQuoted(unixPath(folder));
}
std::string unmount(const std::string& folder) { return "umount " + shellQuoted(unixPath(folder)); }

std::string pattern(std::size_t bytes, char seed) {
    std::string text(bytes, '\0');
    for (std::size_t i = 0; i < bytes; ++i) {
        text[i] = static_cast<char>(seed + i * 7 % 251);
    }
    return text;
}

// A game whose Data\interface is a full disk.
class WholeFiles : public ::testing::Test {
protected:
    void SetUp() override {
        if (!disk.made()) {
            GTEST_SKIP() << "cannot mount a 1 MB tmpfs on the game's Data\\interface here (it needs root under Wine)";
        }
    }

    static std::string madeFolder(const GameFolder& game, const std::string& relative) {
        game.makeFolder(relative);
        return game.path() + "\\" + relative;
    }

    GameFolder game;
    const std::string interface = madeFolder(game, "Data\\interface");
    UnixChange disk{mountSmallDisk(interface), unmount(interface)};
};

TEST_F(WholeFiles, AFullDiskLeavesTheGamesFileAsItWas) {
    const std::string original = pattern(100000, 'o');
    game.writeFile("Data\\interface\\menu.dds", original);
    game.writeFile("Data\\mainmenuwallpapers\\big\\interface\\menu.dds", pattern(2 * 1024 * 1024, 'n'));
    const std::string line = logLine(
        "Error in file copy from .\\Data\\mainmenuwallpapers\\big\\interface\\menu.dds to .\\Data\\interface\\menu.dds "
        "- 112");
    for (int start = 0; start < 2; ++start) {
        const ProcessResult result = startGame();
        EXPECT_EQ(game.readFile(LogName), line) << result.output;
        EXPECT_TRUE(game.readFile("Data\\interface\\menu.dds") == original) << "start " << start;
        EXPECT_EQ(platformOrder("Data\\interface", false), Names{"menu.dds"});  // no temporary copy left
    }
}

TEST_F(WholeFiles, ANewFileOnAFullDiskLeavesNothing) {
    game.writeFile("Data\\mainmenuwallpapers\\big\\interface\\new.dds", pattern(2 * 1024 * 1024, 'n'));
    startGame();
    EXPECT_EQ(game.readFile(LogName),
              logLine("Error in file copy from .\\Data\\mainmenuwallpapers\\big\\interface\\new.dds to "
                      ".\\Data\\interface\\new.dds - 112"));
    EXPECT_EQ(platformOrder("Data\\interface", false), Names{});
}

}  // namespace

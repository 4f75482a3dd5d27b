#include <gtest/gtest.h>

#include <string>

#include "support/game_folder.h"
#include "support/game_start.h"
#include "support/unix_host.h"

namespace {

using Names = std::vector<std::string>;

// A tmpfs of `megabytes` mounted on a folder of the game for the test's scope: a real full
// disk. Mounting needs root; without it the test says so and is skipped.
class SmallDisk {
public:
    SmallDisk(const std::string& folder, int megabytes) : unixFolder_(unixPath(folder)) {
        mounted_ = !unixFolder_.empty() &&
                   runUnixShell("mount -t tmpfs -o size=" + std::to_string(megabytes) + "m lumeva-test " +
                                shellQuoted(unixFolder_));
    }
    ~SmallDisk() {
        if (mounted_) {
            runUnixShell("umount " + shellQuoted(unixFolder_));
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return mounted_; }

private:
    std::string unixFolder_;
    bool mounted_ = false;
};

std::string pattern(std::size_t bytes, char seed) {
    std::string text(bytes, '\0');
    for (std::size_t i = 0; i < bytes; ++i) {
        text[i] = static_cast<char>(seed + i * 7 % 251);
    }
    return text;
}

TEST(WholeFiles, AFullDiskLeavesTheGamesFileAsItWas) {
    GameFolder game;
    game.makeFolder("Data\\interface");
    SmallDisk disk(game.path() + "\\Data\\interface", 1);
    if (!disk.mounted()) {
        GTEST_SKIP() << "cannot mount a 1 MB tmpfs on the game's Data\\interface here (it needs root under Wine)";
    }
    const std::string original = pattern(100000, 'o');
    game.writeFile("Data\\interface\\menu.dds", original);
    game.writeFile("Data\\mainmenuwallpapers\\big\\interface\\menu.dds", pattern(2 * 1024 * 1024, 'n'));
    const std::string line = logLine(
        "Error in file copy from .\\Data\\mainmenuwallpapers\\big\\interface\\menu.dds to .\\Data\\interface\\menu.dds - 112");
    for (int start = 0; start < 2; ++start) {
        const ProcessResult result = startGame();
        EXPECT_EQ(game.readFile(LogName), line) << result.output;
        EXPECT_TRUE(game.readFile("Data\\interface\\menu.dds") == original) << "start " << start;
        EXPECT_EQ(platformOrder("Data\\interface", false), Names{"menu.dds"});  // no temporary copy left
    }
}

TEST(WholeFiles, ANewFileOnAFullDiskLeavesNothing) {
    GameFolder game;
    game.makeFolder("Data\\interface");
    SmallDisk disk(game.path() + "\\Data\\interface", 1);
    if (!disk.mounted()) {
        GTEST_SKIP() << "cannot mount a 1 MB tmpfs on the game's Data\\interface here (it needs root under Wine)";
    }
    game.writeFile("Data\\mainmenuwallpapers\\big\\interface\\new.dds", pattern(2 * 1024 * 1024, 'n'));
    startGame();
    EXPECT_EQ(game.readFile(LogName),
              logLine("Error in file copy from .\\Data\\mainmenuwallpapers\\big\\interface\\new.dds to "
                      ".\\Data\\interface\\new.dds - 112"));
    EXPECT_EQ(platformOrder("Data\\interface", false), Names{});
}

} // namespace

#include <gtest/gtest.h>

#include <string>

#include "support/game_folder.h"
#include "support/game_start.h"
#include "support/testkit.h"

namespace {

using Names = std::vector<std::string>;

const std::string Root = "Data\\mainmenuwallpapers";

// A name, and how the log shows it: in the ANSI code page (1252 here), with '?' for each
// character that code page lacks and never a lookalike.
struct NameCase {
    const char* label;
    const char* name;
    const char* shown;
};

const NameCase Cases[] = {
    {"Ascii", "winter", "winter"},
    {"Accented", "\xC3\xA9t\xC3\xA9", "\xE9t\xE9"},                            // été
    {"Cyrillic", "\xD0\xB7\xD0\xB8\xD0\xBC\xD0\xB0", "????"},                  // зима
    {"Japanese", "\xE5\x86\xAC\xE3\x81\xAE\xE5\xA3\x81\xE7\xB4\x99", "????"},  // 冬の壁紙
    {"Emoji", "snow \xF0\x9F\x8E\x84", "snow ?"},                              // snow 🎄
    {"BestFitLookalikes", "\xC5\x81\xC3\xB3\x64\xC5\xBA", "?\xF3\x64?"},       // Łódź
};

class AnyName : public ::testing::TestWithParam<NameCase> {};

TEST_P(AnyName, IsListedPickedAndCopiedUnderItsOwnName) {
    const std::string name = GetParam().name;
    GameFolder game;
    game.writeFile("Data\\interface\\" + name + ".txt", "original");
    game.writeFile(Root + "\\" + name + "\\interface\\" + name + ".txt", "from the set " + name);
    {
        Testkit kit;
        EXPECT_EQ(kit.listSubdirectories(Root), Names{name});
    }
    const ProcessResult start = startGame();
    EXPECT_EQ(game.readFile(LogName), "") << start.output;
    EXPECT_EQ(game.readFile("Data\\interface\\" + name + ".txt"), "from the set " + name);
    EXPECT_EQ(platformOrder("Data\\interface", false), Names{name + ".txt"});  // no temporary copy left
}

TEST_P(AnyName, IsShownInAFailureLineWithoutLookalikes) {
    const std::string name = GetParam().name;
    const std::string shown = GetParam().shown;
    GameFolder game;
    game.makeFolder("Data");
    game.writeFile(Root + "\\" + name + "\\" + name + "\\" + name + ".dds", "image");
    startGame();
    EXPECT_EQ(game.readFile(LogName),
              logLine("Error in file copy from .\\Data\\mainmenuwallpapers\\" + shown + "\\" + shown + "\\" + shown +
                      ".dds to .\\Data\\" + shown + "\\" + shown + ".dds - 3"));
}

TEST_P(AnyName, IsShownInTheNoWallpaperLine) {
    const std::string name = GetParam().name;
    GameFolder game;
    game.writeFile(Root + "\\" + name + "\\menu.dds", "image");
    startGame();
    EXPECT_EQ(game.readFile(LogName), logLine("The folder .\\Data\\mainmenuwallpapers\\" +
                                              std::string(GetParam().shown) + " has no wallpaper in it !"));
}

INSTANTIATE_TEST_SUITE_P(Names, AnyName, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.label); });

// Łódź.txt and its best-fit lookalike Lódz.txt side by side: each replaces its own file.
TEST(Lookalikes, EachFileReplacesItsOwnNamesakeOnly) {
    const std::string real = "\xC5\x81\xC3\xB3\x64\xC5\xBA.txt";  // Łódź.txt
    const std::string lookalike = "L\xC3\xB3\x64z.txt";           // Lódz.txt
    GameFolder game;
    game.writeFile("Data\\interface\\" + real, "the game's own");
    game.writeFile(Root + "\\pair\\interface\\" + real, "new real");
    game.writeFile(Root + "\\pair\\interface\\" + lookalike, "new lookalike");
    const ProcessResult start = startGame();
    EXPECT_EQ(game.readFile(LogName), "") << start.output;
    EXPECT_EQ(game.readFile("Data\\interface\\" + real), "new real");
    EXPECT_EQ(game.readFile("Data\\interface\\" + lookalike), "new lookalike");
    EXPECT_EQ(platformOrder("Data\\interface", false).size(), 2u);
}

TEST(Lookalikes, OfSetNamesArePickedAsTheSetsTheyAre) {
    GameFolder game;
    game.writeFile("Data\\interface\\menu.txt", "original");
    for (const std::string name : {"\xC5\x81\xC3\xB3\x64\xC5\xBA", "L\xC3\xB3\x64z"}) {
        game.writeFile(Root + "\\" + name + "\\interface\\menu.txt", name);
    }
    const Names sets = platformOrder(Root);
    ASSERT_EQ(sets.size(), 2u);
    for (std::int64_t second = 0; second < 2; ++second) {
        {
            Testkit kit;
            ASSERT_TRUE(kit.rotateWallpaperAt(second));
        }
        EXPECT_EQ(game.readFile("Data\\interface\\menu.txt"), sets[second]);
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>

#include "support/game_folder.h"
#include "support/testkit.h"

namespace {

using Names = std::vector<std::string>;

const std::string Root = "Data\\mainmenuwallpapers";
constexpr std::int64_t November2023 = 1700000000;

// A game folder with its own main-menu file and sets that each replace it with their name.
struct WallpaperGame {
    GameFolder game;

    WallpaperGame() { game.writeFile("Data\\interface\\menu.txt", "original"); }

    void addSet(const std::string& name) { game.writeFile(Root + "\\" + name + "\\interface\\menu.txt", name); }
    std::string installed() const { return game.readFile("Data\\interface\\menu.txt"); }
    Names candidates() const { return withoutDotNames(platformOrder(game.path() + "\\" + Root)); }
};

// Each start runs in a freshly loaded library, as each game start does.
bool rotateAt(std::int64_t seconds) {
    Testkit kit;
    return kit.rotateWallpaperAt(seconds);
}

TEST(RotateWallpaper, InstallsTheSetTheClockSecondPicks) {
    WallpaperGame w;
    for (const char* name : {"autumn", "spring", "winter"}) {
        w.addSet(name);
    }
    const Names sets = w.candidates();
    ASSERT_EQ(sets.size(), 3u);
    // 1,700,000,000 = 3 x 566,666,666 + 2: the third set, then round from the first.
    const std::size_t picks[] = {2, 0, 1, 2};
    for (std::int64_t t = November2023; t < November2023 + 4; ++t) {
        EXPECT_TRUE(rotateAt(t));
        EXPECT_EQ(w.installed(), sets[picks[t - November2023]]) << "second " << t;
    }
    EXPECT_EQ(w.game.readFile(LogName), "");
}

TEST(RotateWallpaper, EverySetComesUpOnceInAsManySecondsAsThereAreSets) {
    WallpaperGame w;
    for (const char* name : {"Zeta", "alpha", "Beta", "gamma", "10", "9"}) {
        w.addSet(name);
    }
    const Names sets = w.candidates();
    ASSERT_EQ(sets.size(), 6u);
    // 1,700,000,000 = 6 x 283,333,333 + 2.
    const std::size_t picks[] = {2, 3, 4, 5, 0, 1};
    std::map<std::string, int> seen;
    for (std::int64_t t = November2023; t < November2023 + 6; ++t) {
        ASSERT_TRUE(rotateAt(t));
        ++seen[w.installed()];
        EXPECT_EQ(w.installed(), sets[picks[t - November2023]]);
    }
    EXPECT_EQ(seen.size(), sets.size());
}

TEST(RotateWallpaper, TwoStartsInOneSecondInstallTheSameSet) {
    WallpaperGame w;
    w.addSet("autumn");
    w.addSet("spring");
    ASSERT_EQ(w.candidates(), (Names{"autumn", "spring"}));
    // 1,700,000,001 is odd: the second set, at both starts.
    for (int start = 1; start <= 2; ++start) {
        w.game.writeFile("Data\\interface\\menu.txt", "original");
        ASSERT_TRUE(rotateAt(November2023 + 1));
        EXPECT_EQ(w.installed(), "spring") << "start " << start;
    }
}

TEST(RotateWallpaper, ASingleSetIsInstalledAtEveryStart) {
    WallpaperGame w;
    w.addSet("only");
    for (std::int64_t t : {std::int64_t{0}, std::int64_t{1}, November2023, std::int64_t{-1}}) {
        w.game.writeFile("Data\\interface\\menu.txt", "original");
        EXPECT_TRUE(rotateAt(t));
        EXPECT_EQ(w.installed(), "only") << "second " << t;
    }
}

TEST(RotateWallpaper, DotNamedFoldersAndFilesAreNoCandidates) {
    WallpaperGame w;
    w.addSet("autumn");
    w.addSet("spring");
    w.addSet(".hidden");
    w.addSet("..older");
    w.game.writeFile(Root + "\\notes.txt", "not a set");
    const Names sets = w.candidates();
    ASSERT_EQ(sets.size(), 2u);
    const std::size_t picks[] = {0, 1, 0, 1};
    for (std::int64_t t = 0; t < 4; ++t) {
        ASSERT_TRUE(rotateAt(t));
        EXPECT_EQ(w.installed(), sets[picks[t]]);
    }
}

TEST(RotateWallpaper, ANegativeClockReadingStillNamesASet) {
    WallpaperGame w;
    for (const char* name : {"autumn", "spring", "winter"}) {
        w.addSet(name);
    }
    const Names sets = w.candidates();
    // Counted back from 0, the rotation goes on: -1 is the last set, -3 the first.
    const std::pair<std::int64_t, std::size_t> cases[] = {
        {-1, 2}, {-2, 1}, {-3, 0}, {-4, 2}, {std::numeric_limits<std::int64_t>::min(), 1}};
    for (const auto& [seconds, index] : cases) {
        EXPECT_TRUE(rotateAt(seconds));
        EXPECT_EQ(w.installed(), sets[index]) << "second " << seconds;
    }
    EXPECT_EQ(w.game.readFile(LogName), "");
}

// Where a set goes is decided by its first subfolder's name alone.
struct DestinationCase {
    const char* firstSubfolder;
    bool mirrorsGameFolder;
};

class RotateWallpaperDestination : public ::testing::TestWithParam<DestinationCase> {};

TEST_P(RotateWallpaperDestination, FollowsTheFirstSubfoldersName) {
    const DestinationCase c = GetParam();
    WallpaperGame w;
    const std::string sub = c.firstSubfolder;
    w.game.writeFile(Root + "\\set\\" + sub + "\\menu.txt", "from the set");
    w.game.writeFile(Root + "\\set\\loose.txt", "loose");
    w.game.makeFolder("Data\\" + sub);
    ASSERT_TRUE(rotateAt(November2023));
    // Onto the game folder: set\<sub>\menu.txt becomes .\<sub>\menu.txt; onto the Data
    // folder it becomes .\Data\<sub>\menu.txt. Loose files land in the destination itself.
    const std::string target = c.mirrorsGameFolder ? "" : "Data\\";
    EXPECT_EQ(w.game.readFile(target + sub + "\\menu.txt"), "from the set");
    EXPECT_EQ(w.game.readFile(target + "loose.txt"), "loose");
    if (c.mirrorsGameFolder) {
        EXPECT_FALSE(w.game.exists("Data\\" + sub + "\\menu.txt"));
    } else {
        EXPECT_FALSE(w.game.exists("loose.txt"));
    }
    EXPECT_EQ(w.game.readFile(LogName), "");
}

INSTANTIATE_TEST_SUITE_P(Names, RotateWallpaperDestination,
                         ::testing::Values(DestinationCase{"DATA", true}, DestinationCase{"Data", true},
                                           DestinationCase{"data", true}, DestinationCase{"dAtA", true},
                                           DestinationCase{"database", false}, DestinationCase{"dat", false},
                                           DestinationCase{"interface", false}, DestinationCase{"data2", false}),
                         [](const auto& info) { return std::string(info.param.firstSubfolder); });

// The first subfolder listed decides where the whole set goes, the other subfolders
// included. Folders made in the order of their spelling are listed in that order whether the
// platform sorts them (NTFS, Wine) or keeps the order of creation (FAT).
struct FirstSubfolderCase {
    const char* name;
    const char* other;  // the set's second subfolder, beside Data, made in listing order
    Names listed;
    const char* menuAt;
    const char* skyAt;
    const char* notAt;
};

class RotateWallpaperFirstSubfolder : public ::testing::TestWithParam<FirstSubfolderCase> {};

TEST_P(RotateWallpaperFirstSubfolder, DecidesForTheWholeSet) {
    const FirstSubfolderCase c = GetParam();
    WallpaperGame w;
    const bool dataFirst = c.listed.front() == "Data";
    if (dataFirst) {
        w.game.writeFile(Root + "\\set\\Data\\menu.txt", "menu");
    }
    w.game.writeFile(Root + "\\set\\" + c.other + "\\sky.dds", "sky");
    if (!dataFirst) {
        w.game.writeFile(Root + "\\set\\Data\\menu.txt", "menu");
    }
    // Both possible destinations exist, so a copy into the wrong one would succeed and show.
    w.game.makeFolder(c.other);
    w.game.makeFolder(std::string("Data\\") + c.other);
    w.game.makeFolder("Data\\Data");
    ASSERT_EQ(platformOrder(w.game.path() + "\\" + Root + "\\set"), c.listed);
    ASSERT_TRUE(rotateAt(November2023));
    EXPECT_EQ(w.game.readFile(c.menuAt), "menu");
    EXPECT_EQ(w.game.readFile(c.skyAt), "sky");
    EXPECT_FALSE(w.game.exists(c.notAt));
    EXPECT_EQ(w.game.readFile(LogName), "");
}

INSTANTIATE_TEST_SUITE_P(Sets, RotateWallpaperFirstSubfolder,
                         ::testing::Values(FirstSubfolderCase{"DataFirstMirrorsTheGameFolder",
                                                              "textures",
                                                              {"Data", "textures"},
                                                              "Data\\menu.txt",
                                                              "textures\\sky.dds",
                                                              "Data\\textures\\sky.dds"},
                                           FirstSubfolderCase{"DataSecondGoesIntoData",
                                                              "audio",
                                                              {"audio", "Data"},
                                                              "Data\\Data\\menu.txt",
                                                              "Data\\audio\\sky.dds",
                                                              "audio\\sky.dds"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RotateWallpaper, ASetHoldingOnlyFilesIsEmptyAndCopiesNothing) {
    WallpaperGame w;
    w.game.writeFile(Root + "\\winter\\menu.dds", "image");
    w.game.writeFile(Root + "\\winter\\menu2.dds", "image");
    const Names before = w.game.allFiles();
    EXPECT_FALSE(rotateAt(November2023));
    EXPECT_EQ(w.game.readFile(LogName),
              logLine("The folder .\\Data\\mainmenuwallpapers\\winter has no wallpaper in it !"));
    Names after = w.game.allFiles();
    after.erase(std::remove(after.begin(), after.end(), LogName), after.end());
    EXPECT_EQ(after, before);
}

// Every way of having no candidate set gives the same one line.
struct NoSetCase {
    const char* name;
    std::function<void(GameFolder&)> layOut;
};

class RotateWallpaperNoSet : public ::testing::TestWithParam<NoSetCase> {};

TEST_P(RotateWallpaperNoSet, LogsThatThereIsNoWallpaper) {
    WallpaperGame w;
    GetParam().layOut(w.game);
    EXPECT_FALSE(rotateAt(November2023));
    EXPECT_EQ(
        w.game.readFile(LogName),
        logLine("The folder <OSTREVAL>/Data/mainmenuwallpapers has no wallpaper in it or is not present itself !"));
    EXPECT_EQ(w.installed(), "original");
}

INSTANTIATE_TEST_SUITE_P(Layouts, RotateWallpaperNoSet,
                         ::testing::Values(NoSetCase{"RootMissing", [](GameFolder&) {}},
                                           NoSetCase{"RootEmpty", [](GameFolder& g) { g.makeFolder(Root); }},
                                           NoSetCase{"RootIsAFile",
                                                     [](GameFolder& g) { g.writeFile(Root, "not a folder"); }},
                                           NoSetCase{"OnlyFilesAndDotFolders",
                                                     [](GameFolder& g) {
                                                         g.writeFile(Root + "\\menu.dds", "image");
                                                         g.writeFile(Root + "\\.git\\interface\\menu.txt", "hidden");
                                                     }}),
                         [](const auto& info) { return std::string(info.param.name); });

// A copy that fails logs its one line and stops there: what was listed before the failing
// folder stays installed, what comes after it is not copied. The set's folders are made in
// the order of their spelling, so every platform lists them so.
struct FailedCopyCase {
    const char* name;
    Names listed;  // the missing destination folder is the one that is not "interface"
    const char* installed;
};

class RotateWallpaperFailedCopy : public ::testing::TestWithParam<FailedCopyCase> {};

TEST_P(RotateWallpaperFailedCopy, LogsItsLineOnceAndKeepsWhatWasCopied) {
    const FailedCopyCase c = GetParam();
    WallpaperGame w;
    std::string missing;
    for (const std::string& folder : c.listed) {
        if (folder == "interface") {
            w.game.writeFile(Root + "\\spring\\interface\\menu.txt", "spring");
        } else {
            missing = folder;
            w.game.writeFile(Root + "\\spring\\" + folder + "\\sky.dds", "sky");
        }
    }
    ASSERT_EQ(platformOrder(w.game.path() + "\\" + Root + "\\spring"), c.listed);
    EXPECT_FALSE(rotateAt(November2023));
    EXPECT_EQ(w.game.readFile(LogName), logLine("Error in file copy from .\\Data\\mainmenuwallpapers\\spring\\" +
                                                missing + "\\sky.dds to .\\Data\\" + missing + "\\sky.dds - 3"));
    EXPECT_EQ(w.installed(), c.installed);
    EXPECT_FALSE(w.game.exists("Data\\" + missing));
}

INSTANTIATE_TEST_SUITE_P(Orders, RotateWallpaperFailedCopy,
                         ::testing::Values(FailedCopyCase{"FailsAfterTheMenu", {"interface", "textures"}, "spring"},
                                           FailedCopyCase{"FailsBeforeTheMenu", {"effects", "interface"}, "original"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

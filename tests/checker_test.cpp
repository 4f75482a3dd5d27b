#include <gtest/gtest.h>

#include <map>
#include <string>

#include "support/child_process.h"
#include "support/game_folder.h"
#include "support/testkit.h"
#include "support/unix_host.h"

namespace {

const std::string Root = "Data\\mainmenuwallpapers";
constexpr long long November2023 = 1700000000;

ProcessResult runChecker(const std::string& arguments) {
    return runProgram("\"" + besideProgram("lumeva-check.exe") + "\" " + arguments);
}

bool contains(const std::string& output, const std::string& text) { return output.find(text) != std::string::npos; }

// Every file below the game folder with its bytes, to show the checker changed nothing.
std::map<std::string, std::string> everything(const GameFolder& game) {
    std::map<std::string, std::string> files;
    for (const auto& file : game.allFiles()) {
        files[file] = game.readFile(file);
    }
    return files;
}

void layOutSampleSets(const GameFolder& game) {
    game.writeFile("Data\\interface\\menu.txt", "original");
    game.writeFile(Root + "\\autumn\\interface\\menu.txt", "autumn");
    game.writeFile(Root + "\\spring\\interface\\menu.txt", "spring!");
    game.writeFile(Root + "\\spring\\interface\\title.txt", "spring title");
    game.writeFile(Root + "\\winter\\data\\interface\\menu.txt", "winter");
    game.writeFile(Root + "\\winter\\readme.txt", "goes to the game folder");
}

TEST(LumevaCheck, ReportsEverySetWhereItGoesAndTheClocksPick) {
    GameFolder game;
    layOutSampleSets(game);
    const auto sets = platformOrder(Root);
    ASSERT_EQ(sets.size(), 3u);
    const ProcessResult result = runChecker("--at " + std::to_string(November2023));
    EXPECT_EQ(result.exitCode, 0u) << result.output;
    const std::map<std::string, std::string> details = {
        {"autumn",
         "    copied onto the Data folder (.\\Data), because its first subfolder is interface\r\n"
         "    1 file(s), 6 byte(s)\r\n"},
        {"spring",
         "    copied onto the Data folder (.\\Data), because its first subfolder is interface\r\n"
         "    2 file(s), 19 byte(s)\r\n"},
        {"winter",
         "    copied onto the game folder (.\\), because its first subfolder is data\r\n"
         "    2 file(s), 29 byte(s)\r\n"}};
    std::string expected =
        "Game folder: " + game.path() + "\r\n" +
        "3 wallpaper set(s) in .\\Data\\mainmenuwallpapers\\, in the order this platform lists them:\r\n";
    for (std::size_t i = 0; i < sets.size(); ++i) {
        expected += "[" + std::to_string(i) + "] " + sets[i] + "\r\n" + details.at(sets[i]) +
                    "    ok: it would install completely\r\n";
    }
    expected += "At second 1700000000 the plugin would install [2] " + sets[2] +
                "; each set comes up once in every 3\r\nconsecutive second(s), in the order above.\r\n"
                "Every set would install completely.\r\n";
    EXPECT_EQ(result.output, expected);
}

TEST(LumevaCheck, PicksTheSetThePluginInstallsInTheSameSecond) {
    GameFolder game;
    for (const char* name : {"Zeta", "alpha", "Beta", "gamma"}) {
        game.writeFile(Root + "\\" + name + "\\interface\\menu.txt", name);
    }
    game.writeFile("Data\\interface\\menu.txt", "original");
    for (long long t = November2023; t < November2023 + 4; ++t) {
        const ProcessResult result = runChecker("--at " + std::to_string(t));
        {
            Testkit kit;
            ASSERT_TRUE(kit.rotateWallpaperAt(t));
        }
        const std::string installed = game.readFile("Data\\interface\\menu.txt");
        EXPECT_TRUE(contains(result.output, "] " + installed + "; each set comes up once in every 4")) << result.output;
    }
}

TEST(LumevaCheck, ChangesNothingOnDisk) {
    GameFolder game;
    layOutSampleSets(game);
    game.writeFile(Root + "\\broken\\textures\\sky.dds", "sky");
    const auto before = everything(game);
    const ProcessResult result = runChecker("--at 0");
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_TRUE(contains(result.output,
                         "1 of 4 set(s) would not install completely; the plugin stops at the first "
                         "failure\r\nand leaves what it copied before it in place.\r\n"))
        << result.output;
    EXPECT_EQ(everything(game), before);
    EXPECT_FALSE(game.exists(LogName));
}

// Each kind of problem that would make an installation fail or copy nothing.
struct ProblemCase {
    const char* name;
    void (*layOut)(const GameFolder&);
    unsigned exitCode;
    const char* expected;
};

class LumevaCheckProblem : public ::testing::TestWithParam<ProblemCase> {};

TEST_P(LumevaCheckProblem, IsNamedWithWhatToDo) {
    GameFolder game;
    game.writeFile("Data\\interface\\menu.txt", "original");
    GetParam().layOut(game);
    const ProcessResult result = runChecker("--at 0");
    EXPECT_EQ(result.exitCode, GetParam().exitCode) << result.output;
    // Whole lines: the expected text starts a line and ends one.
    EXPECT_TRUE(contains("\r\n" + result.output, "\r\n" + std::string(GetParam().expected))) << result.output;
    EXPECT_EQ(std::string(GetParam().expected).substr(std::string(GetParam().expected).size() - 2), "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LumevaCheckProblem,
    ::testing::Values(
        ProblemCase{"NoSubfolder", [](const GameFolder& g) { g.writeFile(Root + "\\winter\\menu.dds", "image"); }, 1,
                    "[0] winter\r\n    problem: it has no subfolder, so the plugin copies nothing and logs:\r\n"
                    "      The folder .\\Data\\mainmenuwallpapers\\winter has no wallpaper in it !\r\n"},
        ProblemCase{
            "MissingDestinationFolder",
            [](const GameFolder& g) {
                g.writeFile(Root + "\\spring\\interface\\menu.txt", "spring");
                g.writeFile(Root + "\\spring\\textures\\sky.dds", "sky");
            },
            1,
            "    problem: the folder .\\Data\\textures does not exist, so "
            ".\\Data\\mainmenuwallpapers\\spring\\textures\\sky.dds cannot be copied there (the plugin "
            "creates no folders; create it first)\r\n"
            "    the plugin stops at the first of these, at .\\Data\\mainmenuwallpapers\\spring\\textures\\sky.dds, "
            "and logs:\r\n"
            "      Error in file copy from .\\Data\\mainmenuwallpapers\\spring\\textures\\sky.dds to "
            ".\\Data\\textures\\sky.dds - 3\r\n"},
        ProblemCase{
            "IntoTheWallpaperFolder",
            [](const GameFolder& g) { g.writeFile(Root + "\\winter\\data\\mainmenuwallpapers\\readme.txt", "winter"); },
            1,
            "    warning: the file .\\Data\\mainmenuwallpapers\\winter\\data\\mainmenuwallpapers\\readme.txt "
            "would be copied into the wallpaper folder as .\\\\data\\mainmenuwallpapers\\readme.txt, changing "
            "the wallpaper sets themselves\r\n"},
        ProblemCase{
            "ThePluginsOwnLog",
            [](const GameFolder& g) {
                g.writeFile(Root + "\\winter\\data\\interface\\menu.txt", "winter");
                g.writeFile(Root + "\\winter\\korvex_lumeva_plugin.log", "not a log");
            },
            1,
            "    problem: the file .\\Data\\mainmenuwallpapers\\winter\\korvex_lumeva_plugin.log would replace "
            "the plugin's own log .\\\\korvex_lumeva_plugin.log, which the plugin holds open while it runs\r\n"},
        ProblemCase{"ReadOnlyDestination",
                    [](const GameFolder& g) {
                        g.writeFile(Root + "\\spring\\interface\\menu.txt", "spring");
                        SetFileAttributesA((g.path() + "\\Data\\interface\\menu.txt").c_str(), FILE_ATTRIBUTE_READONLY);
                    },
                    1,
                    "    problem: the file .\\Data\\interface\\menu.txt is read-only, so "
                    ".\\Data\\mainmenuwallpapers\\spring\\interface\\menu.txt cannot replace it\r\n"},
        ProblemCase{"FolderWhereAFileShouldGo",
                    [](const GameFolder& g) {
                        g.writeFile(Root + "\\spring\\interface\\title.txt", "spring");
                        g.makeFolder("Data\\interface\\title.txt");
                    },
                    1,
                    "    problem: the file .\\Data\\mainmenuwallpapers\\spring\\interface\\title.txt would replace "
                    ".\\Data\\interface\\title.txt, which is a folder\r\n"},
        ProblemCase{"DotNamedEntriesAreSkipped",
                    [](const GameFolder& g) {
                        g.writeFile(Root + "\\spring\\interface\\menu.txt", "spring");
                        g.writeFile(Root + "\\spring\\interface\\.DS_Store", "junk");
                        g.writeFile(Root + "\\spring\\.git\\config", "junk");
                        g.writeFile(Root + "\\.hidden\\interface\\menu.txt", "hidden");
                        g.writeFile(Root + "\\notes.txt", "notes");
                    },
                    0, "    skipped: interface\\.DS_Store (names that begin with a dot are never copied)\r\n"},
        ProblemCase{"DotNamedAndLooseRootEntriesAreNoSets",
                    [](const GameFolder& g) {
                        g.writeFile(Root + "\\spring\\interface\\menu.txt", "spring");
                        g.writeFile(Root + "\\.hidden\\interface\\menu.txt", "hidden");
                    },
                    0, "not a set: .hidden (names that begin with a dot are skipped)\r\n"},
        ProblemCase{
            "RootMissing", [](const GameFolder&) {}, 1,
            "There is no folder Data\\mainmenuwallpapers in this game folder.\r\n"
            "At the next start the plugin installs nothing and logs:\r\n"
            "  The folder <OSTREVAL>/Data/mainmenuwallpapers has no wallpaper in it or is not present itself !\r\n"
            "Create one folder per wallpaper set in Data\\mainmenuwallpapers, laid out like the Data\r\n"},
        ProblemCase{"RootWithoutSets",
                    [](const GameFolder& g) {
                        g.writeFile(Root + "\\menu.dds", "image");
                        g.makeFolder(Root + "\\.git");
                    },
                    1,
                    "The folder Data\\mainmenuwallpapers holds no wallpaper set: it has no subfolder\r\n"
                    "whose name does not begin with a dot.\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// All files bound for one missing folder are counted in its line, the first in the copy's order.
TEST(LumevaCheck, CountsTheFilesOfAMissingFolder) {
    GameFolder game;
    game.writeFile(Root + "\\spring\\textures\\sky.dds", "sky");
    game.writeFile(Root + "\\spring\\textures\\sea.dds", "sea");
    const std::string first = platformOrder(Root + "\\spring\\textures", false).front();
    const ProcessResult result = runChecker("--at 0");
    EXPECT_TRUE(contains(result.output,
                         "\r\n    problem: the folder .\\Data\\textures does not exist, so "
                         ".\\Data\\mainmenuwallpapers\\spring\\textures\\" +
                             first +
                             " and 1 more file(s) cannot be copied there (the plugin creates no "
                             "folders; create it first)\r\n"))
        << result.output;
}

// Files held open by another program: the copy could neither read nor replace them.
TEST(LumevaCheck, NamesFilesHeldOpenByAnotherProgram) {
    GameFolder game;
    game.writeFile("Data\\interface\\menu.txt", "original");
    game.writeFile(Root + "\\spring\\interface\\menu.txt", "spring");
    game.writeFile(Root + "\\spring\\interface\\title.txt", "title");
    HeldOpen destination(game.path() + "\\Data\\interface\\menu.txt");
    HANDLE source = CreateFileA((game.path() + "\\" + Root + "\\spring\\interface\\title.txt").c_str(), GENERIC_READ, 0,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(source, INVALID_HANDLE_VALUE);
    const ProcessResult result = runChecker("--at 0");
    CloseHandle(source);
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_TRUE(
        contains(result.output, "    problem: the file .\\Data\\interface\\menu.txt cannot be replaced (error 32"))
        << result.output;
    EXPECT_TRUE(contains(result.output, "; is the game running?)\r\n")) << result.output;
    EXPECT_TRUE(contains(result.output,
                         "    problem: the file .\\Data\\mainmenuwallpapers\\spring\\interface\\title.txt "
                         "cannot be read (error 32"))
        << result.output;
}

// The copy passes over a link back into the set once; the checker counts what the copy takes.
TEST(LumevaCheck, CountsALinkBackIntoTheSetOnce) {
    GameFolder game;
    game.writeFile("Data\\interface\\menu.txt", "original");
    game.writeFile(Root + "\\spring\\interface\\menu.txt", "spring");
    FolderLink loop(game.path(), Root + "\\spring\\interface\\loop", Root + "\\spring");
    ASSERT_TRUE(loop.change.made());
    const ProcessResult result = runChecker("--at 0");
    EXPECT_EQ(result.exitCode, 0u) << result.output;
    EXPECT_TRUE(contains(result.output,
                         "[0] spring\r\n"
                         "    copied onto the Data folder (.\\Data), because its first subfolder is interface\r\n"
                         "    1 file(s), 6 byte(s)\r\n"
                         "    skipped: interface\\loop (a folder link back into a folder of the set; the copy passes "
                         "over it)\r\n"
                         "    ok: it would install completely\r\n"))
        << result.output;
}

TEST(LumevaCheck, TakesTheGameFolderFromTheCommandLine) {
    GameFolder game;
    layOutSampleSets(game);
    SetCurrentDirectoryA("C:\\");
    const ProcessResult result = runChecker("--game \"" + game.path() + "\" --at 1");
    SetCurrentDirectoryA(game.path().c_str());
    EXPECT_EQ(result.exitCode, 0u) << result.output;
    EXPECT_TRUE(contains(result.output, "Game folder: " + game.path() + "\r\n")) << result.output;
}

struct UsageCase {
    const char* arguments;
    unsigned exitCode;
    const char* expected;
};

class LumevaCheckUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(LumevaCheckUsage, ExplainsItself) {
    GameFolder game;
    const ProcessResult result = runChecker(GetParam().arguments);
    EXPECT_EQ(result.exitCode, GetParam().exitCode);
    EXPECT_TRUE(contains(result.output, GetParam().expected)) << result.output;
}

INSTANTIATE_TEST_SUITE_P(
    Options, LumevaCheckUsage,
    ::testing::Values(
        UsageCase{"--help", 0, "  --game DIR     the game folder (default: the current folder)\r\n"},
        UsageCase{"--help", 0, "  --at SECONDS"},
        UsageCase{"--frobnicate", 2, "lumeva-check: unknown option '--frobnicate'\r\n"},
        UsageCase{"--at soon", 2, "lumeva-check: --at takes a whole number of seconds, not 'soon'\r\n"},
        UsageCase{"--at 9223372036854775808", 2,
                  "lumeva-check: --at takes a whole number of seconds, not '9223372036854775808'\r\n"},
        UsageCase{"--help", 0, "  --format=json  print the same findings as one JSON document (UTF-8)\r\n"},
        UsageCase{"--at", 2, "lumeva-check: --at needs a number of seconds\r\n"},
        UsageCase{"--game", 2, "lumeva-check: --game needs a folder\r\n"},
        UsageCase{"--game C:\\no\\such\\game", 2, "lumeva-check: cannot open the game folder C:\\no\\such\\game\r\n"}));

}  // namespace

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/game_folder.h"
#include "support/testkit.h"
#include "log/messages.h"

using namespace lumeva;

namespace {

TEST(PluginLog, IsCreatedEmptyWhenTheLibraryLoads) {
    GameFolder game;
    Testkit kit;
    kit.unload();
    EXPECT_TRUE(game.exists(LogName));
    EXPECT_EQ(game.readFile(LogName), "");
}

TEST(PluginLog, EmptiesALogLeftFromAnEarlierRun) {
    GameFolder game;
    game.writeFile(LogName, "old line\r\n");
    Testkit kit;
    EXPECT_EQ(game.readFile(LogName), "");
}

TEST(PluginLog, WritesOneLineEndedByCrLfPerMessage) {
    GameFolder game;
    Testkit kit;
    kit.logMessage("scaleform interface too old (%d expected %d)", 0, 1);
    kit.logMessage("The folder %s has no wallpaper in it !", ".\\Data\\mainmenuwallpapers\\winter");
    kit.unload();
    EXPECT_EQ(game.readFile(LogName),
              logLine("scaleform interface too old (0 expected 1)") +
                  logLine("The folder .\\Data\\mainmenuwallpapers\\winter has no wallpaper in it !"));
}

TEST(PluginLog, EveryMessageIsOnDiskWhileTheLibraryIsStillLoaded) {
    GameFolder game;
    Testkit kit;
    kit.logMessage("first");
    EXPECT_EQ(game.readFile(LogName), logLine("first"));
}

TEST(PluginLog, LetsOthersReadButNotWriteWhileOpen) {
    GameFolder game;
    Testkit kit;
    HANDLE reader =
        CreateFileA(LogName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    CloseHandle(reader);
    HANDLE writer =
        CreateFileA(LogName, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    if (writer != INVALID_HANDLE_VALUE) {
        CloseHandle(writer);
    }
}

TEST(PluginLog, IsClosedWhenTheLibraryUnloads) {
    GameFolder game;
    Testkit kit;
    kit.logMessage("done");
    kit.unload();
    HeldOpen writer(LogName);
    EXPECT_TRUE(writer.held());
}

// What formatting produced is written as it stands, a percent sign included.
TEST(PluginLog, WritesAFormattedPercentSignAsItIs) {
    GameFolder game;
    Testkit kit;
    kit.logMessage("The folder %s has no wallpaper in it !", ".\\Data\\mainmenuwallpapers\\100%d %s");
    kit.unload();
    EXPECT_EQ(game.readFile(LogName),
              logLine("The folder .\\Data\\mainmenuwallpapers\\100%d %s has no wallpaper in it !"));
}

TEST(PluginLog, CutsAMessageLongerThanItsBufferToTheBuffer) {
    GameFolder game;
    Testkit kit;
    const std::string longText(10000, 'x');
    kit.logMessage("%s", longText.c_str());
    kit.logMessage("after");
    kit.unload();
    EXPECT_EQ(game.readFile(LogName), logLine(std::string(8191, 'x')) + logLine("after"));
}

TEST(PluginLog, KeepsAMessageThatExactlyFillsItsBuffer) {
    GameFolder game;
    Testkit kit;
    const std::string text(8191, 'y');
    kit.logMessage("%s", text.c_str());
    kit.unload();
    EXPECT_EQ(game.readFile(LogName), logLine(text));
}

// With the plain name and then log0, log1 … held open by a second game, the log moves to
// the first name that is free; with all six held it writes no file and nothing fails.
class LogFallback : public ::testing::TestWithParam<int> {};

TEST_P(LogFallback, UsesTheFirstNameNotHeldBySomeoneElse) {
    GameFolder game;
    const int heldCount = GetParam();
    const std::string names[] = {LogName,
                                 std::string(LogName) + "0",
                                 std::string(LogName) + "1",
                                 std::string(LogName) + "2",
                                 std::string(LogName) + "3",
                                 std::string(LogName) + "4"};
    static_assert(std::size(names) == 1 + FallbackLogNameCount, "the plain name and every numbered one");
    std::vector<std::unique_ptr<HeldOpen>> held;
    for (int i = 0; i < heldCount; ++i) {
        held.push_back(std::make_unique<HeldOpen>(names[i]));
        ASSERT_TRUE(held.back()->held());
    }
    Testkit kit;
    kit.logMessage("couldn't get scaleform interface");
    kit.unload();
    held.clear();
    for (int i = 0; i < heldCount; ++i) {
        EXPECT_EQ(game.readFile(names[i]), "") << names[i];
    }
    if (heldCount < 6) {
        EXPECT_EQ(game.readFile(names[heldCount]), logLine("couldn't get scaleform interface"));
    }
    for (int i = heldCount + 1; i < 6; ++i) {
        EXPECT_FALSE(game.exists(names[i])) << names[i];
    }
    EXPECT_FALSE(game.exists(std::string(LogName) + "5"));
}

INSTANTIATE_TEST_SUITE_P(HeldNames, LogFallback, ::testing::Range(0, 7));

}  // namespace

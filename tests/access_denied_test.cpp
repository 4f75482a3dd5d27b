// Faults that only an account without root's rights meets under Wine: as root, Wine reads
// unreadable files and writes into folders without write permission. When the suite runs as
// root, tests/run_unprivileged.sh runs this program under an unprivileged account.
#include <gtest/gtest.h>

#include <string>

#include "support/game_folder.h"
#include "support/child_process.h"
#include "support/game_start.h"
#include "support/unix_host.h"

namespace {

const std::string Root = "Data\\mainmenuwallpapers";

// A Unix permission mode on an item of the game folder, and the one to restore.
std::string chmod(const GameFolder& game, const std::string& item, const std::string& mode) {
    return "chmod " + mode + " " + shellQuoted(unixPath(game.path() + "\\" + item));
}

// True when a file without read permission cannot be opened: the platform enforces what
// these tests are about.
bool permissionsAreEnforced() {
    GameFolder probe;
    probe.writeFile("probe.txt", "x");
    UnixChange unreadable(chmod(probe, "probe.txt", "000"), chmod(probe, "probe.txt", "644"));
    HANDLE file = CreateFileW(wide(probe.path() + "\\probe.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return unreadable.made();
    }
    CloseHandle(file);
    return false;
}

struct DeniedCase {
    const char* label;
    const char* item;  // what loses its permissions
    const char* mode;
    const char* restored;
    const char* expected;  // the log line
};

class AccessDenied : public ::testing::TestWithParam<DeniedCase> {
protected:
    static void SetUpTestSuite() { enforced_ = permissionsAreEnforced(); }
    static inline bool enforced_ = false;
};

TEST_P(AccessDenied, StopsTheInstallationWithErrorFiveAndLeavesTheGamesFiles) {
    if (!enforced_) {
        GTEST_SKIP() << "Wine runs as root here and ignores permissions; the suite runs this program through "
                        "tests/run_unprivileged.sh";
    }
    const DeniedCase c = GetParam();
    GameFolder game;
    game.writeFile("Data\\interface\\menu.txt", "original");
    game.writeFile(Root + "\\spring\\interface\\menu.txt", "spring");
    UnixChange denied(chmod(game, c.item, c.mode), chmod(game, c.item, c.restored));
    ASSERT_TRUE(denied.made());
    // lumeva-check foresees the very line the plugin then logs.
    const ProcessResult check = runProgram("\"" + besideProgram("lumeva-check.exe") + "\" --at 0");
    EXPECT_NE(check.output.find("and logs:\r\n      " + std::string(c.expected) + "\r\n"), std::string::npos)
        << check.output;
    EXPECT_EQ(check.exitCode, 1u);
    const ProcessResult start = startGame();
    EXPECT_EQ(game.readFile(LogName), logLine(c.expected)) << start.output;
    EXPECT_EQ(game.readFile("Data\\interface\\menu.txt"), "original");
    EXPECT_EQ(platformOrder("Data\\interface", false), std::vector<std::string>{"menu.txt"});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, AccessDenied,
    ::testing::Values(DeniedCase{"UnreadableSourceFile", "Data\\mainmenuwallpapers\\spring\\interface\\menu.txt", "000",
                                 "644",
                                 "Error in file copy from .\\Data\\mainmenuwallpapers\\spring\\interface\\menu.txt to "
                                 ".\\Data\\interface\\menu.txt - 5"},
                      DeniedCase{"UnreadableFolder", "Data\\mainmenuwallpapers\\spring\\interface", "000", "755",
                                 "Error in copyDirectory.findFirstFile - 5"},
                      DeniedCase{"DestinationFolderWithoutWritePermission", "Data\\interface", "555", "755",
                                 "Error in file copy from .\\Data\\mainmenuwallpapers\\spring\\interface\\menu.txt to "
                                 ".\\Data\\interface\\menu.txt - 5"},
                      DeniedCase{"ReadOnlyDestination", "Data\\interface\\menu.txt", "444", "644",
                                 "Error in file copy from .\\Data\\mainmenuwallpapers\\spring\\interface\\menu.txt to "
                                 ".\\Data\\interface\\menu.txt - 5"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace

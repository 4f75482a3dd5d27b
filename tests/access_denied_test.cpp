// Faults that only an account without root's rights meets under Wine: as root, Wine reads
// unreadable files and writes into folders without write permission. When the suite runs as
// root, tests/run_unprivileged.sh runs this program under an unprivileged account.
#include <gtest/gtest.h>

#include <string>

#include "support/game_folder.h"
#include "support/game_start.h"
#include "support/unix_host.h"

namespace {

const std::string Root = "Data\\mainmenuwallpapers";

// A Unix permission mode set on an item of the game folder for the test's scope.
class UnixMode {
public:
    UnixMode(const GameFolder& game, const std::string& item, const char* mode, const char* restored)
        : unixItem_(unixPath(game.path() + "\\" + item)), restored_(restored) {
        set_ = !unixItem_.empty() && runUnixShell(std::string("chmod ") + mode + " " + shellQuoted(unixItem_));
    }
    ~UnixMode() {
        if (set_) {
            runUnixShell("chmod " + restored_ + " " + shellQuoted(unixItem_));
        }
    }
    UnixMode(const UnixMode&) = delete;
    UnixMode& operator=(const UnixMode&) = delete;
    bool set() const { return set_; }

private:
    std::string unixItem_;
    std::string restored_;
    bool set_ = false;
};

// True when a file without read permission cannot be opened: the platform enforces what
// these tests are about.
bool permissionsAreEnforced() {
    GameFolder probe;
    probe.writeFile("probe.txt", "x");
    UnixMode unreadable(probe, "probe.txt", "000", "644");
    HANDLE file = CreateFileW(wide(probe.path() + "\\probe.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return unreadable.set();
    }
    CloseHandle(file);
    return false;
}

struct DeniedCase {
    const char* label;
    const char* item;      // what loses its permissions
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
    UnixMode denied(game, c.item, c.mode, c.restored);
    ASSERT_TRUE(denied.set());
    const ProcessResult start = startGame();
    EXPECT_EQ(game.readFile(LogName), logLine(c.expected)) << start.output;
    EXPECT_EQ(game.readFile("Data\\interface\\menu.txt"), "original");
    EXPECT_EQ(platformOrder("Data\\interface", false), std::vector<std::string>{"menu.txt"});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, AccessDenied,
    ::testing::Values(
        DeniedCase{"UnreadableSourceFile", "Data\\mainmenuwallpapers\\spring\\interface\\menu.txt", "000", "644",
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

} // namespace

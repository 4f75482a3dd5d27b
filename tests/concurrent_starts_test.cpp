#include <gtest/gtest.h>

#include <map>
#include <string>
#include <thread>

#include "support/child_process.h"
#include "support/game_folder.h"
#include "support/testkit.h"

namespace {

const std::string Root = "Data\\mainmenuwallpapers";
constexpr int FilesPerSet = 3000;
constexpr int FilesPerFolder = 1000;

std::string setFile(int i) {
    return "interface\\f" + std::to_string(i / FilesPerFolder) + "\\" + std::to_string(i) + ".txt";
}

// Two game starts a few milliseconds apart in one game folder, each with its own pick.
TEST(ConcurrentStarts, AlwaysEndWithOneWholeSet) {
    GameFolder game;
    for (const char* set : {"first", "second"}) {
        for (int i = 0; i < FilesPerSet; ++i) {
            game.writeFile(Root + "\\" + set + "\\" + setFile(i), std::string(set) + " " + std::to_string(i));
        }
    }
    for (int folder = 0; folder < FilesPerSet / FilesPerFolder; ++folder) {
        game.makeFolder("Data\\interface\\f" + std::to_string(folder));
    }
    const std::string startAt = "\"" + besideProgram("lumeva-start-at.exe") + "\" ";
    // The second start comes while the first is still copying (about a second here).
    for (int stagger : {0, 30, 100, 300}) {
        {
            RunningProgram one(startAt + "0");
            Sleep(stagger);
            RunningProgram other(startAt + "1");
            EXPECT_EQ(one.wait(), 0u) << "stagger " << stagger;
            EXPECT_EQ(other.wait(), 0u) << "stagger " << stagger;
        }
        std::map<std::string, int> filesBySet;
        for (int i = 0; i < FilesPerSet; ++i) {
            const std::string content = game.readFile("Data\\" + setFile(i));
            ++filesBySet[content.substr(0, content.find(' '))];
            EXPECT_EQ(content.substr(content.find(' ') + 1), std::to_string(i));
        }
        EXPECT_EQ(filesBySet.size(), 1u) << "stagger " << stagger << ": " << filesBySet.begin()->second << " files of "
                                         << filesBySet.begin()->first << ", the rest of the other set";
        for (const std::string& log : {std::string(LogName), std::string(LogName) + "0"}) {
            EXPECT_EQ(game.readFile(log) == "<missing>" ? "" : game.readFile(log), "") << log;
        }
    }
    EXPECT_EQ(game.allFiles().size(), 3u * FilesPerSet + 1 + (game.exists(std::string(LogName) + "0") ? 1 : 0));
}

// Another start holds the game folder's installation lock for the whole test.
class LockHolder {
public:
    explicit LockHolder(const std::string& name, bool releaseWhenDone)
        : thread_([this, name, releaseWhenDone] {
              HANDLE mutex = CreateMutexW(nullptr, TRUE, wide(name).c_str());
              SetEvent(held_);
              if (releaseWhenDone) {
                  WaitForSingleObject(done_, INFINITE);
                  ReleaseMutex(mutex);
              }
              CloseHandle(mutex);  // without releasing it first: the lock is abandoned
          }) {
        WaitForSingleObject(held_, INFINITE);
    }
    ~LockHolder() {
        SetEvent(done_);
        thread_.join();
        CloseHandle(held_);
        CloseHandle(done_);
    }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

private:
    HANDLE held_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE done_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread thread_;
};

// Another start holds the lock while this one waits a second: one that is still installing
// makes this start give up; one that crashed holding it leaves it to this start.
struct HeldLockCase {
    const char* label;
    bool holderReleases;
    bool installed;
    const char* expectedLog;
};

class ConcurrentStartsHeldLock : public ::testing::TestWithParam<HeldLockCase> {};

TEST_P(ConcurrentStartsHeldLock, DecidesWhetherThisStartInstalls) {
    const HeldLockCase c = GetParam();
    GameFolder game;
    game.writeFile("Data\\interface\\menu.txt", "original");
    game.writeFile(Root + "\\spring\\interface\\menu.txt", "spring");
    Testkit kit;
    {
        LockHolder otherStart(kit.installationLockName(), c.holderReleases);
        EXPECT_EQ(kit.rotateWallpaperWaiting(0, 1), c.installed);
    }
    kit.unload();
    EXPECT_EQ(game.readFile(LogName), c.expectedLog);
    EXPECT_EQ(game.readFile("Data\\interface\\menu.txt"), c.installed ? "spring" : "original");
}

INSTANTIATE_TEST_SUITE_P(
    Holders, ConcurrentStartsHeldLock,
    ::testing::Values(HeldLockCase{"StillInstalling", true, false,
                                   "Another start of the game is still installing wallpaper after 1 second(s), so "
                                   "this start installs none\r\n"},
                      HeldLockCase{"Crashed", false, true, ""}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ConcurrentStarts, TheLockBelongsToTheGameFolderWhateverItsCase) {
    GameFolder game;
    std::string lower = game.path();
    std::string upper = game.path();
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    Testkit kit;
    SetCurrentDirectoryA(lower.c_str());
    const std::string lowerName = kit.installationLockName();
    SetCurrentDirectoryA(upper.c_str());
    EXPECT_EQ(kit.installationLockName(), lowerName);
    SetCurrentDirectoryA("..");
    EXPECT_NE(kit.installationLockName(), lowerName);
    SetCurrentDirectoryA(game.path().c_str());
}

}  // namespace

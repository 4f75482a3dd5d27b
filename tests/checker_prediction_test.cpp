// lumeva-check against the plugin itself: for each game folder and clock second, what the
// checker predicts for the picked set (complete or not, the line the plugin logs, and so
// the file and the error number in it) is what the plugin then does and logs.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "support/child_process.h"
#include "support/game_folder.h"
#include "support/unix_host.h"

namespace {

const std::string Root = "Data\\mainmenuwallpapers";
const std::string Cyrillic = "\xD0\xB7\xD0\xB8\xD0\xBC\xD0\xB0";  // зима

// Whatever a case keeps in place while both run: a second program's open file, a mount.
using Holder = std::unique_ptr<void, void (*)(void*)>;
Holder nothingHeld() {
    return Holder(nullptr, [](void*) {});
}

Holder holdOpen(const std::string& path, DWORD share) {
    HANDLE file =
        CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr);
    return Holder(file, [](void* handle) { CloseHandle(handle); });
}

Holder held(std::unique_ptr<UnixChange> change) {
    return Holder(change.release(), [](void* made) { delete static_cast<UnixChange*>(made); });
}

struct PredictionCase {
    const char* label;
    std::function<Holder(const GameFolder&)> layOut;
    long long second;
    const char* logEnding;  // how the plugin's line ends, so no case passes by both saying nothing
};

// The log's bytes are in the ANSI code page, the checker's document in UTF-8.
std::string fromAnsi(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring converted(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &converted[0], length);
    return utf8(converted);
}

class CheckerPrediction : public ::testing::TestWithParam<PredictionCase> {};

TEST_P(CheckerPrediction, IsWhatThePluginDoesAndLogs) {
    const PredictionCase c = GetParam();
    GameFolder game;
    game.writeFile("Data\\interface\\menu.txt", "original");
    const Holder holder = c.layOut(game);
    const std::string second = std::to_string(c.second);
    const ProcessResult check =
        runProgram("\"" + besideProgram("lumeva-check.exe") + "\" --format=json --at " + second);
    const nlohmann::json report = nlohmann::json::parse(check.output);
    const ProcessResult start = runProgram("\"" + besideProgram("lumeva-start-at.exe") + "\" " + second);

    const std::string logged = fromAnsi(game.readFile(LogName));
    const std::string ending = std::string(c.logEnding) + (*c.logEnding != '\0' ? "\r\n" : "");
    EXPECT_EQ(logged.substr(logged.size() - std::min(logged.size(), ending.size())), ending) << logged;
    EXPECT_EQ(logged.empty(), ending.empty()) << logged;
    const nlohmann::json& predicted = report["logLine"];
    EXPECT_EQ(logged, predicted.is_null() ? std::string() : predicted.get<std::string>() + "\r\n") << check.output;
    if (report["sets"].empty()) {
        EXPECT_EQ(start.exitCode, 1u);
        return;
    }
    const nlohmann::json& pick = report["sets"][report["pick"].get<std::size_t>()];
    EXPECT_EQ(start.exitCode == 0, pick["installsCompletely"].get<bool>()) << check.output;
    if (!pick["stopsAt"].is_null()) {
        EXPECT_NE(logged.find(pick["stopsAt"].get<std::string>()), std::string::npos);
        EXPECT_EQ(logged.substr(logged.rfind(' ') + 1), std::to_string(pick["error"].get<int>()) + "\r\n");
    }
}

Holder spring(const GameFolder& g) {
    g.writeFile(Root + "\\spring\\interface\\menu.txt", "spring");
    return nothingHeld();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CheckerPrediction,
    ::testing::Values(
        PredictionCase{"Clean", spring, 0, ""},
        PredictionCase{"ThreeSetsAtMinusOne",
                       [](const GameFolder& g) {
                           for (const char* name : {"autumn", "spring", "winter"}) {
                               g.writeFile(Root + "\\" + name + "\\interface\\menu.txt", name);
                           }
                           // -1 is the last set the platform lists; that one fails.
                           g.writeFile(Root + "\\" + platformOrder(Root).back() + "\\interface\\extra\\x.txt", "x");
                           return nothingHeld();
                       },
                       -1, "- 3"},
        PredictionCase{"NoSet", [](const GameFolder&) { return nothingHeld(); }, 0, "is not present itself !"},
        PredictionCase{"OnlyFilesAndDotFolders",
                       [](const GameFolder& g) {
                           g.writeFile(Root + "\\menu.dds", "image");
                           g.writeFile(Root + "\\.git\\interface\\menu.txt", "hidden");
                           return nothingHeld();
                       },
                       0, "is not present itself !"},
        PredictionCase{"CleanGameFolderSet",
                       [](const GameFolder& g) {
                           spring(g);
                           g.writeFile(Root + "\\winter\\data\\interface\\menu.txt", "winter");
                           g.writeFile(Root + "\\winter\\readme.txt", "readme");
                           return nothingHeld();
                       },
                       1700000001, ""},
        PredictionCase{"NoSubfolder",
                       [](const GameFolder& g) {
                           g.writeFile(Root + "\\winter\\menu.dds", "image");
                           return nothingHeld();
                       },
                       0, "has no wallpaper in it !"},
        PredictionCase{"MissingFolder",
                       [](const GameFolder& g) {
                           g.writeFile(Root + "\\spring\\interface\\menu.txt", "spring");
                           g.writeFile(Root + "\\spring\\textures\\sky.dds", "sky");
                           return nothingHeld();
                       },
                       0, "- 3"},
        PredictionCase{"ReadOnlyDestination",
                       [](const GameFolder& g) {
                           spring(g);
                           SetFileAttributesW(wide(g.path() + "\\Data\\interface\\menu.txt").c_str(),
                                              FILE_ATTRIBUTE_READONLY);
                           return nothingHeld();
                       },
                       0, "- 5"},
        PredictionCase{"FolderInTheFilesPlace",
                       [](const GameFolder& g) {
                           g.writeFile(Root + "\\spring\\interface\\title.txt", "title");
                           g.makeFolder("Data\\interface\\title.txt");
                           return nothingHeld();
                       },
                       0, "- 5"},
        PredictionCase{"DestinationHeldOpen",
                       [](const GameFolder& g) {
                           spring(g);
                           return holdOpen(g.path() + "\\Data\\interface\\menu.txt", FILE_SHARE_READ);
                       },
                       0, "- 32"},
        PredictionCase{"SourceHeldOpen",
                       [](const GameFolder& g) {
                           spring(g);
                           return holdOpen(g.path() + "\\" + Root + "\\spring\\interface\\menu.txt", 0);
                       },
                       0, "- 32"},
        PredictionCase{"ThePluginsOwnLog",
                       [](const GameFolder& g) {
                           g.writeFile(Root + "\\winter\\data\\interface\\menu.txt", "winter");
                           g.writeFile(Root + "\\winter\\korvex_lumeva_plugin.log", "not a log");
                           return nothingHeld();
                       },
                       0, "- 32"},
        PredictionCase{"IntoTheWallpaperFolder",
                       [](const GameFolder& g) {
                           g.writeFile(Root + "\\autumn\\interface\\menu.txt", "autumn");
                           g.writeFile(Root + "\\winter\\data\\mainmenuwallpapers\\autumn\\interface\\menu.txt",
                                       "winter");
                           return nothingHeld();
                       },
                       1, ""},
        PredictionCase{"LinkBackIntoTheSet",
                       [](const GameFolder& g) {
                           spring(g);
                           return held(std::make_unique<UnixChange>(
                               "ln -s " + shellQuoted(unixPath(g.path() + "\\" + Root + "\\spring")) + " " +
                                   shellQuoted(unixPath(g.path() + "\\" + Root + "\\spring\\interface\\loop")),
                               "rm " + shellQuoted(unixPath(g.path() + "\\" + Root + "\\spring\\interface\\loop"))));
                       },
                       0, ""},
        PredictionCase{"NameOutsideTheCodePage",
                       [](const GameFolder& g) {
                           g.writeFile(Root + "\\" + Cyrillic + "\\" + Cyrillic + "\\" + Cyrillic + ".dds", "image");
                           return nothingHeld();
                       },
                       0, "- 3"},
        PredictionCase{"LongPath",
                       [](const GameFolder& g) {
                           g.writeFile(Root + "\\" + std::string(200, 's') + "\\interface\\" + std::string(150, 'f'),
                                       "x");
                           g.writeFile(Root + "\\" + std::string(200, 's') + "\\more\\" + std::string(150, 'f'), "x");
                           return nothingHeld();
                       },
                       0, "- 3"},
        PredictionCase{"DotNames",
                       [](const GameFolder& g) {
                           spring(g);
                           g.writeFile(Root + "\\spring\\.git\\config", "junk");
                           g.writeFile(Root + "\\.hidden\\interface\\menu.txt", "hidden");
                           return nothingHeld();
                       },
                       0, ""}),
    [](const auto& info) { return std::string(info.param.label); });

// A full disk needs a mount; without root the case cannot be made here and says so.
TEST(CheckerPredictionOnAFullDisk, IsWhatThePluginDoesAndLogs) {
    GameFolder game;
    game.makeFolder("Data\\interface");
    const std::string interface = unixPath(game.path() + "\\Data\\interface");
    UnixChange disk("mount -t tmpfs -o size=1m lumeva-test " + shellQuoted(interface),
                    "umount " + shellQuoted(interface));
    if (!disk.made()) {
        GTEST_SKIP() << "cannot mount a 1 MB tmpfs on the game's Data\\interface here (it needs root under Wine)";
    }
    game.writeFile("Data\\interface\\small.txt", "small");
    game.writeFile(Root + "\\big\\interface\\small.txt", "new small");
    game.writeFile(Root + "\\big\\interface\\big.dds", std::string(2 * 1024 * 1024, 'b'));
    const ProcessResult check = runProgram("\"" + besideProgram("lumeva-check.exe") + "\" --format=json --at 0");
    const nlohmann::json report = nlohmann::json::parse(check.output);
    runProgram("\"" + besideProgram("lumeva-start-at.exe") + "\" 0");
    EXPECT_EQ(report["sets"][0]["error"], 112) << check.output;
    EXPECT_EQ(game.readFile(LogName), report["logLine"].get<std::string>() + "\r\n");
}

}  // namespace

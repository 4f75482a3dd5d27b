#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/game_folder.h"

namespace {

ProcessResult runHost(const std::string& arguments) {
    return runProgram("\"" + besideProgram("korvex-host.exe") + "\" " + arguments);
}

// Standard output is in text mode: the lines arrive ended by CR LF.
std::string lines(std::initializer_list<const char*> texts) {
    std::string joined;
    for (const char* text : texts) {
        joined += text;
        joined += "\r\n";
    }
    return joined;
}

TEST(KorvexHost, HelpNamesEveryOption) {
    GameFolder game;
    const ProcessResult result = runHost("--help");
    EXPECT_EQ(result.exitCode, 0u);
    for (const char* option :
         {"--plugin PATH", "--editor", "--scaleform VERSION", "--scaleform none", "--show-changes", "--help"}) {
        EXPECT_NE(result.output.find(option), std::string::npos) << option;
    }
}

struct BadUsageCase {
    const char* arguments;
    const char* message;
};

class KorvexHostBadUsage : public ::testing::TestWithParam<BadUsageCase> {};

TEST_P(KorvexHostBadUsage, ExplainsAndExitsWithTwo) {
    GameFolder game;
    const ProcessResult result = runHost(GetParam().arguments);
    EXPECT_EQ(result.exitCode, 2u);
    EXPECT_EQ(result.output,
              std::string("korvex-host: ") + GetParam().message + "\r\nTry 'korvex-host --help' for the options.\r\n");
    EXPECT_FALSE(game.exists(LogName));
}

INSTANTIATE_TEST_SUITE_P(
    Options, KorvexHostBadUsage,
    ::testing::Values(BadUsageCase{"--frobnicate", "unknown option '--frobnicate'"},
                      BadUsageCase{"--plugin", "--plugin needs the path of a plugin DLL"},
                      BadUsageCase{"--scaleform", "--scaleform needs a version number or none"},
                      BadUsageCase{"--scaleform -1",
                                   "--scaleform takes a version from 0 to 4294967295 or none, not '-1'"},
                      BadUsageCase{"--scaleform 4294967296",
                                   "--scaleform takes a version from 0 to 4294967295 or none, not '4294967296'"}));

TEST(KorvexHost, RefusesAMissingPlugin) {
    GameFolder game;
    const ProcessResult result = runHost("--plugin missing.dll");
    EXPECT_EQ(result.exitCode, 3u);
    EXPECT_NE(result.output.find("Cannot load the plugin: there is no file missing.dll\r\n"), std::string::npos)
        << result.output;
}

TEST(KorvexHost, RefusesAFileThatIsNoDll) {
    GameFolder game;
    game.writeFile("fake.dll", "this is text, not a library");
    const ProcessResult result = runHost("--plugin fake.dll");
    EXPECT_EQ(result.exitCode, 3u);
    EXPECT_NE(result.output.find("Cannot load the plugin: fake.dll is not a loadable 32-bit Windows DLL (error "),
              std::string::npos)
        << result.output;
}

TEST(KorvexHost, RefusesADllWithoutTheExports) {
    GameFolder game;
    const ProcessResult result = runHost("--plugin \"" + besideProgram("lumeva_testkit.dll") + "\"");
    EXPECT_EQ(result.exitCode, 3u);
    EXPECT_NE(result.output.find("Cannot use the plugin: it does not export KorvexPlugin_Query\r\n"), std::string::npos)
        << result.output;
}

TEST(KorvexHost, ReportsADeclinedPluginAndItsLog) {
    GameFolder game;
    const ProcessResult result = runHost("--editor");
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_NE(result.output.find(
                  lines({"Host: the game's editor, Scaleform service version 1", "Calling KorvexPlugin_Query",
                         "loaded in editor, marking as incompatible",
                         "Descriptor: \"Lumeva plugin\", plugin version 1, descriptor version 1",
                         "The plugin asked for its handle 1 time(s) and for 0 service(s)",
                         "Query: declined, the plugin is not loaded", "Plugin unloaded",
                         "Plugin log korvex_lumeva_plugin.log:", "  | loaded in editor, marking as incompatible"})),
              std::string::npos)
        << result.output;
    EXPECT_EQ(result.output.find("KorvexPlugin_Load"), std::string::npos);
    EXPECT_EQ(game.readFile(LogName), logLine("loaded in editor, marking as incompatible"));
}

TEST(KorvexHost, ReportsAnAcceptedPluginAndWhatItChanged) {
    GameFolder game;
    game.writeFile("Data\\interface\\menu.txt", "original");
    game.writeFile("Data\\interface\\title.txt", "title");
    game.writeFile("Data\\mainmenuwallpapers\\only\\interface\\menu.txt", "only");
    const ProcessResult result = runHost("--scaleform 4294967295 --show-changes");
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_NE(result.output.find(lines(
                  {"Host: the game, Scaleform service version 4294967295", "Calling KorvexPlugin_Query",
                   "Descriptor: \"Lumeva plugin\", plugin version 1, descriptor version 1",
                   "The plugin asked for its handle 1 time(s) and for 1 service(s): id 1",
                   "Query: accepted, the plugin will be loaded", "Calling KorvexPlugin_Load", "Load: returned true",
                   "Plugin unloaded", "Plugin log korvex_lumeva_plugin.log: empty (the plugin reported no problem)",
                   "Files the plugin changed in the game folder:", "  Data\\interface\\menu.txt"})),
              std::string::npos)
        << result.output;
    EXPECT_EQ(game.readFile("Data\\interface\\menu.txt"), "only");
}

TEST(KorvexHost, ShowsThePluginsEchoWhereItHappened) {
    GameFolder game;
    const ProcessResult result = runHost("--show-changes");
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_NE(
        result.output.find(lines({"Calling KorvexPlugin_Load",
                                  "The folder <OSTREVAL>/Data/mainmenuwallpapers has no wallpaper in it or is not "
                                  "present itself !",
                                  "Load: returned true", "Plugin unloaded", "Plugin log korvex_lumeva_plugin.log:",
                                  "  | The folder <OSTREVAL>/Data/mainmenuwallpapers has no wallpaper in it or is "
                                  "not present itself !",
                                  "Files the plugin changed in the game folder: none"})),
        std::string::npos)
        << result.output;
}

// With the log and its first four fallback names taken by other games, the plugin logs to
// the last one, and the host shows that one.
TEST(KorvexHost, FindsALogThatWentToTheLastFallbackName) {
    GameFolder game;
    std::vector<std::unique_ptr<HeldOpen>> taken;
    for (const char* suffix : {"", "0", "1", "2", "3"}) {
        taken.push_back(std::make_unique<HeldOpen>(game.path() + "\\" + LogName + suffix));
    }
    const ProcessResult result = runHost("--editor");
    EXPECT_NE(result.output.find(
                  lines({"Plugin log korvex_lumeva_plugin.log4:", "  | loaded in editor, marking as incompatible"})),
              std::string::npos)
        << result.output;
}

TEST(KorvexHost, ReportsAScaleformServiceThatIsTooOld) {
    GameFolder game;
    const ProcessResult result = runHost("--scaleform 0");
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_NE(result.output.find("  | scaleform interface too old (0 expected 1)\r\n"), std::string::npos)
        << result.output;
}

}  // namespace

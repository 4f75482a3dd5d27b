// lumeva-check: tells a user, before the game starts, what the wallpaper plugin would do
// with the wallpaper sets in a game folder, and what would make an installation fail.
// It reads only; nothing on disk changes.
#include <windows.h>
#include <shellapi.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "checker/set_inspection.h"
#include "fsops/folder_listing.h"
#include "log/log_text.h"
#include "wallpaper/wallpaper_sets.h"

namespace {

enum ExitStatus { AllComplete = 0, SomeIncomplete = 1, BadUsage = 2 };

const char* const Usage =
    "Usage: lumeva-check [--game DIR] [--at SECONDS]\n"
    "\n"
    "Checks the wallpaper sets in DIR\\Data\\mainmenuwallpapers as the wallpaper plugin would\n"
    "install them at the next game start, and reports every set, where it would be copied,\n"
    "and every problem that would make its installation fail or copy nothing. Changes nothing.\n"
    "\n"
    "Options:\n"
    "  --game DIR     the game folder (default: the current folder)\n"
    "  --at SECONDS   say which set the clock would pick at this many seconds since\n"
    "                 1970-01-01 00:00:00 UTC (default: now)\n"
    "  --help         show this text\n"
    "\n"
    "Exit status: 0 every set would install completely, 1 some set would not or there is\n"
    "no set, 2 bad usage.\n";

struct CheckOptions {
    std::wstring gameFolder;
    bool haveSecond = false;
    std::int64_t second = 0;
    bool help = false;
};

bool parseSecond(const std::string& text, std::int64_t& second) {
    if (text.empty() || text.find_first_not_of("-0123456789") != std::string::npos) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0') {
        return false;
    }
    second = value;
    return true;
}

// Wide arguments, so a game folder whose name the ANSI code page lacks can still be named.
bool parseOptions(const std::vector<std::wstring>& arguments, CheckOptions& options, std::string& error) {
    const std::size_t argc = arguments.size();
    for (std::size_t i = 1; i < argc; ++i) {
        const std::string option = logText(arguments[i]);
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--game" && i + 1 < argc) {
            options.gameFolder = arguments[++i];
        } else if (option == "--at" && i + 1 < argc) {
            const std::string value = logText(arguments[++i]);
            if (!parseSecond(value, options.second)) {
                error = "--at takes a whole number of seconds, not '" + value + "'";
                return false;
            }
            options.haveSecond = true;
        } else if (option == "--game" || option == "--at") {
            error = option + (option == "--game" ? " needs a folder" : " needs a number of seconds");
            return false;
        } else {
            error = "unknown option '" + option + "'";
            return false;
        }
    }
    return true;
}

std::string currentFolder() {
    std::wstring folder(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), &folder[0])) >= folder.size()) {
        folder.resize(length);
    }
    folder.resize(length);
    return logText(folder);
}

const char* const LayoutAdvice =
    "Create one folder per wallpaper set in Data\\mainmenuwallpapers, laid out like the Data\n"
    "folder (for example Data\\mainmenuwallpapers\\autumn\\interface\\... for files that replace\n"
    "Data\\interface\\...), or like the game folder with a first subfolder named data.\n";

void reportNoSet() {
    const DWORD attributes = GetFileAttributesW(resolvePath(wallpaperRoot()).full.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        std::printf("There is no folder Data\\mainmenuwallpapers in this game folder.\n");
    } else {
        std::printf("The folder Data\\mainmenuwallpapers holds no wallpaper set: it has no subfolder\n"
                    "whose name does not begin with a dot.\n");
    }
    std::printf("At the next start the plugin installs nothing and logs:\n"
                "  The folder <OSTREVAL>/Data/mainmenuwallpapers has no wallpaper in it or is not present itself !\n");
    std::fputs(LayoutAdvice, stdout);
}

// Entries of the wallpaper root that are not sets, so a user sees why they never come up.
void reportNonSets() {
    listFolder(resolvePath(wallpaperRoot()).full, [](const WIN32_FIND_DATAW& entry) {
        const std::string name = logText(entry.cFileName);
        if (isDotName(entry)) {
            std::printf("not a set: %s (names that begin with a dot are skipped)\n", name.c_str());
        } else if (!isFolder(entry)) {
            std::printf("not a set: %s (a file; each set is a folder)\n", name.c_str());
        }
        return true;
    });
}

void reportSet(std::size_t index, const SetInspection& set) {
    std::printf("[%u] %s\n", static_cast<unsigned>(index), set.name.c_str());
    if (set.firstSubfolder.empty()) {
        std::printf("    problem: it has no subfolder, so the plugin copies nothing and logs:\n"
                    "      The folder %s has no wallpaper in it !\n",
                    set.path.c_str());
    } else {
        const bool gameFolder = set.mirrorsGameFolder;
        std::printf("    copied onto the %s (%s), because its first subfolder is %s\n",
                    gameFolder ? "game folder" : "Data folder", set.destination.c_str(), set.firstSubfolder.c_str());
        std::printf("    %d file(s), %llu byte(s)\n", set.fileCount, static_cast<unsigned long long>(set.byteCount));
    }
    for (const auto& missing : set.missingFolders) {
        std::printf("    problem: the folder %s does not exist, so %s", missing.folder.c_str(), missing.firstFile.c_str());
        if (missing.fileCount > 1) {
            std::printf(" and %d more file(s)", missing.fileCount - 1);
        }
        std::printf(" cannot be copied there (the plugin creates no folders; create it first)\n");
    }
    for (const auto& problem : set.problems) {
        std::printf("    problem: %s\n", problem.c_str());
    }
    for (const auto& skipped : set.skipped) {
        std::printf("    skipped: %s\n", skipped.c_str());
    }
    if (set.installsCompletely()) {
        std::printf("    ok: it would install completely\n");
    }
}

int check(const CheckOptions& options) {
    std::printf("Game folder: %s\n", currentFolder().c_str());
    const std::vector<std::wstring> sets = listWallpaperSets();
    if (sets.empty()) {
        reportNoSet();
        reportNonSets();
        return SomeIncomplete;
    }
    reportNonSets();
    std::printf("%u wallpaper set(s) in %s, in the order this platform lists them:\n",
                static_cast<unsigned>(sets.size()), logText(wallpaperRoot()).c_str());
    int incomplete = 0;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const SetInspection set = inspectWallpaperSet(sets[i]);
        reportSet(i, set);
        incomplete += set.installsCompletely() ? 0 : 1;
    }
    const std::int64_t second = options.haveSecond ? options.second : static_cast<std::int64_t>(std::time(nullptr));
    const std::size_t picked = wallpaperSetIndex(second, sets.size());
    std::printf("At second %lld the plugin would install [%u] %s; each set comes up once in every %u\n"
                "consecutive second(s), in the order above.\n",
                static_cast<long long>(second), static_cast<unsigned>(picked), logText(sets[picked]).c_str(),
                static_cast<unsigned>(sets.size()));
    if (incomplete == 0) {
        std::printf("Every set would install completely.\n");
        return AllComplete;
    }
    std::printf("%d of %u set(s) would not install completely; the plugin stops at the first failure\n"
                "and leaves what it copied before it in place.\n",
                incomplete, static_cast<unsigned>(sets.size()));
    return SomeIncomplete;
}

} // namespace

std::vector<std::wstring> commandLineArguments() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> result;
    if (arguments != nullptr) {
        result.assign(arguments, arguments + count);
        LocalFree(arguments);
    }
    return result;
}

int main() {
    CheckOptions options;
    std::string error;
    if (!parseOptions(commandLineArguments(), options, error)) {
        std::fprintf(stderr, "lumeva-check: %s\nTry 'lumeva-check --help' for the options.\n", error.c_str());
        return BadUsage;
    }
    if (options.help) {
        std::fputs(Usage, stdout);
        return AllComplete;
    }
    if (!options.gameFolder.empty() && !SetCurrentDirectoryW(options.gameFolder.c_str())) {
        std::fprintf(stderr, "lumeva-check: cannot open the game folder %s\n", logText(options.gameFolder).c_str());
        return BadUsage;
    }
    return check(options);
}

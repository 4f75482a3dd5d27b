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

#include "checker/check_report.h"
#include "log/log_text.h"

namespace lumeva {

namespace {

enum ExitStatus { AllComplete = 0, SomeIncomplete = 1, BadUsage = 2 };

const char* const Usage =
    "Usage: lumeva-check [--game DIR] [--at SECONDS] [--format=json]\n"
    "\n"
    "Checks the wallpaper sets in DIR\\Data\\mainmenuwallpapers as the wallpaper plugin would\n"
    "install them at the next game start, and reports every set, where it would be copied,\n"
    "and every problem that would make its installation fail or copy nothing, with the line\n"
    "the plugin would log. Changes nothing.\n"
    "\n"
    "Options:\n"
    "  --game DIR     the game folder (default: the current folder)\n"
    "  --at SECONDS   say which set the clock would pick at this many seconds since\n"
    "                 1970-01-01 00:00:00 UTC (default: now)\n"
    "  --format=json  print the same findings as one JSON document (UTF-8)\n"
    "  --help         show this text\n"
    "\n"
    "Exit status: 0 every set would install completely and harmlessly, 1 some set would not,\n"
    "would do harm, or there is no set, 2 bad usage.\n";

struct CheckOptions {
    std::wstring gameFolder;
    bool haveSecond = false;
    std::int64_t second = 0;
    bool json = false;
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
        } else if (option == "--format=json" || option == "--format=text") {
            options.json = option == "--format=json";
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

int check(const CheckOptions& options) {
    const std::int64_t second = options.haveSecond ? options.second : static_cast<std::int64_t>(std::time(nullptr));
    const CheckReport report = checkGameFolder(second);
    if (options.json) {
        printJsonReport(report);
    } else {
        printTextReport(report);
    }
    return report.everySetComplete() ? AllComplete : SomeIncomplete;
}

}  // namespace

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

int checkMain() {
    CheckOptions options;
    std::string error;
    if (!parseOptions(commandLineArguments(), options, error)) {
        static_cast<void>(
            std::fprintf(stderr, "lumeva-check: %s\nTry 'lumeva-check --help' for the options.\n", error.c_str()));
        return BadUsage;
    }
    if (options.help) {
        static_cast<void>(std::fputs(Usage, stdout));
        return AllComplete;
    }
    if (!options.gameFolder.empty() && !SetCurrentDirectoryW(options.gameFolder.c_str())) {
        static_cast<void>(std::fprintf(stderr, "lumeva-check: cannot open the game folder %s\n",
                                       logText(options.gameFolder).c_str()));
        return BadUsage;
    }
    return check(options);
}

}  // namespace lumeva

int main() { return lumeva::checkMain(); }

#include "host/host_options.h"

#include <cerrno>
#include <cstdlib>

namespace lumeva {

const char* const HostUsage =
    "Usage: korvex-host [options]\n"
    "\n"
    "Loads a Korvex plugin into this process as the game's plugin host would, with the\n"
    "current folder as the game folder: calls KorvexPlugin_Query, then KorvexPlugin_Load if\n"
    "the plugin accepted, unloads it, and prints what happened and the plugin's log.\n"
    "\n"
    "Options:\n"
    "  --plugin PATH        the plugin DLL to load (default: korvex_lumeva_plugin.dll\n"
    "                       beside this program)\n"
    "  --editor             run as the game's editor instead of the game\n"
    "  --scaleform VERSION  offer the Scaleform service in this version, 0 to 4294967295\n"
    "                       (default: 1)\n"
    "  --scaleform none     offer no Scaleform service\n"
    "  --show-changes       list the files below the game folder that the plugin changed\n"
    "  --help               show this text\n"
    "\n"
    "Exit status: 0 the plugin accepted and was loaded, 1 it declined, 2 bad usage,\n"
    "3 the plugin could not be loaded or lacks an export.\n";

namespace {

bool parseVersion(const std::string& text, std::uint32_t& version) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (errno != 0 || value > 0xFFFFFFFFull) {
        return false;
    }
    version = static_cast<std::uint32_t>(value);
    return true;
}

}  // namespace

bool parseHostOptions(int argc, char** argv, HostOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--editor") {
            options.editor = true;
        } else if (option == "--show-changes") {
            options.showChanges = true;
        } else if (option == "--plugin") {
            if (!hasValue) {
                error = "--plugin needs the path of a plugin DLL";
                return false;
            }
            options.pluginPath = argv[++i];
        } else if (option == "--scaleform") {
            if (!hasValue) {
                error = "--scaleform needs a version number or none";
                return false;
            }
            const std::string value = argv[++i];
            if (value == "none") {
                options.offerScaleform = false;
            } else if (parseVersion(value, options.scaleformVersion)) {
                options.offerScaleform = true;
            } else {
                error = "--scaleform takes a version from 0 to 4294967295 or none, not '" + value + "'";
                return false;
            }
        } else {
            error = "unknown option '" + option + "'";
            return false;
        }
    }
    return true;
}

}  // namespace lumeva

#pragma once

#include <cstdint>
#include <string>

namespace lumeva {

// What the stand-in host is told on its command line.
struct HostOptions {
    std::string pluginPath;      // empty: korvex_lumeva_plugin.dll beside the host
    bool editor = false;         // pretend to run inside the game's editor
    bool offerScaleform = true;  // offer the Scaleform service at all
    std::uint32_t scaleformVersion = 1;
    bool showChanges = false;  // list the files in the game folder the plugin changed
    bool help = false;
};

// Parses argv; on a bad option returns false with a message for the user in `error`.
bool parseHostOptions(int argc, char** argv, HostOptions& options, std::string& error);

extern const char* const HostUsage;

}  // namespace lumeva

// A stand-in for the Korvex plugin host: loads one plugin DLL into this process with the
// current folder as the game folder and drives the handshake as the game's host does.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "host/folder_snapshot.h"
#include "fsops/process_paths.h"
#include "host/host_options.h"
#include "log/log_text.h"
#include "log/messages.h"
#include "plugin/host_records.h"

namespace lumeva {

namespace {

enum ExitStatus { Loaded = 0, Declined = 1, BadUsage = 2, NotLoadable = 3 };

// What the plugin asked of the host during the handshake.
struct HostCalls {
    int pluginHandleRequests = 0;
    std::vector<std::uint32_t> interfaceRequests;
};

HostCalls calls;
ScaleformBridge scaleformBridge = {1};
bool offerScaleform = true;

constexpr std::uint32_t PluginHandle = 1;

void* __cdecl requestInterface(std::uint32_t interfaceId) {
    calls.interfaceRequests.push_back(interfaceId);
    return interfaceId == ScaleformBridgeId && offerScaleform ? &scaleformBridge : nullptr;
}

std::uint32_t __cdecl requestPluginHandle() {
    ++calls.pluginHandleRequests;
    return PluginHandle;
}

std::string fileNameOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string defaultPluginPath() { return logText(programFolder()) + "\\korvex_lumeva_plugin.dll"; }

std::string shownCurrentFolder() { return logText(currentFolder()); }

// A Korvex plugin logs to its own name with .log, or to .log0 … .log4 when that is taken.
std::vector<std::string> pluginLogNames(const std::string& pluginPath) {
    std::string base = fileNameOf(pluginPath);
    const auto dot = base.find_last_of('.');
    if (dot != std::string::npos) {
        base.erase(dot);
    }
    std::vector<std::string> names = {base + ".log"};
    for (int i = 0; i < FallbackLogNameCount; ++i) {
        names.push_back(base + ".log" + std::to_string(i));
    }
    return names;
}

std::string readWholeFile(const std::string& path, bool& found) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    found = file != nullptr;
    std::string content;
    if (file != nullptr) {
        char buffer[4096];
        std::size_t read = 0;
        while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            content.append(buffer, read);
        }
        static_cast<void>(std::fclose(file));
    }
    return content;
}

void printPluginLogs(const std::vector<std::string>& names) {
    bool any = false;
    for (const auto& name : names) {
        bool found = false;
        const std::string content = readWholeFile(name, found);
        if (!found) {
            continue;
        }
        any = true;
        if (content.empty()) {
            std::printf("Plugin log %s: empty (the plugin reported no problem)\n", name.c_str());
            continue;
        }
        std::printf("Plugin log %s:\n", name.c_str());
        std::size_t start = 0;
        while (start < content.size()) {
            std::size_t end = content.find('\n', start);
            if (end == std::string::npos) {
                end = content.size();
            }
            std::string line = content.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            std::printf("  | %s\n", line.c_str());
            start = end + 1;
        }
    }
    if (!any) {
        std::printf("Plugin log: none was written in %s\n", shownCurrentFolder().c_str());
    }
}

void printChanges(const FolderSnapshot& before, const std::vector<std::string>& logNames) {
    std::vector<std::string> changed;
    for (const auto& path : changedFiles(before, snapshotFolder(L"."))) {
        const std::string shown = logText(path);
        bool isLog = false;
        for (const auto& name : logNames) {
            isLog = isLog || lstrcmpiA(shown.c_str(), name.c_str()) == 0;
        }
        if (!isLog) {
            changed.push_back(shown);
        }
    }
    if (changed.empty()) {
        std::printf("Files the plugin changed in the game folder: none\n");
        return;
    }
    std::printf("Files the plugin changed in the game folder:\n");
    for (const auto& path : changed) {
        std::printf("  %s\n", path.c_str());
    }
}

void describeHost(const HostOptions& options) {
    std::printf("Host: %s, ", options.editor ? "the game's editor" : "the game");
    if (options.offerScaleform) {
        std::printf("Scaleform service version %lu\n", static_cast<unsigned long>(options.scaleformVersion));
    } else {
        std::printf("no Scaleform service\n");
    }
}

void describeCalls(const PluginDescriptor& descriptor) {
    if (descriptor.displayName != nullptr) {
        std::printf("Descriptor: \"%s\", plugin version %lu, descriptor version %lu\n", descriptor.displayName,
                    static_cast<unsigned long>(descriptor.pluginVersion),
                    static_cast<unsigned long>(descriptor.descriptorVersion));
    } else {
        std::printf("Descriptor: not filled in by the plugin\n");
    }
    std::printf("The plugin asked for its handle %d time(s) and for %u service(s)", calls.pluginHandleRequests,
                static_cast<unsigned>(calls.interfaceRequests.size()));
    for (std::size_t i = 0; i < calls.interfaceRequests.size(); ++i) {
        std::printf("%s%lu", i == 0 ? ": id " : ", id ", static_cast<unsigned long>(calls.interfaceRequests[i]));
    }
    std::printf("\n");
}

int run(const HostOptions& options) {
    const std::string pluginPath = options.pluginPath.empty() ? defaultPluginPath() : options.pluginPath;
    offerScaleform = options.offerScaleform;
    scaleformBridge.bridgeVersion = options.scaleformVersion;

    std::printf("Game folder: %s\n", shownCurrentFolder().c_str());
    std::printf("Plugin: %s\n", pluginPath.c_str());
    describeHost(options);

    if (GetFileAttributesA(pluginPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("Cannot load the plugin: there is no file %s\n", pluginPath.c_str());
        return NotLoadable;
    }
    const std::vector<std::string> logNames = pluginLogNames(pluginPath);
    const FolderSnapshot before = options.showChanges ? snapshotFolder(L".") : FolderSnapshot();

    static_cast<void>(std::fflush(stdout));
    HMODULE plugin = LoadLibraryA(pluginPath.c_str());
    if (plugin == nullptr) {
        const DWORD error = GetLastError();
        std::printf("Cannot load the plugin: %s is not a loadable 32-bit Windows DLL (error %lu)\n", pluginPath.c_str(),
                    static_cast<unsigned long>(error));
        return NotLoadable;
    }
    auto query = reinterpret_cast<KorvexPluginQueryFunction>(
        reinterpret_cast<void*>(GetProcAddress(plugin, "KorvexPlugin_Query")));
    auto load = reinterpret_cast<KorvexPluginLoadFunction>(
        reinterpret_cast<void*>(GetProcAddress(plugin, "KorvexPlugin_Load")));
    if (query == nullptr || load == nullptr) {
        std::printf("Cannot use the plugin: it does not export %s\n",
                    query == nullptr ? "KorvexPlugin_Query" : "KorvexPlugin_Load");
        FreeLibrary(plugin);
        return NotLoadable;
    }

    HostInterface host = {};
    host.editorFlag = options.editor ? 1 : 0;
    host.requestInterface = requestInterface;
    host.requestPluginHandle = requestPluginHandle;
    PluginDescriptor descriptor = {};

    std::printf("Calling KorvexPlugin_Query\n");
    static_cast<void>(std::fflush(stdout));
    const bool accepted = query(&host, &descriptor);
    static_cast<void>(std::fflush(stdout));
    describeCalls(descriptor);
    std::printf("Query: %s\n", accepted ? "accepted, the plugin will be loaded" : "declined, the plugin is not loaded");

    bool loadResult = false;
    if (accepted) {
        std::printf("Calling KorvexPlugin_Load\n");
        static_cast<void>(std::fflush(stdout));
        loadResult = load();
        static_cast<void>(std::fflush(stdout));
        std::printf("Load: returned %s\n", loadResult ? "true" : "false");
    }
    FreeLibrary(plugin);
    std::printf("Plugin unloaded\n");
    printPluginLogs(logNames);
    if (options.showChanges) {
        printChanges(before, logNames);
    }
    return accepted ? Loaded : Declined;
}

}  // namespace

int hostMain(int argc, char** argv) {
    HostOptions options;
    std::string error;
    if (!parseHostOptions(argc, argv, options, error)) {
        static_cast<void>(
            std::fprintf(stderr, "korvex-host: %s\nTry 'korvex-host --help' for the options.\n", error.c_str()));
        return BadUsage;
    }
    if (options.help) {
        static_cast<void>(std::fputs(HostUsage, stdout));
        return Loaded;
    }
    return run(options);
}

}  // namespace lumeva

int main(int argc, char** argv) { return lumeva::hostMain(argc, argv); }

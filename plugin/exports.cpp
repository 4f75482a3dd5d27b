#include <cstdint>

#include "log/messages.h"
#include "log/plugin_log.h"
#include "plugin/export_guard.h"
#include "plugin/host_records.h"
#include "wallpaper/rotate_wallpaper.h"

namespace lumeva {
namespace {

const char* const DisplayName = "Lumeva plugin";

// What the host handed over at the handshake, kept for the life of the library.
std::uint32_t pluginHandle = 0;
const ScaleformBridge* scaleformBridge = nullptr;

bool query(const HostInterface* host, PluginDescriptor* descriptor) {
    if (descriptor == nullptr) {
        logMessage(NoDescriptorMessage);
        return false;
    }
    // Filled first, so the host has the descriptor even when the plugin declines.
    descriptor->descriptorVersion = 1;
    descriptor->displayName = DisplayName;
    descriptor->pluginVersion = 1;

    if (host == nullptr) {
        logMessage(NoHostRecordMessage);
        return false;
    }
    if (host->requestPluginHandle == nullptr) {
        logMessage(NoPluginHandleMessage);
        return false;
    }
    pluginHandle = host->requestPluginHandle();

    if (host->editorFlag != 0) {
        logMessage(EditorMessage);
        return false;
    }
    if (host->requestInterface == nullptr) {
        logMessage(NoScaleformMessage);
        return false;
    }
    scaleformBridge = static_cast<const ScaleformBridge*>(host->requestInterface(ScaleformBridgeId));
    if (scaleformBridge == nullptr) {
        logMessage(NoScaleformMessage);
        return false;
    }
    if (scaleformBridge->bridgeVersion < OldestScaleformBridgeVersion) {
        logMessage(ScaleformTooOldMessage, static_cast<int>(scaleformBridge->bridgeVersion),
                   static_cast<int>(OldestScaleformBridgeVersion));
        return false;
    }
    return true;
}

}  // namespace
}  // namespace lumeva

extern "C" bool __cdecl KorvexPlugin_Query(const lumeva::HostInterface* host, lumeva::PluginDescriptor* descriptor) {
    return lumeva::runGuarded("KorvexPlugin_Query", false, [&] { return lumeva::query(host, descriptor); });
}

// The host always sees a successful load; why no wallpaper was installed stands in the log.
extern "C" bool __cdecl KorvexPlugin_Load() {
    return lumeva::runGuarded("KorvexPlugin_Load", true, [] {
        lumeva::rotateWallpaper();
        return true;
    });
}

#pragma once

#include <cstddef>
#include <cstdint>

namespace lumeva {

// The records the Korvex host and a plugin exchange. Their 32-bit layouts are the host's
// and are fixed; the asserts below keep them so.

// Interface id of the game's Scaleform user-interface service.
constexpr std::uint32_t ScaleformBridgeId = 1;
// The oldest Scaleform service version the plugin runs with.
constexpr std::uint32_t OldestScaleformBridgeVersion = 1;

using RequestInterfaceFunction = void*(__cdecl*)(std::uint32_t interfaceId);
using RequestPluginHandleFunction = std::uint32_t(__cdecl*)();

// Supplied by the host, read-only to the plugin; the host may define more after these.
struct HostInterface {
    std::uint32_t hostData[3];  // not read by this plugin
    std::uint32_t editorFlag;   // nonzero inside the game's editor
    RequestInterfaceFunction requestInterface;
    RequestPluginHandleFunction requestPluginHandle;
};

// Owned by the host, filled in by the plugin during the handshake.
struct PluginDescriptor {
    std::uint32_t descriptorVersion;
    const char* displayName;
    std::uint32_t pluginVersion;
};

// The host's Scaleform service record; the plugin reads only its version.
struct ScaleformBridge {
    std::uint32_t bridgeVersion;
};

static_assert(sizeof(void*) == 4, "the host records are laid out for 32-bit Windows");
static_assert(offsetof(HostInterface, editorFlag) == 12, "HostInterface layout");
static_assert(offsetof(HostInterface, requestInterface) == 16, "HostInterface layout");
static_assert(offsetof(HostInterface, requestPluginHandle) == 20, "HostInterface layout");
static_assert(sizeof(HostInterface) == 24, "HostInterface layout");
static_assert(offsetof(PluginDescriptor, descriptorVersion) == 0, "PluginDescriptor layout");
static_assert(offsetof(PluginDescriptor, displayName) == 4, "PluginDescriptor layout");
static_assert(offsetof(PluginDescriptor, pluginVersion) == 8, "PluginDescriptor layout");
static_assert(sizeof(PluginDescriptor) == 12, "PluginDescriptor layout");
static_assert(offsetof(ScaleformBridge, bridgeVersion) == 0, "ScaleformBridge layout");
static_assert(sizeof(ScaleformBridge) == 4, "ScaleformBridge layout");

// The two exports, as the host looks them up by name.
using KorvexPluginQueryFunction = bool(__cdecl*)(const HostInterface* host, PluginDescriptor* descriptor);
using KorvexPluginLoadFunction = bool(__cdecl*)();
static_assert(sizeof(bool) == 1, "the exports return a one-byte boolean");

}  // namespace lumeva

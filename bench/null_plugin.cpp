// A Korvex plugin that does nothing: the baseline for what loading any plugin costs.
#include "plugin/host_records.h"

extern "C" bool __cdecl KorvexPlugin_Query(const lumeva::HostInterface*, lumeva::PluginDescriptor*) { return true; }

extern "C" bool __cdecl KorvexPlugin_Load() { return true; }

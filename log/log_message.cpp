#include "log/messages.h"
#include "log/plugin_log.h"

namespace lumeva {

namespace {

// Opened while the library initialises, before the host calls anything; closed at unload.
PluginLog pluginLog(PluginLogName);

}  // namespace

void logMessageV(const char* format, std::va_list arguments) { log(pluginLog, MessageLevel, format, arguments); }

// printf-style by design: every message is a fixed text with printf placeholders.
void logMessage(const char* format, ...) {  // NOLINT(cert-dcl50-cpp)
    std::va_list arguments;
    va_start(arguments, format);
    logMessageV(format, arguments);
    va_end(arguments);
}

}  // namespace lumeva

#include "log/plugin_log.h"

#include <share.h>

#include <string>

#include "log/messages.h"

namespace {

std::FILE* openDenyingWrites(const char* name) {
    // Text mode, so each line ends in CR LF; readers may look, a second game may not write.
    return _fsopen(name, "wt", _SH_DENYWR);
}

} // namespace

PluginLog::PluginLog(const char* name) { openLog(*this, name); }

PluginLog::~PluginLog() { closeLog(*this); }

void openLog(PluginLog& pluginLog, const char* name) {
    pluginLog.file = openDenyingWrites(name);
    for (int counter = 0; pluginLog.file == nullptr && counter < FallbackLogNameCount; ++counter) {
        char alternative[1024];
        std::snprintf(alternative, sizeof alternative, "%s%d", name, counter);
        pluginLog.file = openDenyingWrites(alternative);
    }
}

void closeLog(PluginLog& pluginLog) {
    if (pluginLog.file != nullptr) {
        std::fclose(pluginLog.file);
        pluginLog.file = nullptr;
    }
}

void log(PluginLog& pluginLog, int level, const char* format, std::va_list arguments) {
    const bool toFile = level <= pluginLog.fileLevel;
    const bool toConsole = level <= pluginLog.consoleLevel;
    if (!toFile && !toConsole) {
        return;
    }
    const int written = std::vsnprintf(pluginLog.messageBuffer, sizeof pluginLog.messageBuffer, format, arguments);
    // A too-long message is cut at the buffer's end; an unformattable one becomes empty.
    pluginLog.messageBuffer[sizeof pluginLog.messageBuffer - 1] = '\0';
    if (written < 0) {
        pluginLog.messageBuffer[0] = '\0';
    }
    if (toFile && pluginLog.file != nullptr) {
        std::fputs(pluginLog.messageBuffer, pluginLog.file);
        if (pluginLog.autoFlush) {
            std::fflush(pluginLog.file);
        }
        std::fputc('\n', pluginLog.file);
        if (pluginLog.autoFlush) {
            std::fflush(pluginLog.file);
        }
    }
    if (toConsole) {
        // One write for the whole line: an unbuffered standard output would otherwise be
        // written a byte at a time.
        std::string line = pluginLog.messageBuffer;
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
}

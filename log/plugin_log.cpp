#include "log/plugin_log.h"

#include <share.h>

#include <string>

#include "log/messages.h"

namespace lumeva {

namespace {

std::FILE* openDenyingWrites(const char* name) {
    // Text mode, so each line ends in CR LF; readers may look, a second game may not write.
    return _fsopen(name, "wt", _SH_DENYWR);
}

}  // namespace

PluginLog::PluginLog(const char* name) { openLog(*this, name); }

PluginLog::~PluginLog() { closeLog(*this); }

void openLog(PluginLog& pluginLog, const char* name) {
    pluginLog.file = openDenyingWrites(name);
    for (int counter = 0; pluginLog.file == nullptr && counter < FallbackLogNameCount; ++counter) {
        const std::string alternative = name + std::to_string(counter);  // "%s%d"
        pluginLog.file = openDenyingWrites(alternative.c_str());
    }
}

void closeLog(PluginLog& pluginLog) {
    if (pluginLog.file != nullptr) {
        static_cast<void>(std::fclose(pluginLog.file));
        pluginLog.file = nullptr;
    }
}

void log(PluginLog& pluginLog, int level, const char* format, std::va_list arguments) {
    const bool toFile = level <= pluginLog.fileLevel;
    const bool toConsole = level <= pluginLog.consoleLevel;
    if (!toFile && !toConsole) {
        return;
    }
    // A too-long message is cut at the buffer's end. Whether the C runtime reports that as
    // the length it wanted or as a failure, what fitted is kept; nothing of an earlier message
    // is left to show.
    pluginLog.messageBuffer[0] = '\0';
    // The C runtime's own formatter: MinGW's std::vsnprintf would link a second printf into the DLL.
    _vsnprintf(pluginLog.messageBuffer, sizeof pluginLog.messageBuffer, format, arguments);
    pluginLog.messageBuffer[sizeof pluginLog.messageBuffer - 1] = '\0';
    // Failed writes and flushes are ignored: the log is the only place they could be told.
    if (toFile && pluginLog.file != nullptr) {
        static_cast<void>(std::fputs(pluginLog.messageBuffer, pluginLog.file));
        if (pluginLog.autoFlush) {
            static_cast<void>(std::fflush(pluginLog.file));
        }
        static_cast<void>(std::fputc('\n', pluginLog.file));
        if (pluginLog.autoFlush) {
            static_cast<void>(std::fflush(pluginLog.file));
        }
    }
    if (toConsole) {
        // One write for the whole line: an unbuffered standard output would otherwise be
        // written a byte at a time.
        std::string line = pluginLog.messageBuffer;
        line += '\n';
        static_cast<void>(std::fwrite(line.data(), 1, line.size(), stdout));
    }
}

}  // namespace lumeva

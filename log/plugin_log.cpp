#include "log/plugin_log.h"

#include <share.h>

namespace {

constexpr int FallbackNameCount = 5;

std::FILE* openDenyingWrites(const char* name) {
    // Text mode, so each line ends in CR LF; readers may look, a second game may not write.
    return _fsopen(name, "wt", _SH_DENYWR);
}

} // namespace

PluginLog::PluginLog(const char* name) { openLog(*this, name); }

PluginLog::~PluginLog() { closeLog(*this); }

void openLog(PluginLog& log, const char* name) {
    log.file = openDenyingWrites(name);
    for (int counter = 0; log.file == nullptr && counter < FallbackNameCount; ++counter) {
        char alternative[1024];
        std::snprintf(alternative, sizeof alternative, "%s%d", name, counter);
        log.file = openDenyingWrites(alternative);
    }
}

void closeLog(PluginLog& log) {
    if (log.file != nullptr) {
        std::fclose(log.file);
        log.file = nullptr;
    }
}

void logFormatted(PluginLog& log, int level, const char* format, std::va_list arguments) {
    const bool toFile = level <= log.fileLevel;
    const bool toConsole = level <= log.consoleLevel;
    if (!toFile && !toConsole) {
        return;
    }
    const int written = std::vsnprintf(log.messageBuffer, sizeof log.messageBuffer, format, arguments);
    // A too-long message is cut at the buffer's end; an unformattable one becomes empty.
    log.messageBuffer[sizeof log.messageBuffer - 1] = '\0';
    if (written < 0) {
        log.messageBuffer[0] = '\0';
    }
    if (toFile && log.file != nullptr) {
        std::fputs(log.messageBuffer, log.file);
        if (log.autoFlush) {
            std::fflush(log.file);
        }
        std::fputc('\n', log.file);
        if (log.autoFlush) {
            std::fflush(log.file);
        }
    }
    if (toConsole) {
        std::printf("%s\n", log.messageBuffer);
    }
}

#pragma once

#include <cstdarg>
#include <cstdio>

namespace lumeva {

// Every message of the plugin is issued at this level.
constexpr int MessageLevel = 3;

// The plugin's log: one plain-text file in the game folder plus an echo on standard output.
// A single process-wide instance lives from library initialisation to unload.
struct PluginLog {
    std::FILE* file = nullptr;
    bool autoFlush = true;
    int fileLevel = 5;
    int consoleLevel = 3;
    char messageBuffer[8192] = {};

    explicit PluginLog(const char* name);
    ~PluginLog();
    PluginLog(const PluginLog&) = delete;
    PluginLog& operator=(const PluginLog&) = delete;
};

// Opens `name`, or the first of name0 … name4 that opens, for writing with deny-write
// sharing; after six failures the log stays file-less and only the console echo remains.
void openLog(PluginLog& pluginLog, const char* name);
void closeLog(PluginLog& pluginLog);

// Formats one message into the log's buffer (truncated to fit) and writes it as one line.
void log(PluginLog& pluginLog, int level, const char* format, std::va_list arguments);

// The process-wide log's printf-style message operation, at MessageLevel.
void logMessage(const char* format, ...);
void logMessageV(const char* format, std::va_list arguments);

}  // namespace lumeva

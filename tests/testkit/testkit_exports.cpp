// The plugin's routines behind plain C exports, in a DLL built from the same library as
// the plugin, so tests reach them with the plugin's real log opened at load and closed at
// unload, in the folder the test chooses.
#include <cstdarg>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

#include "fsops/copy_directory.h"
#include "fsops/list_subdirectories.h"
#include "log/plugin_log.h"
#include "plugin/export_guard.h"
#include "wallpaper/rotate_wallpaper.h"

// Writes the names one per line into `out`; returns how many there are, or -1 when they
// do not fit.
extern "C" int __cdecl testkit_listSubdirectories(const char* path, char* out, int outSize) {
    std::string joined;
    const auto names = listSubdirectories(path);
    for (const auto& name : names) {
        joined += name;
        joined += '\n';
    }
    if (outSize <= 0 || joined.size() >= static_cast<std::size_t>(outSize)) {
        return -1;
    }
    std::memcpy(out, joined.c_str(), joined.size() + 1);
    return static_cast<int>(names.size());
}

extern "C" bool __cdecl testkit_copyDirectory(const char* source, const char* destination) {
    return copyDirectory(source, destination);
}

extern "C" bool __cdecl testkit_rotateWallpaperAt(std::int64_t seconds) { return rotateWallpaperAt(seconds); }

extern "C" void __cdecl testkit_logMessage(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    logMessageV(format, arguments);
    va_end(arguments);
}

// Throws inside the export guard: 0 a std::bad_alloc, 1 a std::runtime_error, 2 an int.
extern "C" bool __cdecl testkit_runGuardedThrowing(int kind, bool safeResult) {
    return runGuarded("testkit_runGuardedThrowing", safeResult, [kind]() -> bool {
        switch (kind) {
        case 0:
            throw std::bad_alloc();
        case 1:
            throw std::runtime_error("path too long");
        default:
            throw 42;
        }
    });
}

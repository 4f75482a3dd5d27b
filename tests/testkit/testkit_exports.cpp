// The plugin's routines behind plain C exports, in a DLL built from the same library as
// the plugin, so tests reach them with the plugin's real log opened at load and closed at
// unload, in the folder the test chooses. Names cross as UTF-8, so a test can use any name.
#include <windows.h>

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
#include "tests/support/utf8.h"
#include "wallpaper/installation_lock.h"
#include "wallpaper/rotate_wallpaper.h"

using namespace lumeva;

namespace {

// Copies `text` with its NUL into `out`; false when it does not fit.
bool copyOut(const std::string& text, char* out, int outSize) {
    if (outSize <= 0 || text.size() >= static_cast<std::size_t>(outSize)) {
        return false;
    }
    std::memcpy(out, text.c_str(), text.size() + 1);
    return true;
}

}  // namespace

// Writes the names one per line into `out`; returns how many there are, or -1 when they
// do not fit.
extern "C" int __cdecl testkit_listSubdirectories(const char* path, char* out, int outSize) {
    std::string joined;
    const auto names = listSubdirectories(wide(path));
    for (const auto& name : names) {
        joined += utf8(name);
        joined += '\n';
    }
    return copyOut(joined, out, outSize) ? static_cast<int>(names.size()) : -1;
}

extern "C" bool __cdecl testkit_copyDirectory(const char* source, const char* destination) {
    return copyDirectory(wide(source), wide(destination));
}

extern "C" bool __cdecl testkit_rotateWallpaperAt(std::int64_t seconds) { return rotateWallpaperAt(seconds); }

extern "C" bool __cdecl testkit_rotateWallpaperWaiting(std::int64_t seconds, unsigned waitSeconds) {
    return rotateWallpaperAt(seconds, waitSeconds);
}

extern "C" bool __cdecl testkit_installationLockName(char* out, int outSize) {
    return copyOut(utf8(installationLockName()), out, outSize);
}

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

// lumeva-start-at SECONDS: one game start in the current folder at a chosen clock reading,
// in a process of its own, through the test kit DLL beside this program. Exit status 0 when
// the set was installed completely.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "fsops/process_paths.h"

using namespace lumeva;

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    HMODULE testkit = LoadLibraryW((programFolder() + L"\\lumeva_testkit.dll").c_str());
    if (testkit == nullptr) {
        return 3;
    }
    const auto rotate = reinterpret_cast<bool(__cdecl*)(std::int64_t)>(
        reinterpret_cast<void*>(GetProcAddress(testkit, "testkit_rotateWallpaperAt")));
    const bool installed = rotate != nullptr && rotate(std::strtoll(argv[1], nullptr, 10));
    FreeLibrary(testkit);
    return installed ? 0 : 1;
}

// Prints what the plugin costs: installing a large wallpaper set against bare file copies,
// the time it adds to a game start with nothing to install, and the size of the DLL.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <utility>
#include <vector>

#include "fsops/folder_walk.h"
#include "fsops/process_paths.h"
#include "fsops/unique_handle.h"
#include "log/log_text.h"
#include "plugin/host_records.h"

using namespace lumeva;

namespace {

// A tree of generated files: top folders, each with subfolders, each with files.
struct TreeShape {
    const char* name;
    int topFolders;
    int subFolders;
    int filesPerFolder;
    std::size_t fileBytes;
    int rounds;  // alternating rounds; each gives one ratio
};

// 8 x 4 x 32 = 1,024 files of 64 KiB (64 MiB), and 10 x 10 x 100 = 10,000 files of 1 KiB,
// where the cost per file rather than per byte shows.
const TreeShape Trees[] = {
    {"large files", 8, 4, 32, 65536, 15},
    {"small files", 10, 10, 100, 1024, 7},
};
constexpr int StartRounds = 300;

double nowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string besideBench(const char* name) { return logText(programFolder()) + "\\" + name; }

bool fail(const char* what) {
    std::fprintf(stderr, "lumeva-bench: %s (error %lu)\n", what, static_cast<unsigned long>(GetLastError()));
    return false;
}

struct CopyJob {
    std::vector<std::pair<std::string, std::string>> files;  // source, destination
};

// Lays out source\tN\sM\fK.bin and the matching empty destination folders.
bool generateSet(const TreeShape& shape, const std::string& source, const std::string& destination, CopyJob& job) {
    std::vector<char> bytes(shape.fileBytes);
    std::uint32_t seed = 12345;
    for (char& b : bytes) {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<char>(seed >> 24);
    }
    if (!CreateDirectoryA(source.c_str(), nullptr) || !CreateDirectoryA(destination.c_str(), nullptr)) {
        return fail("cannot create the benchmark folders");
    }
    for (int t = 0; t < shape.topFolders; ++t) {
        const std::string top = "\\t" + std::to_string(t);
        CreateDirectoryA((source + top).c_str(), nullptr);
        CreateDirectoryA((destination + top).c_str(), nullptr);
        for (int s = 0; s < shape.subFolders; ++s) {
            const std::string sub = top + "\\s" + std::to_string(s);
            CreateDirectoryA((source + sub).c_str(), nullptr);
            CreateDirectoryA((destination + sub).c_str(), nullptr);
            for (int f = 0; f < shape.filesPerFolder; ++f) {
                const std::string file = sub + "\\f" + std::to_string(f) + ".bin";
                const UniqueFile out(CreateFileA((source + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                 FILE_ATTRIBUTE_NORMAL, nullptr));
                if (!out.valid()) {
                    return fail("cannot create a file of the benchmark set");
                }
                DWORD written = 0;
                bytes[0] = static_cast<char>(f);
                if (!WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
                    return fail("cannot write the benchmark set");
                }
                job.files.emplace_back(source + file, destination + file);
            }
        }
    }
    return true;
}

void removeTree(const std::string& folder) {
    std::wstring wideFolder(folder.size(), L'\0');  // the temp folder's name, in the ANSI code page
    wideFolder.resize(
        static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, folder.c_str(), static_cast<int>(folder.size()),
                                                     &wideFolder[0], static_cast<int>(wideFolder.size()))));
    const ItemPath root = resolvePath(wideFolder);
    WalkRules everything;
    everything.skipDotNames = false;
    everything.followLinks = false;  // remove a link, never what it leads to
    walkTree(root, root, everything, [](const WalkEvent& event) {
        if (event.kind == WalkEvent::File) {
            DeleteFileW(event.source.full.c_str());
        } else if (event.kind == WalkEvent::Link || event.kind == WalkEvent::FolderDone) {
            // A folder's search is closed by now, or it could not be removed.
            RemoveDirectoryW(event.source.full.c_str());
        }
        return true;
    });
}

// Sends standard output to NUL while the plugin logs its start-up line hundreds of times.
class SilencedStdout {
public:
    SilencedStdout() {
        std::fflush(stdout);
        saved_ = _dup(1);
        const int nul = _open("NUL", _O_WRONLY);
        _dup2(nul, 1);
        _close(nul);
    }
    ~SilencedStdout() {
        std::fflush(stdout);
        _dup2(saved_, 1);
        _close(saved_);
    }

private:
    int saved_;
};

std::uint32_t __cdecl requestPluginHandle() { return 1; }
ScaleformBridge bridge = {1};
void* __cdecl requestInterface(std::uint32_t id) { return id == ScaleformBridgeId ? &bridge : nullptr; }

// One game start as the host makes it: load, Query, Load, unload.
bool startOnce(const std::string& dll) {
    HMODULE plugin = LoadLibraryA(dll.c_str());
    if (plugin == nullptr) {
        return false;
    }
    auto query = reinterpret_cast<KorvexPluginQueryFunction>(
        reinterpret_cast<void*>(GetProcAddress(plugin, "KorvexPlugin_Query")));
    auto load = reinterpret_cast<KorvexPluginLoadFunction>(
        reinterpret_cast<void*>(GetProcAddress(plugin, "KorvexPlugin_Load")));
    HostInterface host = {};
    host.requestInterface = requestInterface;
    host.requestPluginHandle = requestPluginHandle;
    PluginDescriptor descriptor = {};
    const bool ok = query != nullptr && load != nullptr && query(&host, &descriptor) && load();
    FreeLibrary(plugin);
    return ok;
}

// The middle value, and the spread between the quarter and three-quarter values.
struct Spread {
    double median;
    double lowQuartile;
    double highQuartile;
};

Spread spreadOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const auto at = [&](double fraction) {
        return values[static_cast<std::size_t>(fraction * (values.size() - 1) + 0.5)];
    };
    return {median(values), at(0.25), at(0.75)};
}

using CopyFunction = bool(__cdecl*)(const char*, const char*);

bool benchInstallation(const TreeShape& shape, const std::string& scratch, CopyFunction copyDirectory) {
    const std::string source = scratch + "\\set-" + std::to_string(shape.fileBytes);
    const std::string destination = scratch + "\\game-" + std::to_string(shape.fileBytes);
    CopyJob job;
    if (!generateSet(shape, source, destination, job)) {
        return false;
    }
    const auto copyWithPlugin = [&] { return copyDirectory(source.c_str(), destination.c_str()); };
    const auto copyBare = [&] {
        bool ok = true;
        for (const auto& [from, to] : job.files) {
            ok = ok && CopyFileA(from.c_str(), to.c_str(), FALSE);
        }
        return ok;
    };
    std::vector<double> plugin;
    std::vector<double> bare;
    std::vector<double> ratios;
    bool ok = copyWithPlugin() && copyBare();  // warms the cache
    for (int round = 0; ok && round < shape.rounds; ++round) {
        // Which side goes first alternates, so neither always runs on a warmer cache.
        double pluginMs = 0;
        double bareMs = 0;
        for (int side = 0; ok && side < 2; ++side) {
            const bool pluginTurn = (side == 0) == (round % 2 == 0);
            const double start = nowMs();
            ok = pluginTurn ? copyWithPlugin() : copyBare();
            (pluginTurn ? pluginMs : bareMs) = nowMs() - start;
        }
        plugin.push_back(pluginMs);
        bare.push_back(bareMs);
        ratios.push_back(pluginMs / bareMs);
    }
    removeTree(source);
    removeTree(destination);
    if (!ok) {
        return fail("a copy failed");
    }
    const Spread ratio = spreadOf(ratios);
    std::printf("Installation, %s: %u files of %u bytes in %d folders; %d rounds, alternating\n", shape.name,
                static_cast<unsigned>(job.files.size()), static_cast<unsigned>(shape.fileBytes),
                shape.topFolders * (shape.subFolders + 1), shape.rounds);
    std::printf("  copyDirectory:   median %9.2f ms\n", median(plugin));
    std::printf("  CopyFileA loop:  median %9.2f ms\n", median(bare));
    std::printf("  ratio, median of the rounds' ratios: %6.3f (middle half %.3f to %.3f; goal: at most 1.10)\n",
                ratio.median, ratio.lowQuartile, ratio.highQuartile);
    return true;
}

// With an argument ("large", "small" or "start-up") only that part is measured, for quicker trials.
bool benchInstallations(const std::string& scratch, const std::string& only) {
    HMODULE testkit = LoadLibraryA(besideBench("lumeva_testkit.dll").c_str());
    if (testkit == nullptr) {
        return fail("cannot load lumeva_testkit.dll");
    }
    auto copyDirectory =
        reinterpret_cast<CopyFunction>(reinterpret_cast<void*>(GetProcAddress(testkit, "testkit_copyDirectory")));
    bool ok = copyDirectory != nullptr || fail("lumeva_testkit.dll lacks testkit_copyDirectory");
    for (const TreeShape& shape : Trees) {
        if (only.empty() || std::string(shape.name).compare(0, only.size(), only) == 0) {
            ok = ok && benchInstallation(shape, scratch, copyDirectory);
        }
    }
    FreeLibrary(testkit);
    return ok;
}

bool benchStartUp(const std::string& scratch) {
    // A game folder without Data\mainmenuwallpapers: the plugin has nothing to install.
    const std::string game = scratch + "\\empty-game";
    CreateDirectoryA(game.c_str(), nullptr);
    const std::wstring previous = currentFolder();
    SetCurrentDirectoryA(game.c_str());
    const std::string pluginDll = besideBench("korvex_lumeva_plugin.dll");
    const std::string nullDll = besideBench("null_plugin.dll");
    std::vector<double> plugin;
    std::vector<double> empty;
    bool ok = true;
    {
        SilencedStdout quiet;
        ok = startOnce(pluginDll) && startOnce(nullDll);
        for (int round = 0; ok && round < StartRounds; ++round) {
            double start = nowMs();
            ok = startOnce(pluginDll);
            plugin.push_back(nowMs() - start);
            start = nowMs();
            ok = ok && startOnce(nullDll);
            empty.push_back(nowMs() - start);
        }
    }
    SetCurrentDirectoryW(previous.c_str());
    if (!ok) {
        return fail("a start-up round failed");
    }
    const double pluginMs = median(plugin);
    const double emptyMs = median(empty);
    std::printf("Start-up without a wallpaper root: %d rounds, alternating\n", StartRounds);
    std::printf("  plugin (load, Query, Load, unload):       median %7.3f ms\n", pluginMs);
    std::printf("  empty plugin (load, Query, Load, unload): median %7.3f ms\n", emptyMs);
    std::printf("  added by the plugin (median difference):         %7.3f ms (goal: under 1 ms)\n", pluginMs - emptyMs);
    return true;
}

bool reportDllSize() {
    const std::string dll = besideBench("korvex_lumeva_plugin.dll");
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(dll.c_str(), GetFileExInfoStandard, &data)) {
        return fail("cannot find korvex_lumeva_plugin.dll");
    }
    HMODULE image = LoadLibraryExA(dll.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    bool stripped = false;
    if (image != nullptr) {
        const auto* base = reinterpret_cast<const unsigned char*>(image);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(
            base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        stripped = nt->FileHeader.PointerToSymbolTable == 0 && nt->FileHeader.NumberOfSymbols == 0;
        FreeLibrary(image);
    }
    std::printf("DLL: korvex_lumeva_plugin.dll, %lu bytes%s (goal: at most 131072 bytes, 128 KiB)\n",
                static_cast<unsigned long>(data.nFileSizeLow), stripped ? ", stripped" : ", NOT stripped");
    return true;
}

std::string processorName() {
    char name[256] = "unknown processor";
    DWORD size = sizeof name;
    RegGetValueA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "ProcessorNameString",
                 RRF_RT_REG_SZ, nullptr, name, &size);
    return name;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string only = argc > 1 ? argv[1] : "";
    SYSTEM_INFO system;
    GetNativeSystemInfo(&system);
    std::printf("lumeva-bench on %s, %lu processor(s)\n", processorName().c_str(),
                static_cast<unsigned long>(system.dwNumberOfProcessors));
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string scratch = std::string(temp) + "lumeva-bench-" + std::to_string(GetCurrentProcessId());
    removeTree(scratch);
    if (!CreateDirectoryA(scratch.c_str(), nullptr)) {
        fail("cannot create the scratch folder");
        return 1;
    }
    const bool ok = (only == "start-up" || benchInstallations(scratch, only)) &&
                    ((!only.empty() && only != "start-up") || benchStartUp(scratch)) && reportDllSize();
    removeTree(scratch);
    return ok ? 0 : 1;
}

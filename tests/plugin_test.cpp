#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <ctime>
#include <cstring>
#include <new>
#include <set>
#include <string>

#include "plugin/host_records.h"
#include "support/game_folder.h"
#include "support/testkit.h"

using namespace lumeva;

namespace {

// A host as the game's: counts what the plugin asks for and offers a Scaleform service.
struct FakeHost {
    static inline int handleRequests = 0;
    static inline int interfaceRequests = 0;
    static inline std::uint32_t askedInterface = 0;
    static inline bool offerBridge = true;
    static inline ScaleformBridge bridge = {1};

    static std::uint32_t __cdecl requestPluginHandle() {
        ++handleRequests;
        return 42;
    }
    static void* __cdecl requestInterface(std::uint32_t id) {
        ++interfaceRequests;
        askedInterface = id;
        return offerBridge ? &bridge : nullptr;
    }

    HostInterface record = {};

    explicit FakeHost(std::uint32_t editor = 0, bool offer = true, std::uint32_t version = 1) {
        handleRequests = interfaceRequests = 0;
        askedInterface = 0;
        offerBridge = offer;
        bridge.bridgeVersion = version;
        record.hostData[0] = record.hostData[1] = record.hostData[2] = 0xDEADBEEF;
        record.editorFlag = editor;
        record.requestInterface = requestInterface;
        record.requestPluginHandle = requestPluginHandle;
    }
};

// The plugin DLL loaded in the current game folder, as the host loads it.
struct Plugin {
    LoadedLibrary library{besideProgram("korvex_lumeva_plugin.dll")};
    KorvexPluginQueryFunction query = library.get<KorvexPluginQueryFunction>("KorvexPlugin_Query");
    KorvexPluginLoadFunction load = library.get<KorvexPluginLoadFunction>("KorvexPlugin_Load");
};

const std::string TooOld0 = "scaleform interface too old (0 expected 1)";

void expectLumevaDescriptor(const PluginDescriptor& descriptor) {
    EXPECT_EQ(descriptor.descriptorVersion, 1u);
    ASSERT_NE(descriptor.displayName, nullptr);
    EXPECT_STREQ(descriptor.displayName, "Lumeva plugin");
    EXPECT_EQ(descriptor.pluginVersion, 1u);
}

// Any editor flag that is not zero means the editor, whichever bits the host sets.
class PluginQueryEditor : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(PluginQueryEditor, DeclinesInTheEditorAfterDescribingItselfAndTakingItsHandle) {
    GameFolder game;
    Plugin plugin;
    ASSERT_TRUE(plugin.query && plugin.load);
    FakeHost host(GetParam());
    PluginDescriptor descriptor = {};
    EXPECT_FALSE(plugin.query(&host.record, &descriptor));
    expectLumevaDescriptor(descriptor);
    EXPECT_EQ(FakeHost::handleRequests, 1);
    EXPECT_EQ(FakeHost::interfaceRequests, 0);
    plugin.library.unload();
    EXPECT_EQ(game.readFile(LogName), logLine("loaded in editor, marking as incompatible"));
}

INSTANTIATE_TEST_SUITE_P(Flags, PluginQueryEditor, ::testing::Values(1u, 2u, 0x80000000u));

TEST(PluginQuery, DeclinesWithoutAScaleformService) {
    GameFolder game;
    Plugin plugin;
    FakeHost host(false, false);
    PluginDescriptor descriptor = {};
    EXPECT_FALSE(plugin.query(&host.record, &descriptor));
    expectLumevaDescriptor(descriptor);
    EXPECT_EQ(FakeHost::handleRequests, 1);
    EXPECT_EQ(FakeHost::interfaceRequests, 1);
    EXPECT_EQ(FakeHost::askedInterface, ScaleformBridgeId);
    plugin.library.unload();
    EXPECT_EQ(game.readFile(LogName), logLine("couldn't get scaleform interface"));
}

// Only version 0 is too old: the comparison is unsigned, so all bits set is the newest.
struct VersionCase {
    std::uint32_t version;
    bool accepted;
    const char* log;
};

class PluginQueryVersion : public ::testing::TestWithParam<VersionCase> {};

TEST_P(PluginQueryVersion, AcceptsVersionOneAndLater) {
    const VersionCase c = GetParam();
    GameFolder game;
    Plugin plugin;
    FakeHost host(false, true, c.version);
    PluginDescriptor descriptor = {};
    EXPECT_EQ(plugin.query(&host.record, &descriptor), c.accepted);
    expectLumevaDescriptor(descriptor);
    EXPECT_EQ(FakeHost::askedInterface, ScaleformBridgeId);
    plugin.library.unload();
    EXPECT_EQ(game.readFile(LogName), c.log);
}

INSTANTIATE_TEST_SUITE_P(Versions, PluginQueryVersion,
                         ::testing::Values(VersionCase{0, false, "scaleform interface too old (0 expected 1)\r\n"},
                                           VersionCase{1, true, ""}, VersionCase{2, true, ""},
                                           VersionCase{4294967295u, true, ""}),
                         [](const auto& info) { return "Version" + std::to_string(info.param.version); });

TEST(PluginLoad, SucceedsWithoutAWallpaperFolderAndSaysWhyOnce) {
    GameFolder game;
    game.writeFile("Data\\interface\\menu.txt", "original");
    Plugin plugin;
    FakeHost host;
    PluginDescriptor descriptor = {};
    ASSERT_TRUE(plugin.query(&host.record, &descriptor));
    EXPECT_TRUE(plugin.load());
    plugin.library.unload();
    EXPECT_EQ(
        game.readFile(LogName),
        logLine("The folder <OSTREVAL>/Data/mainmenuwallpapers has no wallpaper in it or is not present itself !"));
}

TEST(PluginLoad, SucceedsWhenTheCopyFails) {
    GameFolder game;
    game.writeFile("Data\\mainmenuwallpapers\\only\\textures\\sky.dds", "sky");
    Plugin plugin;
    FakeHost host;
    PluginDescriptor descriptor = {};
    ASSERT_TRUE(plugin.query(&host.record, &descriptor));
    EXPECT_TRUE(plugin.load());
    plugin.library.unload();
    EXPECT_EQ(game.readFile(LogName),
              logLine("Error in file copy from .\\Data\\mainmenuwallpapers\\only\\textures\\sky.dds "
                      "to .\\Data\\textures\\sky.dds - 3"));
}

TEST(PluginLoad, InstallsTheSetOfThisSecondAndLogsNothing) {
    GameFolder game;
    game.writeFile("Data\\interface\\menu.txt", "original");
    game.writeFile("Data\\mainmenuwallpapers\\autumn\\interface\\menu.txt", "autumn");
    game.writeFile("Data\\mainmenuwallpapers\\spring\\interface\\menu.txt", "spring");
    game.writeFile("Data\\mainmenuwallpapers\\winter\\data\\interface\\menu.txt", "winter");
    const auto sets = platformOrder("Data\\mainmenuwallpapers");
    Plugin plugin;
    FakeHost host;
    PluginDescriptor descriptor = {};
    ASSERT_TRUE(plugin.query(&host.record, &descriptor));
    // The set follows the calendar clock; the second may tick over during the call.
    const auto before = static_cast<std::int64_t>(std::time(nullptr));
    EXPECT_TRUE(plugin.load());
    const auto after = static_cast<std::int64_t>(std::time(nullptr));
    // The descriptor's text lives as long as the library.
    EXPECT_STREQ(descriptor.displayName, "Lumeva plugin");
    plugin.library.unload();
    const std::string installed = game.readFile("Data\\interface\\menu.txt");
    std::set<std::string> expected;
    for (std::int64_t t = before; t <= after; ++t) {
        expected.insert(sets[t % sets.size()]);
    }
    EXPECT_TRUE(expected.count(installed)) << installed;
    EXPECT_TRUE(game.exists(LogName));
    EXPECT_EQ(game.readFile(LogName), "");
}

// A host may load and unload its plugins many times in one process (a launcher that
// restarts the game in place): each start must give back what it took, or the process
// runs out of thread-local slots after about a thousand.
TEST(PluginLoad, LoadsAndUnloadsTwelveHundredTimesInOneProcess) {
#if !defined(LUMEVA_PLUGIN_BUILT_APART)
    GTEST_SKIP() << "this build's DLL links the posix thread runtime, which keeps a thread-local slot per load; "
                    "the DLL a game folder receives is built without it";
#endif
    GameFolder game;
    game.writeFile("Data\\interface\\menu.txt", "original");
    game.writeFile("Data\\mainmenuwallpapers\\only\\interface\\menu.txt", "only");
    for (int start = 1; start <= 1200; ++start) {
        Plugin plugin;
        ASSERT_TRUE(plugin.query && plugin.load) << "start " << start << ": error " << GetLastError();
        FakeHost host;
        PluginDescriptor descriptor = {};
        ASSERT_TRUE(plugin.query(&host.record, &descriptor)) << "start " << start;
        ASSERT_TRUE(plugin.load()) << "start " << start;
        plugin.library.unload();
        ASSERT_EQ(game.readFile("Data\\interface\\menu.txt"), "only") << "start " << start;
        game.writeFile("Data\\interface\\menu.txt", "original");
    }
    const DWORD slot = TlsAlloc();
    EXPECT_NE(slot, TLS_OUT_OF_INDEXES);
    TlsFree(slot);
    EXPECT_EQ(game.readFile(LogName), "");
}

// Nothing the host passes may crash the game: missing records and functions are declined.
struct BrokenHostCase {
    const char* name;
    bool passHost;
    bool passDescriptor;
    bool passHandleFunction;
    bool passInterfaceFunction;
    const char* log;
};

class PluginQueryBrokenHost : public ::testing::TestWithParam<BrokenHostCase> {};

TEST_P(PluginQueryBrokenHost, DeclinesWithAClearLine) {
    const BrokenHostCase c = GetParam();
    GameFolder game;
    Plugin plugin;
    FakeHost host;
    if (!c.passHandleFunction) {
        host.record.requestPluginHandle = nullptr;
    }
    if (!c.passInterfaceFunction) {
        host.record.requestInterface = nullptr;
    }
    PluginDescriptor descriptor = {};
    EXPECT_FALSE(plugin.query(c.passHost ? &host.record : nullptr, c.passDescriptor ? &descriptor : nullptr));
    if (c.passDescriptor) {
        expectLumevaDescriptor(descriptor);
    }
    plugin.library.unload();
    EXPECT_EQ(game.readFile(LogName), logLine(c.log));
}

INSTANTIATE_TEST_SUITE_P(Cases, PluginQueryBrokenHost,
                         ::testing::Values(BrokenHostCase{"NoHost", false, true, true, true,
                                                          "host passed no interface record, marking as incompatible"},
                                           BrokenHostCase{"NoDescriptor", true, false, true, true,
                                                          "host passed no plugin descriptor, marking as incompatible"},
                                           BrokenHostCase{"NothingAtAll", false, false, true, true,
                                                          "host passed no plugin descriptor, marking as incompatible"},
                                           BrokenHostCase{"NoHandleFunction", true, true, false, true,
                                                          "host offers no plugin handle, marking as incompatible"},
                                           BrokenHostCase{"NoInterfaceFunction", true, true, true, false,
                                                          "couldn't get scaleform interface"}),
                         [](const auto& info) { return std::string(info.param.name); });

// An exception inside an export is logged and the export gives its safe answer.
struct ThrowCase {
    int kind;
    bool safeResult;
    std::string log;
};

// The runtime's own words for an allocation failure, whichever runtime built the DLL.
const std::string BadAlloc =
    std::string("testkit_runGuardedThrowing stopped by an unexpected error: ") + std::bad_alloc().what();

class ExportGuard : public ::testing::TestWithParam<ThrowCase> {};

TEST_P(ExportGuard, CatchesEveryExceptionAndAnswersSafely) {
    const ThrowCase c = GetParam();
    GameFolder game;
    Testkit kit;
    EXPECT_EQ(kit.runGuardedThrowing(c.kind, c.safeResult), c.safeResult);
    kit.unload();
    EXPECT_EQ(game.readFile(LogName), logLine(c.log));
}

INSTANTIATE_TEST_SUITE_P(
    Exceptions, ExportGuard,
    ::testing::Values(ThrowCase{0, true, BadAlloc}, ThrowCase{0, false, BadAlloc},
                      ThrowCase{1, false, "testkit_runGuardedThrowing stopped by an unexpected error: path too long"},
                      ThrowCase{2, true, "testkit_runGuardedThrowing stopped by an unexpected error"}));

// The DLL a game folder receives: exactly the two exports, and only system DLLs imported.
TEST(PluginImage, ExportsExactlyTheTwoEntryPointsAndImportsOnlySystemDlls) {
    GameFolder game;
    LoadedLibrary library(besideProgram("korvex_lumeva_plugin.dll"));
    ASSERT_TRUE(library.loaded());
    HMODULE module = GetModuleHandleA("korvex_lumeva_plugin.dll");
    const auto* image = reinterpret_cast<const unsigned char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(image + dos->e_lfanew);
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);

    const auto& exportEntry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(image + exportEntry.VirtualAddress);
    std::set<std::string> exported;
    const auto* names = reinterpret_cast<const DWORD*>(image + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        exported.insert(reinterpret_cast<const char*>(image + names[i]));
    }
    // Slots of the address table that hold no function export nothing (a linker may leave
    // ordinal 0 empty).
    const auto* functions = reinterpret_cast<const DWORD*>(image + exports->AddressOfFunctions);
    DWORD exportedFunctions = 0;
    for (DWORD i = 0; i < exports->NumberOfFunctions; ++i) {
        exportedFunctions += functions[i] != 0 ? 1 : 0;
    }
    EXPECT_EQ(exportedFunctions, 2u);
    EXPECT_EQ(exported, (std::set<std::string>{"KorvexPlugin_Load", "KorvexPlugin_Query"}));

    const auto& importEntry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const auto* import = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image + importEntry.VirtualAddress);
    std::set<std::string> imported;
    for (; import->Name != 0; ++import) {
        std::string name = reinterpret_cast<const char*>(image + import->Name);
        for (char& ch : name) {
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        }
        imported.insert(name);
    }
    for (const auto& name : imported) {
        const bool system = name == "kernel32.dll" || name == "msvcrt.dll" || name == "ucrtbase.dll" ||
                            name.rfind("api-ms-win-crt-", 0) == 0;
        EXPECT_TRUE(system) << name;
    }
    EXPECT_TRUE(imported.count("kernel32.dll"));
}

}  // namespace

#include "support/unix_host.h"

#include <windows.h>

#include "fsops/unique_handle.h"
#include "support/game_folder.h"

using namespace lumeva;

namespace {

using UnixFileName = char*(__cdecl*)(const wchar_t*);

// Wine's file names are on the Unix side too; this folder is a Windows one that maps to
// Unix /tmp, where the shell leaves its exit status for the test to read.
std::string statusFile() { return "/tmp/lumeva-unix-status-" + std::to_string(GetCurrentProcessId()); }

}  // namespace

std::string unixPath(const std::string& windowsPath) {
    const auto toUnix = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (toUnix == nullptr) {
        return "";
    }
    char* name = toUnix(wide(windowsPath).c_str());
    if (name == nullptr) {
        return "";
    }
    std::string path = name;
    HeapFree(GetProcessHeap(), 0, name);
    return path;
}

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

bool runUnixShell(const std::string& command) {
    // Wine starts a Unix program it is handed as it would a Windows one; the process it
    // returns does not carry the program's exit status, so the shell writes it down.
    const std::string status = statusFile();
    const std::string script = "(" + command + ") >/dev/null 2>&1; echo $? > " + status;
    std::wstring commandLine = L"/bin/sh -c \"" + wide(script) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const std::wstring statusWindows = L"Z:" + wide(status);
    DeleteFileW(statusWindows.c_str());
    if (!CreateProcessW(L"Z:\\bin\\sh", &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    const UniqueKernelHandle processHandle(process.hProcess);
    const UniqueKernelHandle threadHandle(process.hThread);
    WaitForSingleObject(processHandle.get(), INFINITE);
    // The wait may end before the shell has written its status: give it a moment.
    for (int attempt = 0; attempt < 200; ++attempt) {
        const UniqueFile file(CreateFileW(statusWindows.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        if (file.valid()) {
            char text[16] = {};
            DWORD read = 0;
            ReadFile(file.get(), text, sizeof text - 1, &read, nullptr);
            if (read > 0 && text[read - 1] == '\n') {
                DeleteFileW(statusWindows.c_str());
                return text[0] == '0' && text[1] == '\n';
            }
        }
        Sleep(10);
    }
    return false;
}

UnixChange::UnixChange(const std::string& command, const std::string& undo)
    : undo_(undo), made_(runUnixShell(command)) {}

UnixChange::~UnixChange() {
    if (made_) {
        runUnixShell(undo_);
    }
}

FolderLink::FolderLink(const std::string& base, const std::string& link, const std::string& target)
    : change("ln -s " + shellQuoted(unixPath(base + "\\" + target)) + " " + shellQuoted(unixPath(base + "\\" + link)),
             "rm " + shellQuoted(unixPath(base + "\\" + link))) {}

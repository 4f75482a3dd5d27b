#include "support/game_folder.h"

#include "fsops/process_paths.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

using namespace lumeva;

namespace fs = std::filesystem;

namespace {

fs::path pathOf(const std::string& utf8Path) { return fs::path(wide(utf8Path)); }

std::string currentFolderText() { return utf8(currentFolder()); }

}  // namespace

GameFolder::GameFolder() : previous_(currentFolderText()) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static unsigned counter = 0;
    std::ostringstream name;
    name << temp << "lumeva-game-" << GetCurrentProcessId() << '-' << GetTickCount() << '-' << ++counter;
    path_ = name.str();
    fs::remove_all(path_);
    fs::create_directories(path_);
    if (!SetCurrentDirectoryA(path_.c_str())) {
        throw std::runtime_error("cannot enter " + path_);
    }
}

GameFolder::~GameFolder() {
    SetCurrentDirectoryW(wide(previous_).c_str());
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void GameFolder::makeFolder(const std::string& relative) const {
    fs::create_directories(pathOf(path_ + "\\" + relative));
}

void GameFolder::writeFile(const std::string& relative, const std::string& content) const {
    const fs::path file = pathOf(path_ + "\\" + relative);
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string GameFolder::readFile(const std::string& relative) const {
    std::ifstream in(pathOf(path_ + "\\" + relative), std::ios::binary);
    if (!in) {
        return "<missing>";
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool GameFolder::exists(const std::string& relative) const { return fs::exists(pathOf(path_ + "\\" + relative)); }

std::vector<std::string> GameFolder::allFiles() const {
    std::vector<std::string> files;
    const fs::path root = pathOf(path_);
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            std::string relative = utf8(fs::relative(entry.path(), root).wstring());
            for (char& c : relative) {
                if (c == '/') {
                    c = '\\';
                }
            }
            files.push_back(relative);
        }
    }
    return files;
}

std::vector<std::string> platformOrder(const std::string& folder, bool foldersOnly) {
    // The platform's own search, on the extended-length form, so that a folder past 260
    // characters is listed as well.
    wchar_t absolute[32768];
    const DWORD length = GetFullPathNameW(wide(folder).c_str(), 32768, absolute, nullptr);
    std::wstring pattern = L"\\\\?\\" + std::wstring(absolute, length);
    pattern += pattern.back() == L'\\' ? L"*" : L"\\*";
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::wstring name = entry.cFileName;
        const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (name != L"." && name != L".." && (!foldersOnly || isFolder)) {
            names.push_back(utf8(name));
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

std::string besideProgram(const std::string& fileName) { return utf8(programFolder()) + "\\" + fileName; }

HeldOpen::HeldOpen(const std::string& path)
    : handle_(CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}

HeldOpen::~HeldOpen() {
    if (held()) {
        CloseHandle(handle_);
    }
}

LoadedLibrary::LoadedLibrary(const std::string& path) : module_(LoadLibraryA(path.c_str())) {}

LoadedLibrary::~LoadedLibrary() { unload(); }

void LoadedLibrary::unload() {
    if (module_ != nullptr) {
        FreeLibrary(module_);
        module_ = nullptr;
    }
}

std::vector<std::string> withoutDotNames(std::vector<std::string> names) {
    std::vector<std::string> kept;
    for (auto& name : names) {
        if (name.empty() || name[0] != '.') {
            kept.push_back(std::move(name));
        }
    }
    return kept;
}

#include "support/testkit.h"

#include <sstream>
#include <stdexcept>

Testkit::Testkit() : library_(besideProgram("lumeva_testkit.dll")) {
    if (!library_.loaded()) {
        throw std::runtime_error("lumeva_testkit.dll did not load");
    }
    logMessage = library_.get<LogMessage>("testkit_logMessage");
    list_ = library_.get<decltype(list_)>("testkit_listSubdirectories");
    copy_ = library_.get<decltype(copy_)>("testkit_copyDirectory");
    rotate_ = library_.get<decltype(rotate_)>("testkit_rotateWallpaperAt");
    rotateWaiting_ = library_.get<decltype(rotateWaiting_)>("testkit_rotateWallpaperWaiting");
    lockName_ = library_.get<decltype(lockName_)>("testkit_installationLockName");
    guarded_ = library_.get<decltype(guarded_)>("testkit_runGuardedThrowing");
    if (!logMessage || !list_ || !copy_ || !rotate_ || !rotateWaiting_ || !lockName_ || !guarded_) {
        throw std::runtime_error("lumeva_testkit.dll lacks an export");
    }
}

std::vector<std::string> Testkit::listSubdirectories(const std::string& path) const {
    std::string buffer(1 << 16, '\0');
    const int count = list_(path.c_str(), buffer.data(), static_cast<int>(buffer.size()));
    if (count < 0) {
        throw std::runtime_error("listing too long for the test buffer");
    }
    std::vector<std::string> names;
    std::istringstream lines(buffer.c_str());
    for (std::string name; std::getline(lines, name);) {
        names.push_back(name);
    }
    return names;
}

std::string Testkit::installationLockName() const {
    char name[512];
    if (!lockName_(name, sizeof name)) {
        throw std::runtime_error("lock name too long for the test buffer");
    }
    return name;
}

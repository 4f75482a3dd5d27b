#include "wallpaper/installation_lock.h"

#include <cstdint>
#include <string>

#include "fsops/item_path.h"

namespace lumeva {

std::wstring installationLockName() {
    const std::wstring folder = resolvePath(L".").full;
    std::wstring upper(folder.size(), L'\0');
    LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, folder.c_str(), static_cast<int>(folder.size()), &upper[0],
                 static_cast<int>(upper.size()));
    // A mutex name may not hold backslashes and is limited in length: a digest of the path.
    std::uint64_t digest = 14695981039346656037ull;
    for (wchar_t c : upper) {
        digest = (digest ^ static_cast<std::uint16_t>(c)) * 1099511628211ull;
    }
    std::wstring name = L"Local\\korvex_lumeva_plugin-";
    for (int shift = 60; shift >= 0; shift -= 4) {
        name += L"0123456789abcdef"[(digest >> shift) & 0xF];
    }
    return name;
}

InstallationLock::InstallationLock(unsigned waitSeconds)
    : mutex_(CreateMutexW(nullptr, FALSE, installationLockName().c_str())), acquired_(true) {
    if (!mutex_.valid()) {
        return;  // no lock to be had: install as a start without one always did
    }
    const DWORD waited = WaitForSingleObject(mutex_.get(), waitSeconds * 1000);
    // An abandoned lock belonged to a start that crashed; this start installs its own set whole.
    acquired_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (!acquired_) {
        mutex_.reset();
    }
}

InstallationLock::~InstallationLock() {
    if (mutex_.valid()) {
        ReleaseMutex(mutex_.get());
    }
}

}  // namespace lumeva

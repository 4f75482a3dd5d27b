#include "fsops/folder_identity.h"

#include <windows.h>

#include "fsops/unique_handle.h"

namespace lumeva {

FolderIdentity folderIdentity(const std::wstring& full) {
    FolderIdentity identity;
    // Backup semantics opens a folder; reading attributes needs no other right.
    const UniqueFile folder(CreateFileW(full.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder.valid()) {
        return identity;
    }
    BY_HANDLE_FILE_INFORMATION information;
    if (GetFileInformationByHandle(folder.get(), &information)) {
        identity.known = true;
        identity.volume = information.dwVolumeSerialNumber;
        identity.indexHigh = information.nFileIndexHigh;
        identity.indexLow = information.nFileIndexLow;
    }
    return identity;
}

bool sameFolder(const FolderIdentity& a, const FolderIdentity& b) {
    return a.known && b.known && a.volume == b.volume && a.indexHigh == b.indexHigh && a.indexLow == b.indexLow;
}

}  // namespace lumeva

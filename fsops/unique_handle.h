#pragma once

#include <windows.h>

namespace lumeva {

// Owns one handle of a kind described by `Traits` (its invalid value and how to close it),
// so that every way out closes it. Closing keeps the caller's last error, so an error
// number read after the handle is gone is still the failing call's.
template <typename Traits>
class UniqueAny {
public:
    using Handle = typename Traits::Handle;

    UniqueAny() : handle_(Traits::invalid()) {}
    explicit UniqueAny(Handle handle) : handle_(handle) {}
    ~UniqueAny() { reset(); }
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;

    bool valid() const { return handle_ != Traits::invalid(); }
    Handle get() const { return handle_; }

    void reset(Handle handle = Traits::invalid()) {
        if (valid()) {
            const DWORD lastError = GetLastError();
            Traits::close(handle_);
            SetLastError(lastError);
        }
        handle_ = handle;
    }

private:
    Handle handle_;
};

// Files and folders opened with CreateFile: invalid is INVALID_HANDLE_VALUE.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle handle) { CloseHandle(handle); }
};

// Processes, threads, tokens, events and mutexes: invalid is null.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return nullptr; }
    static void close(Handle handle) { CloseHandle(handle); }
};

// Folder searches.
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle handle) { FindClose(handle); }
};

using UniqueFile = UniqueAny<FileHandleTraits>;
using UniqueKernelHandle = UniqueAny<KernelHandleTraits>;
using UniqueFind = UniqueAny<FindHandleTraits>;

}  // namespace lumeva

#pragma once

#include <windows.h>

#include <string>

namespace lumeva {

// The current folder and a module's file, each read into a buffer grown until the whole
// path fits, so that no path is cut short or read past its end. Empty when the platform
// cannot tell.
std::wstring currentFolder();
std::wstring modulePath(HMODULE module = nullptr);

// The folder that holds the running program.
std::wstring programFolder();

}  // namespace lumeva

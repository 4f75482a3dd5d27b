#pragma once

#include <string>

namespace lumeva {

// A name or path as log lines and reports show it: in the ANSI code page, the log's
// encoding, with each character that code page lacks written as one '?'. No lookalike is
// ever put in its place, so what a line shows is never another file's name.
std::string logText(const std::wstring& text);

}  // namespace lumeva

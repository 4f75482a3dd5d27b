#pragma once

#include <string>

// The Unix system Wine runs on, for the faults only it can make: a full disk, a file
// nobody may read. Each returns false when it cannot be done here, so a test can say why
// it is skipped.

// The Unix path of a Windows path (UTF-8 both), or "" when not running under Wine.
std::string unixPath(const std::string& windowsPath);

// Runs `command` with /bin/sh on the Unix side and waits for it; true when it exited 0.
bool runUnixShell(const std::string& command);

// Quotes a text for the Unix shell.
std::string shellQuoted(const std::string& text);

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

// A change made on the Unix side for a test's scope (a mount, a link, a permission), undone
// when the scope ends, before the game folder holding it is removed.
class UnixChange {
public:
    UnixChange(const std::string& command, const std::string& undo);
    ~UnixChange();
    UnixChange(const UnixChange&) = delete;
    UnixChange& operator=(const UnixChange&) = delete;
    bool made() const { return made_; }

private:
    std::string undo_;
    bool made_;
};

// A folder link `link` to `target`, both relative to the folder `base`, made on the Unix
// side, where Wine shows it as a reparse point.
struct FolderLink {
    FolderLink(const std::string& base, const std::string& link, const std::string& target);
    UnixChange change;
};

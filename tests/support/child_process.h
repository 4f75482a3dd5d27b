#pragma once

#include <string>

// A program run to its end in the current folder, with what it wrote to standard output
// and standard error.
struct ProcessResult {
    unsigned long exitCode = 0;
    std::string output;
};

ProcessResult runProgram(const std::string& commandLine);

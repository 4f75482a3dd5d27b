#pragma once

#include <windows.h>

#include <string>

#include "fsops/unique_handle.h"

// A program run to its end in the current folder, with what it wrote to standard output
// and standard error.
struct ProcessResult {
    unsigned long exitCode = 0;
    std::string output;
};

ProcessResult runProgram(const std::string& commandLine);

// A program started in the current folder and left running; its output goes nowhere.
class RunningProgram {
public:
    explicit RunningProgram(const std::string& commandLine);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // Waits for it to end and returns its exit status.
    unsigned long wait();

private:
    lumeva::UniqueKernelHandle process_;
    lumeva::UniqueKernelHandle thread_;
};

#include "support/child_process.h"

#include <stdexcept>

using namespace lumeva;

namespace {

// Starts `commandLine` in the current folder; output to `output` when it is given.
PROCESS_INFORMATION start(const std::string& commandLine, HANDLE output) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (output != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    PROCESS_INFORMATION process = {};
    std::string mutableLine = commandLine;
    if (!CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, output != nullptr, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process)) {
        throw std::runtime_error("cannot start " + commandLine);
    }
    return process;
}

unsigned long waitFor(const UniqueKernelHandle& process) {
    WaitForSingleObject(process.get(), INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    return exitCode;
}

}  // namespace

ProcessResult runProgram(const std::string& commandLine) {
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE readHandle = nullptr;
    HANDLE writeHandle = nullptr;
    if (!CreatePipe(&readHandle, &writeHandle, &inheritable, 0)) {
        throw std::runtime_error("CreatePipe failed");
    }
    const UniqueKernelHandle readEnd(readHandle);
    UniqueKernelHandle writeEnd(writeHandle);
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
    const PROCESS_INFORMATION started = start(commandLine, writeEnd.get());
    const UniqueKernelHandle process(started.hProcess);
    const UniqueKernelHandle thread(started.hThread);
    writeEnd.reset();  // the child holds the only write end now, so reading ends with it
    ProcessResult result;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(readEnd.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        result.output.append(buffer, read);
    }
    result.exitCode = waitFor(process);
    return result;
}

RunningProgram::RunningProgram(const std::string& commandLine) {
    const PROCESS_INFORMATION started = start(commandLine, nullptr);
    process_.reset(started.hProcess);
    thread_.reset(started.hThread);
}

RunningProgram::~RunningProgram() { wait(); }

unsigned long RunningProgram::wait() { return waitFor(process_); }

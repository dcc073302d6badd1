// Starting another program, or opening a document or web address with the program the shell
// associates with it. A direct process start is tried first; when it fails, the shell's "Open"
// action gets the program text (the normal path for documents and addresses).
#pragma once

#include <cstdint>
#include <string>

enum LaunchFlags : int {
    LaunchWait = 1,        // wait until the started process ends
    LaunchHidden = 2,      // hidden window; a direct start is also detached from the console
    LaunchKeep = 4,        // keep the process handle; ProgramRun returns a LaunchedProgram
    LaunchReadOutput = 8,  // with LaunchKeep: a pipe from the child's standard output
    LaunchWriteInput = 16, // with LaunchKeep: a pipe to the child's standard input
    LaunchReadError = 32,  // with LaunchKeep: a pipe from the child's standard error
    LaunchConnect = 64,    // the child's standard input is an earlier program's output pipe
};

// A started program kept with LaunchKeep. The launcher owns these records until program end;
// the handles are native (HANDLE), 0 when absent.
struct LaunchedProgram {
    void* process;
    int processId; // -1 when started through the shell
    void* input;   // our write end of the child's standard input
    // With LaunchWait, output and error are temporary files holding all that was written.
    void* output; // our read end of the child's standard output
    void* error;  // our read end of the child's standard error
};

void LauncherInit();

// 0 on failure; 1 on success without LaunchKeep; with LaunchKeep the address of the
// LaunchedProgram record. Absent texts count as empty; an empty directory means none.
// `connect` is the earlier program whose output pipe feeds this one under LaunchConnect.
intptr_t ProgramRun(const char* program, const char* parameters, const char* directory, int flags,
                    const LaunchedProgram* connect);
inline intptr_t ProgramRun(const char* program, const char* parameters, const char* directory,
                           int flags) {
    return ProgramRun(program, parameters, directory, flags, nullptr);
}
inline intptr_t ProgramRun(const char* program, const char* parameters, const char* directory) {
    return ProgramRun(program, parameters, directory, 0, nullptr);
}
inline intptr_t ProgramRun(const char* program) {
    return ProgramRun(program, nullptr, nullptr, 0, nullptr);
}

// The command line of a direct start: the program in double quotes (unless it already begins
// with one), then a blank and the parameters when there are any.
std::string LaunchCommandLine(const char* program, const char* parameters);

// The working directory the shell gets: the given one, or when none is given, the program's
// folder (up to and including its last backslash after the first character), or empty.
std::string LaunchShellDirectory(const char* program, const char* directory);

#pragma once
// Runs a program (never through a shell) and collects its exit status and output, for the tests
// of the command-line front end.

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace sartovin::test {

struct ProgramResult {
    int exitCode = -1;  ///< exit status, or -1 when it did not exit normally
    std::string out;    ///< standard output
    std::string err;    ///< standard error
};

/// Runs `argv` with the current environment plus `env` (NAME, VALUE pairs; an empty value unsets
/// the variable) and standard input from /dev/null. `whileRunning` (may be empty) is called with
/// the program's process id once it has started, before its end is awaited.
ProgramResult runProgram(const std::vector<std::string>& argv,
                         const std::vector<std::pair<std::string, std::string>>& env = {},
                         const std::function<void(int pid)>& whileRunning = {});

}  // namespace sartovin::test

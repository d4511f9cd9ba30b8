#pragma once
// The running processes and the start of other programs, as the host hand-overs need them: is a
// program running, which file does a process run, start a program and see when it has ended.
// SystemProcessList is the Linux implementation; tests use a fake.

#include <string>
#include <utility>
#include <vector>

namespace sartovin {

struct ProcessInfo {
    int pid = 0;
    std::string name;        ///< the executable's file name ("inkscape")
    std::string executable;  ///< full path of the executable; empty when it cannot be read
};

/// Environment changes for a started program: NAME, VALUE; an empty value removes the variable.
using EnvironmentChanges = std::vector<std::pair<std::string, std::string>>;

class ProcessList {
public:
    virtual ~ProcessList() = default;

    /// Every process that can be seen now, in no particular order.
    virtual std::vector<ProcessInfo> processes() = 0;

    /// True while process `pid` exists and has not ended. An ended child of ours is collected
    /// here, so it never lingers as a zombie.
    virtual bool isRunning(int pid) = 0;

    /// Starts `program` (a path, not looked up) with `arguments` (argv[1]...) directly, never
    /// through a shell, with the current environment changed by `environment`. Standard input is
    /// /dev/null; standard output and error go to `outputPath` (created or truncated), or to
    /// /dev/null when it is empty. Returns the process id, or -1 when the program could not be
    /// started. Does not wait.
    virtual int start(const std::string& program, const std::vector<std::string>& arguments,
                      const EnvironmentChanges& environment, const std::string& outputPath) = 0;

    /// The full path of `name` in the folders of $PATH (an executable regular file), or "".
    virtual std::string findOnPath(const std::string& name) = 0;

    /// The executable of process `pid`, or "" when it is gone or cannot be read.
    virtual std::string executableOf(int pid) = 0;

    /// The command line of process `pid` (argv[0] first; a Windows program run by Wine names its
    /// own Windows path there); empty when it is gone or cannot be read.
    virtual std::vector<std::string> commandLineOf(int pid) = 0;

    /// Asks a program that start() began to end (it has outlasted its time); does nothing for
    /// other processes.
    virtual void stop(int pid) = 0;
};

}  // namespace sartovin

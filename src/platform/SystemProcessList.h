#pragma once
// The process list of this machine: /proc for the processes, posix_spawn for starting programs.

#include <string>
#include <vector>

#include "platform/ProcessList.h"

namespace sartovin {

// The readers of what /proc says about a process, apart from the reading so that any text can be
// handed to them. What they are given is the whole file (or the link's target).

/// The state letter of /proc/<pid>/stat ('R', 'S', 'Z' for a zombie...); 0 when the text has none.
/// The command name in parentheses may itself hold ") ": the state follows the last ')'.
char processStateOfStat(const std::string& stat);

/// The program's short name from /proc/<pid>/comm: its first line.
std::string processNameOfComm(const std::string& comm);

/// The arguments of /proc/<pid>/cmdline, each ended by a NUL (the last one's may be missing).
std::vector<std::string> splitCommandLine(const std::string& cmdline);

/// The executable named by the target of /proc/<pid>/exe: a replaced executable reads as
/// "/usr/bin/inkscape (deleted)", which names /usr/bin/inkscape.
std::string executableOfLinkTarget(std::string target);

class SystemProcessList final : public ProcessList {
public:
    std::vector<ProcessInfo> processes() override;
    bool isRunning(int pid) override;
    int start(const std::string& program, const std::vector<std::string>& arguments,
              const EnvironmentChanges& environment, const std::string& outputPath) override;
    std::string findOnPath(const std::string& name) override;
    std::string executableOf(int pid) override;
    std::vector<std::string> commandLineOf(int pid) override;
    void stop(int pid) override;

private:
    std::vector<int> m_started;  ///< the programs start() began, the only ones stop() ends
};

}  // namespace sartovin

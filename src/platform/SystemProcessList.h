#pragma once
// The process list of this machine: /proc for the processes, posix_spawn for starting programs.

#include <vector>

#include "platform/ProcessList.h"

namespace sartovin {

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

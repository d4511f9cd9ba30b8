#pragma once
// The desktop for the tests: top-level windows with titles and owners (with or without a display
// to ask), and processes that "run" for a number of polls. The host hand-overs look for their
// programs there, the device checks for the cutter maker's display tool.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ProcessList.h"
#include "platform/WindowList.h"
#include "support/TempDir.h"

namespace sartovin::test {

class FakeWindows : public WindowList {
public:
    bool available() override { return display; }
    /// Without a display nothing can be listed.
    std::vector<WindowInfo> topLevelWindows() override {
        return display ? windows : std::vector<WindowInfo>{};
    }
    /// Records the request; the window comes to the top of the list.
    bool activate(const WindowInfo& window) override {
        if (!display || window.id == 0) return false;
        activated.push_back(window.title);
        for (auto it = windows.begin(); it != windows.end(); ++it) {
            if (it->id != window.id) continue;
            WindowInfo raised = *it;
            windows.erase(it);
            windows.insert(windows.begin(), raised);
            break;
        }
        return true;
    }
    bool display = true;
    std::vector<WindowInfo> windows;     ///< topmost first
    std::vector<std::string> activated;  ///< titles of the windows asked to come to the front
};

// Processes that "run" for a number of polls; a started Inkscape does its work through `onStart`.
class FakeProcesses : public ProcessList {
public:
    struct Started {
        std::string program;
        std::vector<std::string> arguments;
        EnvironmentChanges environment;
        std::string output;
    };
    std::vector<ProcessInfo> processes() override { return running; }
    bool isRunning(int pid) override {
        auto it = pollsLeft.find(pid);
        if (it == pollsLeft.end()) return false;
        if (it->second < 0) return true;  // never ends
        if (it->second == 0) return false;
        --it->second;
        return true;
    }
    int start(const std::string& program, const std::vector<std::string>& arguments,
              const EnvironmentChanges& environment, const std::string& output) override {
        if (startFails) return -1;
        started.push_back({program, arguments, environment, output});
        int pid = nextPid++;
        if (arguments == std::vector<std::string>{"--version"}) {
            writeFile(output, versionText);
            pollsLeft[pid] = 0;
        } else {
            if (onStart) onStart(arguments);
            pollsLeft[pid] = runPolls;
        }
        return pid;
    }
    std::string findOnPath(const std::string& name) override { return name == "inkscape" ? onPath : ""; }
    std::string executableOf(int pid) override { return executables.count(pid) ? executables[pid] : ""; }
    std::vector<std::string> commandLineOf(int pid) override {
        return commandLines.count(pid) ? commandLines[pid] : std::vector<std::string>{};
    }
    void stop(int pid) override { stopped.push_back(pid); }

    std::vector<ProcessInfo> running;
    std::map<int, std::string> executables;
    std::map<int, std::vector<std::string>> commandLines;
    std::string onPath;
    std::string versionText = "Inkscape 1.2.2 (b0a8486541, 2022-12-01)\n";
    bool startFails = false;
    int runPolls = 3;  // -1: never ends
    std::function<void(const std::vector<std::string>&)> onStart;
    std::vector<Started> started;
    std::vector<int> stopped;
    std::map<int, int> pollsLeft;
    int nextPid = 1000;
};

}  // namespace sartovin::test

#include "session/OtherRun.h"

#include "platform/Files.h"

namespace sartovin {

std::optional<WindowInfo> windowOfAnotherRun(WindowList& windows, ProcessList& processes, const ThisRun& self) {
    if (self.executable.empty() || self.startName.empty() || !windows.available()) return std::nullopt;
    for (const WindowInfo& w : windows.topLevelWindows()) {
        if (w.pid <= 0 || w.pid == self.pid || w.id == 0) continue;
        if (processes.executableOf(w.pid) != self.executable) continue;
        const std::vector<std::string> commandLine = processes.commandLineOf(w.pid);
        if (commandLine.empty() || baseName(commandLine[0]) != self.startName) continue;
        return w;
    }
    return std::nullopt;
}

}  // namespace sartovin

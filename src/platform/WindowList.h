#pragma once
// The top-level windows of the desktop with their titles and owning processes, for the checks
// that a host program is open. X11WindowList is the implementation for an X display; tests use a
// fake.

#include <string>
#include <vector>

namespace sartovin {

struct WindowInfo {
    std::string title;  ///< UTF-8 title
    int pid = 0;        ///< owning process, 0 when the window does not say
};

class WindowList {
public:
    virtual ~WindowList() = default;

    /// True when a display can be asked (otherwise callers fall back to the process list).
    virtual bool available() = 0;

    /// The top-level windows in stacking order, the topmost first. Empty without a display.
    virtual std::vector<WindowInfo> topLevelWindows() = 0;
};

}  // namespace sartovin

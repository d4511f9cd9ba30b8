#pragma once
// The top-level windows of the desktop with their titles and owning processes, for the checks
// that a host program is open. X11WindowList is the implementation for an X display; tests use a
// fake.

#include <string>
#include <vector>

namespace sartovin {

struct WindowInfo {
    std::string title;     ///< UTF-8 title
    int pid = 0;           ///< owning process, 0 when the window does not say
    unsigned long id = 0;  ///< the window on the display; 0 for none (a process standing in)
};

class WindowList {
public:
    virtual ~WindowList() = default;

    /// True when a display can be asked (otherwise callers fall back to the process list).
    virtual bool available() = 0;

    /// The top-level windows in stacking order, the topmost first. Empty without a display.
    virtual std::vector<WindowInfo> topLevelWindows() = 0;

    /// Asks the window manager to raise and activate `window` (one of topLevelWindows()), with
    /// the standard request of the desktop (_NET_ACTIVE_WINDOW on X). False when no display can
    /// be asked or the window has no id.
    virtual bool activate(const WindowInfo& window) = 0;
};

}  // namespace sartovin

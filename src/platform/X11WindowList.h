#pragma once
// Top-level windows of an X display, as the window manager lists them (_NET_CLIENT_LIST_STACKING,
// else _NET_CLIENT_LIST), with _NET_WM_NAME or WM_NAME and _NET_WM_PID; a window is brought to the
// front with the _NET_ACTIVE_WINDOW request to the window manager. Without a display (no $DISPLAY,
// or a build without libX11) it lists nothing and says it is not available.

#include "platform/WindowList.h"

namespace sartovin {

class X11WindowList final : public WindowList {
public:
    bool available() override;
    std::vector<WindowInfo> topLevelWindows() override;
    bool activate(const WindowInfo& window) override;
};

}  // namespace sartovin

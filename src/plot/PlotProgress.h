#pragma once
// The status window as plot generation sees it: a progress bar, a text, and the cancel button's
// request flag. The device subsystem implements it with the real status window.

#include <cstdint>
#include <string>

namespace sartovin {

class PlotProgress {
public:
    virtual ~PlotProgress() = default;
    /// Range of the bar; positions outside it are shown clamped.
    virtual void setRange(std::int64_t low, std::int64_t high) = 0;
    virtual void setPosition(std::int64_t position) = 0;
    virtual void setText(const std::string& text) = 0;
    /// Shows the window topmost, centred over the main window.
    virtual void show() = 0;
    /// Hides the window and its controls.
    virtual void hide() = 0;
    /// True once the user pressed the cancel button and nobody cleared it.
    virtual bool cancelRequested() const = 0;
    virtual void clearCancel() = 0;
};

}  // namespace sartovin

#pragma once
// What the delivery does to the status window: the plot run's status window implements it.

#include <string>

namespace sartovin {

class DeliveryStatus {
public:
    virtual ~DeliveryStatus() = default;
    virtual void hideProgress() = 0;
    virtual void setText(const std::string& text) = 0;
    /// Hides the status window (before a failure message is shown).
    virtual void hide() = 0;
    /// True once the user pressed the cancel button (a write that waits for the device ends).
    virtual bool cancelRequested() const { return false; }
};

}  // namespace sartovin

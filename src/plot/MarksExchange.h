#pragma once
// The direct line to a hobby cutter that the GP-GL writer needs in registration-mark mode: the
// cutter reads the printed marks before the cutting stream is built. The device subsystem
// implements it over the USB device list and the direct send.

#include <string>

namespace sartovin {

class MarksExchange {
public:
    virtual ~MarksExchange() = default;
    /// True when a USB device whose model name equals `modelName` is attached.
    virtual bool usbDeviceAvailable(const std::string& modelName) = 0;
    /// Writes `bytes` to that USB device. True when they were written.
    virtual bool sendToUsbDevice(const std::string& modelName, const std::string& bytes) = 0;
    /// Delivers `bytes` at once over the plotter's port (the direct send); it reports its own
    /// failures to the user. True when the bytes were handed to the channel.
    virtual bool sendDirect(const std::string& bytes) = 0;
};

}  // namespace sartovin

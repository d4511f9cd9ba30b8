#pragma once
// Command exchanges with a USB printer device and the model query built on them.

#include <string>

#include "platform/DeviceFiles.h"
#include "platform/Interaction.h"

namespace sartovin {

/// How long one write to a USB device may make no progress before it counts as failed, ms.
inline constexpr int kUsbWriteStallMs = 30000;
/// How long the exchange waits for the first reply byte after its pauses, ms; a device that
/// never answers ends the exchange after this.
inline constexpr int kUsbReplyWaitMs = 1000;

/// Sends `command` to the device at `devicePath` and collects its reply: one write, 100 ms,
/// another 100 ms, one read of up to 128 bytes, 100 ms, all on one handle opened for reading
/// and writing. The reply is the bytes read up to the first zero byte. True when the write took
/// at least one byte and the reply is non-empty; the handle is closed on every path.
bool usbDeviceCommandExchange(DeviceFiles& files, const std::string& devicePath, const std::string& command,
                              Interaction& ui, std::string& reply);

/// The model name in an identification reply: the text between the first and the second comma
/// after "GCC", trimmed. Empty when there is no "GCC" or not two commas after it.
std::string modelFromIdentificationReply(const std::string& reply);

/// Asks the device for its identification (escape, ".R4:") and returns the model name, or ""
/// when the device gives none.
std::string queryUsbModel(DeviceFiles& files, const std::string& devicePath, Interaction& ui);

}  // namespace sartovin

#include "device/UsbDeviceExchange.h"

#include <cstring>

#include "platform/StringUtil.h"

namespace sartovin {

namespace {

void pumpPausePump(Interaction& ui, int ms) {
    ui.pump();
    ui.pause(ms);
    ui.pump();
}

}  // namespace

bool usbDeviceCommandExchange(DeviceFiles& files, const std::string& devicePath, const std::string& command,
                              Interaction& ui, std::string& reply) {
    reply.clear();
    std::int32_t error = 0;
    // One handle for both directions: the printer class driver lets one opener in at a time, so
    // a second handle for reading would be refused as busy.
    auto device = files.open(devicePath, DeviceAccess::ReadWrite, error);
    if (!device) return false;
    DeviceHandle* writer = device.get();
    DeviceHandle* reader = device.get();

    ui.pump();
    std::size_t written = 0;
    std::int32_t rc = writer->write(command.data(), command.size(), written, kUsbWriteStallMs);
    pumpPausePump(ui, 100);
    if (rc != 0 || written == 0) return false;

    pumpPausePump(ui, 100);
    char buffer[128];
    std::memset(buffer, 0, sizeof buffer);
    std::size_t received = 0;
    rc = reader->read(buffer, sizeof buffer, received, kUsbReplyWaitMs);
    pumpPausePump(ui, 100);
    if (rc != 0 || received == 0 || buffer[0] == '\0') return false;
    reply.assign(buffer, strnlen(buffer, received));
    return !reply.empty();
}

std::string modelFromIdentificationReply(const std::string& reply) {
    std::size_t gcc = reply.find("GCC");
    if (gcc == std::string::npos) return {};
    std::size_t first = reply.find(',', gcc);
    if (first == std::string::npos) return {};
    std::size_t second = reply.find(',', first + 1);
    if (second == std::string::npos) return {};
    return std::string(trimmedView(reply.substr(first + 1, second - first - 1), isXmlSpace));
}

std::string queryUsbModel(DeviceFiles& files, const std::string& devicePath, Interaction& ui) {
    // Escape, full stop, "R4:" — the identification request — sent with its terminating zero:
    // six bytes, as the identification has always gone out on this path.
    const std::string command("\x1b.R4:", 6);
    std::string reply;
    if (!usbDeviceCommandExchange(files, devicePath, command, ui, reply)) return {};
    return modelFromIdentificationReply(reply);
}

}  // namespace sartovin

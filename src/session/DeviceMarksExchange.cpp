#include "session/DeviceMarksExchange.h"

namespace sartovin {

namespace {
constexpr int kWriteTimeoutMs = 5000;  // a cutter that takes nothing for this long is not listening
}  // namespace

const UsbDeviceEntry* DeviceMarksExchange::find(const std::string& modelName) const {
    for (const UsbDeviceEntry& e : m_usbDevices)
        if (!modelName.empty() && e.modelName == modelName) return &e;
    return nullptr;
}

bool DeviceMarksExchange::usbDeviceAvailable(const std::string& modelName) {
    return find(modelName) != nullptr;
}

bool DeviceMarksExchange::sendToUsbDevice(const std::string& modelName, const std::string& bytes) {
    const UsbDeviceEntry* e = find(modelName);
    if (!e) return false;
    std::int32_t error = 0;
    auto handle = m_files.open(e->devicePath, DeviceAccess::Write, error);
    if (!handle) return false;
    std::size_t written = 0;
    return handle->write(bytes.data(), bytes.size(), written, kWriteTimeoutMs) == 0 &&
           written == bytes.size();
}

}  // namespace sartovin

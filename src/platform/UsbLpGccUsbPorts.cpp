#include "platform/UsbLpGccUsbPorts.h"

namespace sartovin {

GccUsbHandle UsbLpGccUsbPorts::open(int index) {
    m_lastOpenError = 0;
    if (index < 0 || index > 3) return kGccUsbInvalidHandle;
    UsbPrinterNode node;
    if (!m_devices.gccDevice(index, node)) return kGccUsbInvalidHandle;
    std::int32_t error = 0;
    auto handle = m_files.open(node.nodePath, DeviceAccess::ReadWrite, error);
    if (!handle) {
        m_lastOpenError = error;
        return kGccUsbInvalidHandle;
    }
    GccUsbHandle id = m_nextHandle++;
    m_open[id] = std::move(handle);
    return id;
}

std::string UsbLpGccUsbPorts::deviceName(int index) {
    UsbPrinterNode node;
    if (index < 0 || index > 3 || !m_devices.gccDevice(index, node)) return {};
    return node.nodePath;
}

DeviceHandle* UsbLpGccUsbPorts::find(GccUsbHandle handle) {
    auto it = m_open.find(handle);
    return it == m_open.end() ? nullptr : it->second.get();
}

int UsbLpGccUsbPorts::write(GccUsbHandle handle, const char* data, unsigned count) {
    DeviceHandle* h = find(handle);
    if (!h) return -1;
    std::size_t written = 0;
    if (h->write(data, count, written, m_stallTimeoutMs) != 0) return -1;
    // A block the device took only in part is a failed write for the callers.
    return written == count ? static_cast<int>(written) : -1;
}

void UsbLpGccUsbPorts::close(GccUsbHandle handle) { m_open.erase(handle); }

int UsbLpGccUsbPorts::bytesAvailable(GccUsbHandle handle, unsigned& count) {
    count = 0;
    DeviceHandle* h = find(handle);
    if (!h) return -1;
    std::size_t n = 0;
    if (h->bytesAvailable(n) != 0) return -1;
    count = static_cast<unsigned>(n);
    return 0;
}

int UsbLpGccUsbPorts::read(GccUsbHandle handle, char* buffer, unsigned capacity, unsigned& count) {
    DeviceHandle* h = find(handle);
    if (!h) {
        count = 0;
        return -1;
    }
    // The printer class driver cannot count its input, so the count given is only an estimate
    // (see bytesAvailable): the read asks for the whole capacity and takes what is there.
    std::size_t want = capacity;
    std::size_t got = 0;
    count = 0;
    if (h->read(buffer, want, got, 0) != 0) return -1;
    count = static_cast<unsigned>(got);
    return 0;
}

}  // namespace sartovin

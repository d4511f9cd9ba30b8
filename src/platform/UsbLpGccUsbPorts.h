#pragma once
// The GCC USB ports on this platform: port n is the n-th usblp device whose IEEE-1284 maker is
// GCC (in lpN order), opened for reading and writing.

#include <map>
#include <memory>

#include "platform/DeviceFiles.h"
#include "platform/GccUsbPortApi.h"
#include "platform/UsbPrinterDevices.h"

namespace sartovin {

class UsbLpGccUsbPorts : public GccUsbPortApi {
public:
    /// Both references must outlive this object. A write waits at most `stallTimeoutMs` for a
    /// device that takes nothing.
    UsbLpGccUsbPorts(const UsbPrinterDevices& devices, DeviceFiles& files, int stallTimeoutMs = 30000)
        : m_devices(devices), m_files(files), m_stallTimeoutMs(stallTimeoutMs) {}

    GccUsbHandle open(int index) override;
    int write(GccUsbHandle handle, const char* data, unsigned count) override;
    void close(GccUsbHandle handle) override;
    int bytesAvailable(GccUsbHandle handle, unsigned& count) override;
    int read(GccUsbHandle handle, char* buffer, unsigned capacity, unsigned& count) override;
    /// The usblp device node of port `index` ("/dev/usb/lp0").
    std::string deviceName(int index) override;
    std::int32_t lastOpenError() const override { return m_lastOpenError; }

private:
    DeviceHandle* find(GccUsbHandle handle);

    const UsbPrinterDevices& m_devices;
    DeviceFiles& m_files;
    int m_stallTimeoutMs = 30000;
    GccUsbHandle m_nextHandle = 1;
    std::int32_t m_lastOpenError = 0;
    std::map<GccUsbHandle, std::unique_ptr<DeviceHandle>> m_open;
};

}  // namespace sartovin

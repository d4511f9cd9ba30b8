#pragma once
// This computer's own device services, for the two programs: CUPS, the usblp devices and their
// nodes, the GCC USB ports among them, the X display's windows and the processes of /proc.

#include <string>

#include "platform/CupsSpooler.h"
#include "platform/NodeDeviceFiles.h"
#include "platform/SystemProcessList.h"
#include "platform/UsbLpGccUsbPorts.h"
#include "platform/UsbPrinterDevices.h"
#include "platform/X11WindowList.h"
#include "session/DeviceServices.h"

namespace sartovin {

class SystemDeviceServices {
public:
    /// `sysRoot` and `devRoot` are where the devices are looked for.
    explicit SystemDeviceServices(std::string sysRoot = "/sys", std::string devRoot = "/dev");
    SystemDeviceServices(const SystemDeviceServices&) = delete;
    SystemDeviceServices& operator=(const SystemDeviceServices&) = delete;

    /// The services; they refer to this object, which must outlive their users.
    DeviceServices services();

private:
    std::string m_sysRoot;
    std::string m_devRoot;
    CupsSpooler m_spooler;
    NodeDeviceFiles m_files;
    UsbPrinterDevices m_usb;
    UsbLpGccUsbPorts m_gccUsb;
    X11WindowList m_windows;
    SystemProcessList m_processes;
};

}  // namespace sartovin

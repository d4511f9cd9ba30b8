#include "session/SystemDeviceServices.h"

namespace sartovin {

SystemDeviceServices::SystemDeviceServices(std::string sysRoot, std::string devRoot)
    : m_sysRoot(std::move(sysRoot)),
      m_devRoot(std::move(devRoot)),
      m_usb(m_sysRoot, m_devRoot),
      m_gccUsb(m_usb, m_files) {}

DeviceServices SystemDeviceServices::services() {
    return DeviceServices{m_spooler, m_gccUsb, m_files, m_usb, m_windows, m_processes, m_sysRoot, m_devRoot};
}

}  // namespace sartovin

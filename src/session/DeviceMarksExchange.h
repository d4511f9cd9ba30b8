#pragma once
// The hobby cutter's line for reading registration marks, over the attached USB devices and the
// direct send of the plotter's channel.

#include "device/DeviceDelivery.h"
#include "plot/MarksExchange.h"

namespace sartovin {

class DeviceMarksExchange : public MarksExchange {
public:
    /// Every reference must outlive the object.
    DeviceMarksExchange(const UsbDeviceList& usbDevices, DeviceFiles& files, DeviceDelivery& delivery)
        : m_usbDevices(usbDevices), m_files(files), m_delivery(delivery) {}

    bool usbDeviceAvailable(const std::string& modelName) override;
    bool sendToUsbDevice(const std::string& modelName, const std::string& bytes) override;
    bool sendDirect(const std::string& bytes) override { return m_delivery.directSend(bytes); }

private:
    const UsbDeviceEntry* find(const std::string& modelName) const;

    const UsbDeviceList& m_usbDevices;
    DeviceFiles& m_files;
    DeviceDelivery& m_delivery;
};

}  // namespace sartovin

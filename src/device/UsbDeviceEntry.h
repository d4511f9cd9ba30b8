#pragma once
// One attached USB printer device as the port list and the plot run know it.

#include <string>
#include <vector>

namespace sartovin {

struct UsbDeviceEntry {
    std::string portName;    ///< "USB001" for lp0, "USB002" for lp1, ...
    std::string devicePath;  ///< the device node, e.g. "/dev/usb/lp0"
    std::string modelName;   ///< the model (see identifyUsbPrinters); empty when none was found
};

using UsbDeviceList = std::vector<UsbDeviceEntry>;

/// The name a plotter stores for a USB device ("USBGCCName"): its model name, or its port name
/// when the device gave no model (so that it can be found again).
inline std::string storedUsbDeviceName(const UsbDeviceEntry& entry) {
    return entry.modelName.empty() ? entry.portName : entry.modelName;
}

/// True when `entry` is the device a plotter stored as `name`; an empty name names none.
inline bool isStoredUsbDevice(const UsbDeviceEntry& entry, const std::string& name) {
    return !name.empty() && storedUsbDeviceName(entry) == name;
}

}  // namespace sartovin

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

}  // namespace sartovin

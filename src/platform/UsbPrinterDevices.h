#pragma once
// The USB printer-class devices the usblp driver has bound: /sys/class/usbmisc/lpN with the
// device's IEEE-1284 ID in device/ieee1284_id, and the node /dev/usb/lpN. Tests point the two
// roots at a fake tree (regular files or FIFOs stand in for the nodes).

#include <string>
#include <vector>

#include "platform/Ieee1284Id.h"

namespace sartovin {

struct UsbPrinterNode {
    int index = 0;         ///< N of lpN
    std::string nodePath;  ///< "/dev/usb/lpN" (below the device root)
    std::string deviceId;  ///< the raw IEEE-1284 ID text ("" when sysfs has none)
    Ieee1284Id id;         ///< its parsed keys
};

/// True when the device ID names GCC as the maker (compared without regard to case).
bool isGccMaker(const Ieee1284Id& id);

/// N of a /sys/class/usbmisc entry named "lpN" (0..255); -1 for any other name.
int usbLpIndexOfName(const std::string& name);

/// The IEEE-1284 ID in the text of a device/ieee1284_id attribute: without the line end and the
/// NULs the kernel leaves after it.
std::string deviceIdOfAttribute(std::string attribute);

class UsbPrinterDevices {
public:
    explicit UsbPrinterDevices(std::string sysRoot = "/sys", std::string devRoot = "/dev")
        : m_sysRoot(std::move(sysRoot)), m_devRoot(std::move(devRoot)) {}

    /// The lpN devices whose node exists, ordered by N.
    std::vector<UsbPrinterNode> list() const;

    /// The `n`-th (from 0) listed device whose IEEE-1284 maker is GCC (compared without regard
    /// to case); false when there are not that many.
    bool gccDevice(int n, UsbPrinterNode& out) const;

private:
    std::string m_sysRoot;
    std::string m_devRoot;
};

}  // namespace sartovin

#pragma once
// A sysfs and /dev tree in a temporary folder, as the discovery of serial ports and USB printer
// devices reads it: /sys/class/tty/<name> (with a device link for real ports, a "type" file for the
// 8250 ports) and /sys/class/usbmisc/lpN/device/ieee1284_id, with their nodes below dev/.

#include <string>

#include "support/TempDir.h"

namespace sartovin::test {

class FakeDeviceTree {
public:
    /// The roots to hand to the discovery (no trailing slash).
    std::string sysRoot() const { return m_dir.file("sys"); }
    std::string devRoot() const { return m_dir.file("dev"); }
    /// A path below the tree ("dev/usb/lp0").
    std::string file(const std::string& relative) const { return m_dir.file(relative); }

    /// A tty entry: with a device link unless `virtualTty`, a "type" file holding `type` when it
    /// is given, and the node dev/<name> when `node`. Returns the node's path.
    std::string addTty(const std::string& name, bool virtualTty = false, const char* type = nullptr,
                       bool node = true);

    /// A real serial port whose node is a link to `devicePath`: a pseudo-terminal plays the device.
    std::string addSerialPort(const std::string& name, const std::string& devicePath);

    /// A usblp device lpN with the IEEE-1284 ID `deviceId` (no file when empty) and the node
    /// dev/usb/lpN when `node`. Returns the node's path.
    std::string addLp(int n, const std::string& deviceId, bool node = true);

private:
    TempDir m_dir;
};

}  // namespace sartovin::test

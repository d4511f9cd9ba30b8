#pragma once
// The serial ports of this computer: the ttys of /sys/class/tty that belong to a device (virtual
// consoles and pseudo-terminals have no "device" link) and whose node exists below the device
// root. The 8250 driver registers ttyS0..ttyS31 whether or not a UART is there; those report
// "type" 0 (no UART) and are left out. Tests point both roots at a fake tree.

#include <string>
#include <vector>

namespace sartovin {

/// Device paths such as "/dev/ttyS0" or "/dev/ttyUSB0", ordered by name with numbers compared as
/// numbers (ttyS2 before ttyS10). `sysRoot` stands for "/sys", `devRoot` for "/dev". The path is
/// what a serial plotter stores as its port.
std::vector<std::string> listSerialPorts(const std::string& sysRoot = "/sys",
                                         const std::string& devRoot = "/dev");

/// True when the text of an 8250 port's "type" attribute says a UART is there (a type other than 0).
bool uartPresentOfType(const std::string& type);

/// Compares names so that embedded numbers sort by value ("lp2" < "lp10").
bool naturalLess(const std::string& a, const std::string& b);

}  // namespace sartovin

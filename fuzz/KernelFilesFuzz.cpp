// Feeds arbitrary bytes to every reader of what the kernel says in /proc and /sys: a process's
// stat line, comm and cmdline and the target of its exe link; a serial port's "type", a usblp
// device's ieee1284_id and the lpN names of the class folder; the order of the port names. The same
// bytes also go through a small sysfs tree in a temporary folder, as the port lists read it.
// Besides the sanitizers, each reader's promise is checked.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "FuzzInputFile.h"
#include "platform/Ieee1284Id.h"
#include "platform/SerialPortList.h"
#include "platform/SystemProcessList.h"
#include "platform/UsbPrinterDevices.h"

using namespace sartovin;
using fuzz::require;

namespace {

// sys/class/tty/ttyS0 (a real 8250 port: device link, "type") and sys/class/usbmisc/lp0 with their
// nodes below dev/; the fuzz input becomes the two attributes. Removed when the process ends.
class Tree {
public:
    Tree() : m_root(fuzz::inputFile("-tree")) {
        namespace fs = std::filesystem;
        std::error_code ec;
        fs::remove_all(m_root, ec);
        fs::create_directories(m_root + "/sys/devices/ttyS0", ec);
        fs::create_directories(m_root + "/sys/class/tty/ttyS0", ec);
        fs::create_directory_symlink(m_root + "/sys/devices/ttyS0", m_root + "/sys/class/tty/ttyS0/device",
                                     ec);
        fs::create_directories(m_root + "/sys/class/usbmisc/lp0/device", ec);
        fs::create_directories(m_root + "/dev/usb", ec);
        fuzz::writeInput(m_root + "/dev/ttyS0", "");
        fuzz::writeInput(m_root + "/dev/usb/lp0", "");
    }
    ~Tree() {
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }
    std::string sys() const { return m_root + "/sys"; }
    std::string dev() const { return m_root + "/dev"; }
    bool write(const std::string& bytes) const {
        return fuzz::writeInput(m_root + "/sys/class/tty/ttyS0/type", bytes) &&
               fuzz::writeInput(m_root + "/sys/class/usbmisc/lp0/device/ieee1284_id", bytes);
    }

private:
    std::string m_root;
};

void checkProcFiles(const std::string& text) {
    const char state = processStateOfStat(text);
    if (state != 0) {
        const std::string line = text.substr(0, text.find('\n'));
        const std::size_t close = line.rfind(')');
        require(close != std::string::npos && close + 2 < line.size() && line[close + 2] == state);
    }
    const std::string name = processNameOfComm(text);
    require(name.find('\n') == std::string::npos && text.compare(0, name.size(), name) == 0);

    // The arguments joined by NULs are the file again, short of the last argument's end.
    const std::vector<std::string> args = splitCommandLine(text);
    std::string joined;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i) joined += '\0';
        joined += args[i];
    }
    if (!text.empty() && text.back() == '\0') joined += '\0';
    require(joined == text);

    const std::string exe = executableOfLinkTarget(text);
    require(exe.size() <= text.size() && text.compare(0, exe.size(), exe) == 0);
}

void checkSysfsAttributes(const std::string& text) {
    const std::string id = deviceIdOfAttribute(text);
    require(text.compare(0, id.size(), id) == 0);
    require(id.empty() || (id.back() != '\n' && id.back() != '\0'));
    const Ieee1284Id parsed = Ieee1284Id::parse(id);
    (void)isGccMaker(parsed);
    (void)uartPresentOfType(text);
}

void checkClassName(const std::string& name) {
    const int index = usbLpIndexOfName(name);
    require(index >= -1 && index <= 255);
    if (index >= 0)
        require(name.size() >= 3 && name.compare(0, 2, "lp") == 0 && name.find('\0') == std::string::npos);
}

// Each line a name of a class folder. The port lists sort them with naturalLess: it must be a
// strict weak order, or the sort may run off.
void checkNames(const std::string& text) {
    std::vector<std::string> names;
    std::size_t from = 0;
    while (from <= text.size() && names.size() < 12) {
        const std::size_t end = text.find('\n', from);
        names.push_back(text.substr(from, end == std::string::npos ? std::string::npos : end - from));
        if (end == std::string::npos) break;
        from = end + 1;
    }
    for (const std::string& a : names) {
        checkClassName(a);
        require(!naturalLess(a, a));
        for (const std::string& b : names) {
            const bool ab = naturalLess(a, b), ba = naturalLess(b, a);
            require(!(ab && ba));
            for (const std::string& c : names) {
                if (ab && naturalLess(b, c)) require(naturalLess(a, c));
                // Neither before the other is an equivalence, transitive too.
                if (!ab && !ba && !naturalLess(b, c) && !naturalLess(c, b))
                    require(!naturalLess(a, c) && !naturalLess(c, a));
            }
        }
    }
    std::sort(names.begin(), names.end(), naturalLess);
}

void checkTree(const std::string& text) {
    static const Tree tree;
    if (!tree.write(text)) return;
    const std::vector<std::string> ports = listSerialPorts(tree.sys(), tree.dev());
    require(ports.size() == (uartPresentOfType(text) ? 1u : 0u));
    const std::vector<UsbPrinterNode> lps = UsbPrinterDevices(tree.sys(), tree.dev()).list();
    require(lps.size() == 1 && lps[0].index == 0 && lps[0].deviceId == deviceIdOfAttribute(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    checkProcFiles(text);
    checkSysfsAttributes(text);
    checkNames(text);
    checkTree(text);
    return 0;
}

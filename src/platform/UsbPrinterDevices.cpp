#include "platform/UsbPrinterDevices.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

#include "platform/Files.h"
#include "platform/UniqueFd.h"

namespace sartovin {

bool isGccMaker(const Ieee1284Id& id) { return ::strcasecmp(id.manufacturer.c_str(), "GCC") == 0; }

int usbLpIndexOfName(const std::string& name) {
    if (name.size() < 3 || name.compare(0, 2, "lp") != 0) return -1;
    char* end = nullptr;
    long index = std::strtol(name.c_str() + 2, &end, 10);
    // A name is a C string to the kernel: a NUL inside ends no number.
    if (end != name.c_str() + name.size() || index < 0 || index > 255) return -1;
    return static_cast<int>(index);
}

std::string deviceIdOfAttribute(std::string attribute) {
    while (!attribute.empty() && (attribute.back() == '\n' || attribute.back() == '\0')) attribute.pop_back();
    return attribute;
}

std::vector<UsbPrinterNode> UsbPrinterDevices::list() const {
    std::vector<UsbPrinterNode> out;
    std::string classDir = m_sysRoot + "/class/usbmisc";
    UniqueDir dir(::opendir(classDir.c_str()));
    if (!dir) return out;
    while (dirent* e = ::readdir(dir.get())) {
        std::string name = e->d_name;
        const int index = usbLpIndexOfName(name);
        if (index < 0) continue;
        UsbPrinterNode node;
        node.index = index;
        node.nodePath = m_devRoot + "/usb/" + name;
        struct stat st {};
        if (::stat(node.nodePath.c_str(), &st) != 0) continue;
        if (auto id = readWholeFile(classDir + "/" + name + "/device/ieee1284_id")) {
            node.deviceId = deviceIdOfAttribute(std::move(*id));
            node.id = Ieee1284Id::parse(node.deviceId);
        }
        out.push_back(std::move(node));
    }
    std::sort(out.begin(), out.end(),
              [](const UsbPrinterNode& a, const UsbPrinterNode& b) { return a.index < b.index; });
    return out;
}

bool UsbPrinterDevices::gccDevice(int n, UsbPrinterNode& out) const {
    if (n < 0) return false;
    int seen = 0;
    for (auto& node : list()) {
        if (!isGccMaker(node.id)) continue;
        if (seen++ == n) {
            out = node;
            return true;
        }
    }
    return false;
}

}  // namespace sartovin

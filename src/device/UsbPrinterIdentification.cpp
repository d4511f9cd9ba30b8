#include "device/UsbPrinterIdentification.h"

#include <algorithm>
#include <cstdio>

#include "base/StartMode.h"
#include "device/UsbDeviceExchange.h"
#include "platform/StringUtil.h"

namespace sartovin {

std::string usbPortNameForIndex(int lpIndex) {
    char name[16];
    std::snprintf(name, sizeof name, "USB%03d", lpIndex < 0 ? 0 : lpIndex + 1);
    return name;
}

bool isHobbyCutterModel(const std::string& model) {
    const std::string upper = upperAscii(model);
    for (const char* key : {"CAMEO", "CC100", "CC200", "CC330"})
        if (upper.find(key) != std::string::npos) return true;
    return false;
}

UsbDeviceList identifyUsbPrinters(const UsbPrinterDevices& devices, DeviceFiles& files, StartMode startMode,
                                  Interaction& ui) {
    UsbDeviceList list;
    bool hobby = startMode.isHobby();
    for (const auto& node : devices.list()) {
        // Each edition lists its own devices: the hobby edition its cutters, the others anything
        // but those.
        if (hobby != isHobbyCutterModel(node.id.model)) continue;
        bool known = std::any_of(list.begin(), list.end(),
                                 [&](const UsbDeviceEntry& e) { return e.devicePath == node.nodePath; });
        if (known) continue;
        std::int32_t error = 0;
        auto probe = files.open(node.nodePath, DeviceAccess::ReadWrite, error);
        if (!probe) continue;
        // The printer class driver lets one opener in at a time: the probe must be gone before
        // the model query opens the node.
        probe.reset();
        UsbDeviceEntry entry;
        entry.portName = usbPortNameForIndex(node.index);
        entry.devicePath = node.nodePath;
        // Only a device whose maker is GCC is asked for its model: the request would reach any
        // other printer as bytes to print.
        if (hobby)
            entry.modelName = node.id.model;
        else if (isGccMaker(node.id))
            entry.modelName = queryUsbModel(files, node.nodePath, ui);
        list.push_back(std::move(entry));
    }
    return list;
}

}  // namespace sartovin

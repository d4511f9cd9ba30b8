#include "device/DeviceBusyCheck.h"

#include "catalog/PlotterRecord.h"

namespace sartovin {

std::optional<WindowInfo> findDisplayToolWindow(WindowList* windows, const ProcessLister& listProcesses) {
    if (windows && windows->available()) {
        for (const auto& w : windows->topLevelWindows()) {
            if (w.title.substr(0, 1999).rfind("VLCD", 0) == 0) return w;
        }
        return std::nullopt;
    }
    if (listProcesses) {
        for (const auto& p : listProcesses())
            if (p.name.rfind("VLCD", 0) == 0) return WindowInfo{p.name, p.pid, 0};
    }
    return std::nullopt;
}

std::optional<std::string> findDisplayTool(WindowList* windows, const ProcessLister& listProcesses) {
    auto tool = findDisplayToolWindow(windows, listProcesses);
    if (!tool) return std::nullopt;
    return tool->title.substr(0, 1999);
}

bool bringDisplayToolToFront(WindowList* windows, const WindowInfo& tool) {
    return windows && tool.id != 0 && windows->activate(tool);
}

bool deviceBusy(WindowList* windows, const ProcessLister& listProcesses, const Texts& texts,
                Interaction& ui) {
    auto tool = findDisplayToolWindow(windows, listProcesses);
    if (!tool) return false;
    ui.messageBox(texts.text(TextId::StopVlcdFirst), kProgramCaption, MessageIcon::Exclamation);
    bringDisplayToolToFront(windows, *tool);
    return true;
}

std::string displayToolFor(int portType, const std::string& printerPortName) {
    switch (portType) {
        case kPortGccUsb:
        case kPortSerial:
            return "VLCD.exe";
        case kPortUsbDevice:
            return "VLCD2.exe";
        case kPortPrinter:
            if (printerPortName.find("GCCUSB") != std::string::npos) return "VLCD.exe";
            if (printerPortName.find("USB0") != std::string::npos) return "VLCD2.exe";
            return {};
        default:
            return {};
    }
}

}  // namespace sartovin

#include "device/DeviceBusyCheck.h"

#include "catalog/PlotterRecord.h"

namespace sartovin {

std::optional<std::string> findDisplayTool(WindowList* windows, const ProcessLister& listProcesses) {
    if (windows && windows->available()) {
        for (const auto& w : windows->topLevelWindows()) {
            std::string title = w.title.substr(0, 1999);
            if (title.rfind("VLCD", 0) == 0) return title;
        }
        return std::nullopt;
    }
    if (listProcesses) {
        for (const auto& p : listProcesses())
            if (p.name.rfind("VLCD", 0) == 0) return p.name;
    }
    return std::nullopt;
}

bool deviceBusy(WindowList* windows, const ProcessLister& listProcesses, const Texts& texts,
                Interaction& ui) {
    if (!findDisplayTool(windows, listProcesses)) return false;
    ui.messageBox(texts.text(TextId::StopVlcdFirst), kProgramCaption, MessageIcon::Exclamation);
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

#include "session/DeviceSession.h"

#include "device/DeviceBusyCheck.h"
#include "device/UsbPrinterIdentification.h"
#include "platform/Files.h"

namespace sartovin {

DeviceSession::DeviceSession(StartMode startMode, const Texts& texts, Interaction& ui,
                             const std::string& sysRoot, const std::string& devRoot)
    : m_startMode(startMode),
      m_texts(texts),
      m_ui(ui),
      m_sysRoot(sysRoot),
      m_devRoot(devRoot),
      m_usb(sysRoot, devRoot),
      m_gccUsb(m_usb, m_files) {}

void DeviceSession::identifyUsb() { m_usbDevices = identifyUsbPrinters(m_usb, m_files, m_startMode, m_ui); }

PlotterPortList DeviceSession::portList(const PlotterRecord& plotter) {
    PortSources sources =
        gatherPortSources(m_startMode, m_usbDevices, m_gccUsb, m_spooler, m_sysRoot, m_devRoot);
    return PlotterPortList(m_startMode, plotter.port, plotter.usbGccName, sources);
}

bool DeviceSession::deviceBusy() {
    WindowList* windows = m_windows.available() ? &m_windows : nullptr;
    return sartovin::deviceBusy(
        windows, [this] { return m_processes.processes(); }, m_texts, m_ui);
}

bool DeviceSession::configurePort(PlotterRecord& plotter, const Settings& settings,
                                  const std::function<int(const PlotterPortList&)>& choose) {
    PlotterPortList list = portList(plotter);
    int index = -1;
    switch (list.opening()) {
        case PlotterPortList::Opening::Cancel:
            return false;
        case PlotterPortList::Opening::StoreAtOnce:
            index = list.itemToStoreAtOnce();
            break;
        case PlotterPortList::Opening::WaitForUser:
            index = choose ? choose(list) : -1;
            break;
    }
    if (index < 0 || index >= static_cast<int>(list.items().size())) return false;
    storePortChoice(list.choiceFor(index), plotter.name, plotter, settings, m_texts, m_ui);
    return true;
}

bool DeviceSession::ensurePort(PlotterRecord& plotter, const Settings& settings,
                               const std::function<int(const PlotterPortList&)>& choose) {
    return sartovin::ensurePort(
        plotter, m_startMode, m_texts, m_ui, [this] { identifyUsb(); },
        [&] { configurePort(plotter, settings, choose); });
}

DeviceDelivery DeviceSession::delivery(const PlotterRecord& plotter, DeliveryStatus* status) {
    return DeviceDelivery(m_startMode, plotter, m_usbDevices, channels(), m_texts, m_ui, status);
}

MediaQueryResult DeviceSession::mediaQuery(PlotterRecord& plotter) {
    MediaQueryResult result;
    MediaQuery(m_startMode, plotter, m_usbDevices, channels(), m_texts, m_ui).run(result);
    return result;
}

bool DeviceSession::startDisplayTool(const PlotterRecord& plotter, const std::string& programFolder) {
    WindowList* windows = m_windows.available() ? &m_windows : nullptr;
    if (findDisplayTool(windows, [this] { return m_processes.processes(); })) return false;
    if (!DeviceDelivery::portPresent(plotter)) {
        m_ui.messageBox(m_texts.text(TextId::NoPortSelected), "", MessageIcon::Exclamation);
        return false;
    }
    std::string printerPort;
    if (plotter.portType == kPortPrinter) {
        PrinterInfo info;
        if (!m_spooler.printerInfo(plotter.port, info)) {
            m_ui.messageBox(m_texts.text(TextId::CannotOpenPort), "", MessageIcon::Error);
            return false;
        }
        printerPort = info.portName;
    }
    std::string tool = displayToolFor(plotter.portType, printerPort);
    if (tool.empty() || !fileExists(programFolder + tool)) return false;
    m_ui.pump();
    return m_processes.start(programFolder + tool, {}, {}, "") > 0;
}

}  // namespace sartovin

#include "device/PlotterPortList.h"

#include <algorithm>

#include "base/StartMode.h"
#include "platform/SerialPortList.h"

namespace sartovin {

namespace {

std::string gccPortName(int n) { return "GCCUSB" + std::to_string(n); }

}  // namespace

PortSources gatherPortSources(StartMode startMode, const UsbDeviceList& usbDevices, GccUsbPortApi& gccUsb,
                              Spooler& spooler, const std::string& sysRoot, const std::string& devRoot) {
    PortSources s;
    s.usbDevices = usbDevices;
    if (startMode.isStandard()) {
        for (int n = 0; n <= 3; ++n) {
            GccUsbHandle h = gccUsb.open(n);
            if (!isValidGccUsbHandle(h)) continue;
            s.openableGccPorts.push_back(n);
            gccUsb.close(h);
        }
        s.comPorts = listSerialPorts(sysRoot, devRoot);
    }
    if (!startMode.isHobby())
        for (const auto& p : spooler.printers()) {
            s.printers.push_back(p.name);
            std::string details = p.description;
            if (!p.deviceUri.empty()) details += (details.empty() ? "" : ", ") + p.deviceUri;
            s.printerDetails.push_back(details);
        }
    return s;
}

void PlotterPortList::add(const std::string& text, bool preselect) {
    m_items.push_back(text);
    if (preselect) m_preselected = static_cast<int>(m_items.size()) - 1;
}

PlotterPortList::PlotterPortList(StartMode startMode, const std::string& storedPort,
                                 const std::string& storedUsbName, const PortSources& sources)
    : m_startMode(startMode), m_storedPort(storedPort) {
    bool usbFound = false;
    if (!startMode.isLaser()) {
        for (const auto& e : sources.usbDevices) {
            // A device without a model was stored by its port name.
            bool match = isStoredUsbDevice(e, storedUsbName);
            add(e.modelName.empty() ? e.portName : "USB - " + e.modelName, match);
            m_usbStoredNames.push_back(storedUsbDeviceName(e));
            m_usbDevicePaths.push_back(e.devicePath);
            usbFound = usbFound || match;
        }
        if (startMode.isStandard()) {
            if (!sources.emulated32On64) {
                for (int n : sources.registeredGccPorts) add(gccPortName(n), gccPortName(n) == storedPort);
                for (int n : sources.openableGccPorts) {
                    std::string name = gccPortName(n);
                    if (std::find(m_items.begin(), m_items.end(), name) == m_items.end())
                        add(name, name == storedPort);
                }
            }
            m_lastUsbIndex = static_cast<int>(m_items.size()) - 1;
            for (const auto& com : sources.comPorts) add(com, com == storedPort);
        } else {
            m_lastUsbIndex = static_cast<int>(m_items.size()) - 1;
        }
    }
    m_lastComIndex = static_cast<int>(m_items.size()) - 1;

    if (!startMode.isHobby()) {
        bool printerPreselected = false;
        for (std::size_t i = 0; i < sources.printers.size(); ++i) {
            const std::string& name = sources.printers[i];
            bool match = !storedPort.empty() && name == storedPort && !usbFound && !printerPreselected;
            add(name, match);
            m_printerDetails.push_back(i < sources.printerDetails.size() ? sources.printerDetails[i] : "");
            printerPreselected = printerPreselected || match;
        }
        if (startMode.isLaser() && m_preselected < 0) {
            auto findPrinter = [&](auto predicate) {
                for (std::size_t i = m_lastComIndex + 1; i < m_items.size(); ++i)
                    if (predicate(m_items[i])) return static_cast<int>(i);
                return -1;
            };
            if (storedPort.empty())
                m_preselected = findPrinter([](const std::string& n) { return n == "Vidazo Ravuzuz"; });
            if (m_preselected < 0)
                m_preselected =
                    findPrinter([](const std::string& n) { return n == "C180"; });
        }
        if (startMode.isStandard())
            for (const auto& name : sources.printerConnections) add(name, name == storedPort);
    }
}

PlotterPortList::Opening PlotterPortList::opening() const {
    if (m_startMode.isHobby() && m_items.empty()) return Opening::Cancel;
    bool valid = m_preselected >= 0 && m_preselected < static_cast<int>(m_items.size());
    if (m_startMode.isLaser())
        return m_storedPort.empty() && valid ? Opening::StoreAtOnce : Opening::WaitForUser;
    if (valid) return Opening::WaitForUser;
    // A serial device is listed whether or not anything is attached to it (nearly every PC has
    // one): only the user can confirm that the cutter hangs there.
    if (m_items.size() == 1) return isSerialItem(0) ? Opening::WaitForUser : Opening::StoreAtOnce;
    if (m_items.empty()) return Opening::Cancel;
    return Opening::WaitForUser;
}

int PlotterPortList::itemToStoreAtOnce() const {
    if (m_preselected >= 0) return m_preselected;
    return m_items.size() == 1 ? 0 : -1;
}

PlotterPortList::Choice PlotterPortList::choiceFor(int index) const {
    Choice c;
    if (index < 0 || index >= static_cast<int>(m_items.size())) return c;
    const std::string& text = m_items[index];
    if (index <= m_lastUsbIndex) {
        c.portType = text.find("GCCUSB") != std::string::npos ? kPortGccUsb : kPortUsbDevice;
    } else if (index <= m_lastComIndex) {
        c.portType = kPortSerial;
        c.comHint = true;
    } else {
        c.portType = kPortPrinter;
        c.printerHint = !m_startMode.isLaser();
    }
    if (index < static_cast<int>(m_usbStoredNames.size())) {
        c.storesUsbName = true;
        c.usbGccName = m_usbStoredNames[index];
    } else {
        c.port = text;
    }
    return c;
}

std::string PlotterPortList::describeItem(int index, const Texts& texts) const {
    if (index < 0 || index >= static_cast<int>(m_items.size())) return {};
    const std::string& name = m_items[index];
    std::string kind;
    std::string details;
    if (index < static_cast<int>(m_usbDevicePaths.size())) {
        kind = texts.text(TextId::PortKindUsbCutter);
        details = m_usbDevicePaths[index];
    } else if (index <= m_lastUsbIndex) {
        kind = texts.text(TextId::PortKindUsbCutter);
    } else if (index <= m_lastComIndex) {
        kind = texts.text(TextId::PortKindSerial);
    } else {
        kind = texts.text(TextId::PortKindQueue);
        const std::size_t printer = static_cast<std::size_t>(index - m_lastComIndex - 1);
        if (printer < m_printerDetails.size()) details = m_printerDetails[printer];
    }
    return name + "  \u2014  " + kind + (details.empty() ? "" : " (" + details + ")");
}

bool PlotterPortList::noCutterFound() const {
    for (int i = 0; i < static_cast<int>(m_items.size()); ++i)
        if (!isSerialItem(i)) return false;
    return true;
}

bool storePortChoice(const PlotterPortList::Choice& choice, const std::string& plotterName,
                     PlotterRecord& record, const Settings& settings, const Texts& texts, Interaction& ui) {
    if (choice.comHint)
        ui.messageBox(texts.text(TextId::SerialPortPrinterHint), std::string(), MessageIcon::Exclamation);
    if (choice.printerHint)
        ui.messageBox(texts.text(TextId::PrinterUsbHint), std::string(), MessageIcon::Exclamation);
    std::vector<ProfileEntry> writes;
    if (choice.storesUsbName)
        writes.push_back({plotterName, "USBGCCName", choice.usbGccName});
    else
        writes.push_back({plotterName, "Port", choice.port});
    writes.push_back({plotterName, "PortType", std::to_string(choice.portType)});
    if (!settings.writeStrings(writes)) {
        reportSettingsNotSaved(settings, texts, ui);
        return false;
    }
    if (choice.storesUsbName)
        record.usbGccName = choice.usbGccName;
    else
        record.port = choice.port;
    record.portType = choice.portType;
    return true;
}

}  // namespace sartovin

#include "session/DeviceSession.h"

#include "device/DeviceBusyCheck.h"
#include "device/UsbPrinterIdentification.h"
#include "platform/Files.h"
#include "plot/LaserDriver.h"
#include "session/CutCommand.h"
#include "session/MainWindowModel.h"

namespace sartovin {

namespace {
constexpr int kAfterSettingsSentMs = 500;  // the cutter stores its settings before it is asked again

// Holds back the error boxes of the media query (a port that does not open, a cutter that does
// not answer) and lets everything else through, so that the session can say once, naming the
// port, that the cutter does not answer.
class HeldErrors : public Interaction {
public:
    explicit HeldErrors(Interaction& ui) : m_ui(ui) {}
    using Interaction::messageBox;
    MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons, MessageAnswer proceed) override {
        if (icon == MessageIcon::Error && buttons == MessageButtons::Ok) {
            m_failed = true;
            return MessageAnswer::Ok;
        }
        return m_ui.messageBox(text, caption, icon, buttons, proceed);
    }
    int chooseFromList(const std::string& title, const std::vector<std::string>& items,
                       int preselected) override {
        return m_ui.chooseFromList(title, items, preselected);
    }
    bool askText(const std::string& title, const std::string& prompt, std::string& value) override {
        return m_ui.askText(title, prompt, value);
    }
    void pump() override { m_ui.pump(); }
    void pause(int ms) override { m_ui.pause(ms); }
    bool failed() const { return m_failed; }

private:
    Interaction& m_ui;
    bool m_failed = false;
};
}  // namespace

DeviceSession::DeviceSession(StartMode startMode, const Texts& texts, Interaction& ui,
                             DeviceServices services, std::string settingsPath)
    : m_startMode(startMode),
      m_texts(texts),
      m_ui(ui),
      m_services(std::move(services)),
      m_settings(std::move(settingsPath)) {}

void DeviceSession::identifyUsb() {
    m_usbDevices = identifyUsbPrinters(m_services.usbPrinters, m_services.deviceFiles, m_startMode, m_ui);
}

PlotterPortList DeviceSession::portList(const PlotterRecord& plotter) {
    PortSources sources = gatherPortSources(m_startMode, m_usbDevices, m_services.gccUsb, m_services.spooler,
                                            m_services.sysRoot, m_services.devRoot);
    return PlotterPortList(m_startMode, plotter.port, plotter.usbGccName, sources);
}

bool DeviceSession::storePort(PlotterRecord& plotter, const PlotterPortList& list, int index) {
    return storePortChoice(list.choiceFor(index), plotter.name, plotter, m_settings, m_texts, m_ui);
}

bool DeviceSession::configurePort(PlotterRecord& plotter, const std::function<void()>& afterStore) {
    PlotterPortList list = portList(plotter);
    bool stored = false;
    auto store = [&](int index) {
        if (index < 0 || index >= static_cast<int>(list.items().size())) return;
        if (!storePort(plotter, list, index)) return;
        stored = true;
        if (afterStore) afterStore();
    };
    switch (list.opening()) {
        case PlotterPortList::Opening::Cancel:
            break;
        case PlotterPortList::Opening::StoreAtOnce:
            store(list.itemToStoreAtOnce());
            break;
        case PlotterPortList::Opening::WaitForUser:
            if (m_hooks.portDialog) m_hooks.portDialog(list, store);
            break;
    }
    return stored;
}

bool DeviceSession::displayToolRunning() {
    return findDisplayTool(&m_services.windows, [this] { return m_services.processes.processes(); })
        .has_value();
}

bool DeviceSession::deviceBusy() {
    return sartovin::deviceBusy(
        &m_services.windows, [this] { return m_services.processes.processes(); }, m_texts, m_ui);
}

DeviceDelivery DeviceSession::delivery(const PlotterRecord& plotter, DeliveryStatus* status) {
    return DeviceDelivery(m_startMode, plotter, m_usbDevices, channels(), m_texts, m_ui, status);
}

bool DeviceSession::directSend(const PlotterRecord& plotter, const std::string& commands) {
    return delivery(plotter).directSend(commands);
}

bool DeviceSession::mediaQuery(PlotterRecord& plotter, MediaQueryResult& result) {
    return MediaQuery(m_startMode, plotter, m_usbDevices, channels(), m_texts, m_ui).run(result);
}

bool DeviceSession::bringDisplayToolToFront() {
    auto tool =
        findDisplayToolWindow(&m_services.windows, [this] { return m_services.processes.processes(); });
    if (!tool) return false;
    sartovin::bringDisplayToolToFront(&m_services.windows, *tool);
    return true;
}

bool DeviceSession::startDisplayTool(const PlotterRecord& plotter, const std::string& programFolder) {
    if (auto tool =
            findDisplayToolWindow(&m_services.windows, [this] { return m_services.processes.processes(); })) {
        // Running already: its window comes to the front; without a display to ask, say so.
        if (!sartovin::bringDisplayToolToFront(&m_services.windows, *tool))
            m_ui.messageBox(m_texts.text(TextId::DisplayToolRunning), "", MessageIcon::Information);
        return false;
    }
    if (!DeviceDelivery::portPresent(plotter)) {
        m_ui.messageBox(m_texts.text(TextId::NoPortSelected), "", MessageIcon::Exclamation);
        return false;
    }
    std::string printerPort;
    if (plotter.portType == kPortPrinter) {
        PrinterInfo info;
        if (!m_services.spooler.printerInfo(plotter.port, info)) {
            m_ui.messageBox(cannotOpenPortText(m_texts, TextId::PrintQueueNamed, plotter.port,
                                               m_services.spooler.lastProblem()),
                            "", MessageIcon::Error);
            return false;
        }
        printerPort = info.portName;
    }
    std::string tool = displayToolFor(plotter.portType, printerPort);
    if (tool.empty() || !fileExists(programFolder + tool)) return false;
    bool started = m_services.processes.start(programFolder + tool, {}, {}, "") > 0;
    m_ui.pump();
    return started;
}

// ---- the main window's commands --------------------------------------------------------------

bool DeviceSession::configurePort(MainWindowModel& model) {
    PlotterRecord* plotter = model.plotters().current();
    if (!plotter) return false;
    return configurePort(*plotter, [&] {
        if (m_startMode.isLaser() && plotter->portType == kPortPrinter)
            ensureLaserDefinition(model.laserDefinitionFile(), m_ui, m_texts, m_hooks.engraverSettings);
        queryMedium(model, false);
    });
}

bool DeviceSession::ensurePort(MainWindowModel& model) {
    PlotterRecord* plotter = model.plotters().current();
    if (!plotter) return false;
    return sartovin::ensurePort(
        *plotter, m_startMode, m_texts, m_ui, [this] { identifyUsb(); }, [&] { configurePort(model); });
}

bool DeviceSession::queryMedium(MainWindowModel& model, bool askForPort) {
    PlotterRecord* plotter = model.plotters().current();
    if (!plotter || m_running) return false;
    if (deviceBusy()) return false;
    if (!DeviceDelivery::portPresent(*plotter)) {
        if (!askForPort) return false;
        // A stored choice runs the query itself (the configuration's last step).
        configurePort(model);
        if (!DeviceDelivery::portPresent(*plotter))
            m_ui.messageBox(m_texts.text(TextId::NoPortSelected), "", MessageIcon::Exclamation);
        return false;
    }
    if (m_hooks.mediaQueryEnabled) m_hooks.mediaQueryEnabled(false);
    MediaQueryResult result;
    HeldErrors held(m_ui);
    const bool answered =
        MediaQuery(m_startMode, *plotter, m_usbDevices, channels(), m_texts, held).run(result);
    // A cutter that is off is said once per port; the user's own request always gets its answer.
    const std::string port = portLabel(*plotter);
    if (held.failed()) {
        if (askForPort || port != m_silentPort)
            m_ui.messageBox(m_texts.format(TextId::CutterNotAnswering, {port}), kProgramCaption,
                            MessageIcon::Error);
        m_silentPort = port;
    } else if (answered) {
        m_silentPort.clear();
    }
    if (result.sizeRead && model.pagesOpen()) {
        model.layout().setMediumHeight(static_cast<int>(result.heightMm));
        model.layout().setMediumWidth(static_cast<int>(result.widthMm));
    }
    if (m_hooks.mediaQueryEnabled) m_hooks.mediaQueryEnabled(true);
    if (m_hooks.afterMediaQuery) m_hooks.afterMediaQuery();
    return answered;
}

void DeviceSession::identifyCutter(MainWindowModel& model) {
    const PlotterRecord* plotter = model.currentPlotter();
    if (m_startMode.isStandard() && plotter && DeviceDelivery::portPresent(*plotter) &&
        !isGenericHpglCutter(*plotter))
        queryMedium(model, false);
}

bool DeviceSession::sendCutterSettings(MainWindowModel& model, const std::string& commands) {
    PlotterRecord* plotter = model.plotters().current();
    if (!plotter || m_running) return false;
    bool sent = false;
    if (!deviceBusy()) {
        if (!DeviceDelivery::portPresent(*plotter)) configurePort(model);
        sent = directSend(*plotter, commands);
    }
    if (sent) {
        m_ui.pause(kAfterSettingsSentMs);
        queryMedium(model, false);
    }
    return sent;
}

std::unique_ptr<TestCut> DeviceSession::makeTestCut(MainWindowModel& model, const std::string& patternFile,
                                                    TestCut::EnableControl enableControl,
                                                    std::function<void(const std::string&)> onSent) {
    return std::make_unique<TestCut>(
        patternFile, m_ui, m_texts,
        [this, &model, onSent = std::move(onSent)](const std::string& bytes) {
            PlotterRecord* plotter = model.plotters().current();
            if (!plotter) return false;
            // Without a port the configuration runs first, as for the cut command; a choice it
            // stores is followed by the media query.
            if (!DeviceDelivery::portPresent(*plotter)) configurePort(model);
            if (!directSend(*plotter, bytes)) return false;
            if (onSent) onSent(bytes);
            return true;
        },
        [this] { return bringDisplayToolToFront(); }, std::move(enableControl));
}

bool DeviceSession::testCut(MainWindowModel& model, TestCut& testCut) {
    if (m_running || !model.pagesOpen()) return false;
    return testCut.testCut(model.plotParameters());
}

}  // namespace sartovin

#pragma once
// The one way from either front end to a device. It holds the injected device services and the
// list of attached USB cutters, and carries out every device step of the plot command and of the
// pages: the device-busy check, the port check with the port configuration, the media query (whose
// identification tells the model, and so whether the writers send the cutter's settings block),
// delivery, the direct send, the cutter settings send, the test cut's sends and the display tool.
// What needs a display (the port configuration dialog, the query button, redrawing the pages) is
// reached through small hooks; the order of the steps, their pauses and their messages are here.

#include <functional>
#include <memory>
#include <string>

#include "base/Settings.h"
#include "base/StartMode.h"
#include "base/Texts.h"
#include "catalog/PlotterRecord.h"
#include "device/DeviceChannels.h"
#include "device/DeviceDelivery.h"
#include "device/MediaQuery.h"
#include "device/PlotterPortList.h"
#include "device/UsbDeviceEntry.h"
#include "platform/Interaction.h"
#include "plot/TestCut.h"
#include "session/DeviceServices.h"

namespace sartovin {

class MainWindowModel;

/// What the device commands need from a user interface besides its message boxes. Every member
/// may be empty.
struct DeviceSessionHooks {
    /// Stores the item at `index` of the list being shown.
    using StoreChoice = std::function<void(int index)>;
    /// The port configuration dialog, for a connection list that waits for the user: shows `list`
    /// and calls `store` for the item the user confirms (while it shows that it stores); Cancel
    /// calls nothing. Empty: nothing is chosen.
    std::function<void(const PlotterPortList& list, const StoreChoice& store)> portDialog;
    /// The layout page's media query button: off while the cutter is asked.
    std::function<void(bool enabled)> mediaQueryEnabled;
    /// A media query has run: the pages show the plotter's record and the medium size again.
    std::function<void()> afterMediaQuery;
    /// The laser edition's engraver settings dialog, which writes the engraver's definition file.
    std::function<void()> engraverSettings;
};

class DeviceSession {
public:
    /// `settingsPath` is the settings file the port choices are stored in (the user's). `texts`,
    /// `ui` and the services outlive the session.
    DeviceSession(StartMode startMode, const Texts& texts, Interaction& ui, DeviceServices services,
                  std::string settingsPath);
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    void setHooks(DeviceSessionHooks hooks) { m_hooks = std::move(hooks); }
    StartMode startMode() const { return m_startMode; }
    const DeviceServices& services() const { return m_services; }
    DeviceChannels channels() {
        return DeviceChannels{m_services.spooler, m_services.gccUsb, m_services.deviceFiles};
    }

    // ---- on one plotter record ----------------------------------------------------------------

    /// The USB printer identification: rebuilds the list of attached USB cutters.
    void identifyUsb();
    const UsbDeviceList& usbDevices() const { return m_usbDevices; }

    /// The connection list the port configuration shows for `plotter`.
    PlotterPortList portList(const PlotterRecord& plotter);
    /// Stores item `index` of `list` for `plotter` (the configuration's OK; texts 317 / 319 as the
    /// item asks).
    bool storePort(PlotterRecord& plotter, const PlotterPortList& list, int index);
    /// The port configuration: builds the list, stores a single or preselected item at once,
    /// cancels an empty list, or lets the port dialog hook choose. `afterStore` (may be empty)
    /// runs once a choice was stored. True when a choice was stored.
    bool configurePort(PlotterRecord& plotter, const std::function<void()>& afterStore = {});

    /// True while the cutter maker's display tool runs (nothing is shown).
    bool displayToolRunning();
    /// The device-busy check: true, with text 316 shown and the tool's window brought to the
    /// front, while the display tool runs.
    bool deviceBusy();
    /// True while the display tool runs; its window is then asked to come to the front.
    bool bringDisplayToolToFront();

    /// A delivery over `plotter`'s port (see DeviceDelivery); it refers to this session.
    DeviceDelivery delivery(const PlotterRecord& plotter, DeliveryStatus* status = nullptr);
    /// The direct send of a command string over `plotter`'s port.
    bool directSend(const PlotterRecord& plotter, const std::string& commands);
    /// The media query's exchange with the cutter alone (identification, settings, medium size).
    /// True when the cutter answered; `result` says what it told.
    bool mediaQuery(PlotterRecord& plotter, MediaQueryResult& result);
    /// The display-tool button: while the tool runs already, its window comes to the front (where
    /// no display can be asked, text 441 says that it runs); text 307 without a port;
    /// otherwise the maker's tool for the connection ("VLCD.exe" or "VLCD2.exe", looked for in
    /// `programFolder`) is started without waiting; 308 when a printer's port cannot be read.
    /// True when the tool was started.
    bool startDisplayTool(const PlotterRecord& plotter, const std::string& programFolder);

    // ---- the commands of the main window, on the model's current plotter ------------------------

    /// The configuration button: the port configuration; a stored choice is followed by the
    /// media query, so the new connection is used at once. In the laser edition a chosen printer
    /// first gets the engraver's definition file (ensureLaserDefinition with the
    /// engraverSettings hook).
    bool configurePort(MainWindowModel& model);

    /// The port check of the plot command: without a port the USB cutters are identified and the
    /// port configuration runs; still none: 389 (hobby edition) or 307 and false.
    bool ensurePort(MainWindowModel& model);

    /// The media query of the layout page and the cutter page: the device-busy check; without a
    /// port the configuration when `askForPort` (a stored choice runs the query itself), still
    /// none: 307; then the exchange, and the medium size the cutter reports goes into the layout
    /// page. Nothing while a cut command runs. True when the cutter answered. A cutter that does
    /// not answer is reported once, naming the port: again only on the user's own request
    /// (`askForPort`), for another port, or after it answered.
    bool queryMedium(MainWindowModel& model, bool askForPort);

    /// The start-up's identification of the connected cutter: in the standard edition, when the
    /// current plotter has a port, the media query; otherwise nothing.
    void identifyCutter(MainWindowModel& model);

    /// The cutter page's send button: the device-busy check, the port configuration without a
    /// port, the direct send of `commands`; once sent, 500 ms and the media query, so the page
    /// shows what the cutter now holds. True when the commands were sent.
    bool sendCutterSettings(MainWindowModel& model, const std::string& commands);

    /// The test cut of the options and cutter pages for `model`'s current plotter, sending with the
    /// direct send (without a port the port configuration runs first); `enableControl` (may be empty) greys the options page's test-cut button while
    /// it runs; `onSent` (may be empty) learns every command text the channel took. `patternFile`
    /// is the path of "TestCut.qxdat".
    std::unique_ptr<TestCut> makeTestCut(MainWindowModel& model, const std::string& patternFile,
                                         TestCut::EnableControl enableControl = {},
                                         std::function<void(const std::string&)> onSent = {});
    /// The test-cut button: one test cut with the pages' values. Nothing while a cut command runs
    /// or without open pages. True when the pattern was sent.
    bool testCut(MainWindowModel& model, TestCut& testCut);

    /// True while a cut command runs (the media query then waits for the next request).
    bool running() const { return m_running; }

    /// Marks a cut command running for its lifetime.
    class RunningScope {
    public:
        explicit RunningScope(DeviceSession& session) : m_session(session), m_was(session.m_running) {
            session.m_running = true;
        }
        ~RunningScope() { m_session.m_running = m_was; }
        RunningScope(const RunningScope&) = delete;
        RunningScope& operator=(const RunningScope&) = delete;

    private:
        DeviceSession& m_session;
        bool m_was;
    };

private:
    StartMode m_startMode = 1;
    const Texts& m_texts;
    Interaction& m_ui;
    DeviceServices m_services;
    Settings m_settings;
    DeviceSessionHooks m_hooks;
    UsbDeviceList m_usbDevices;
    bool m_running = false;
    std::string m_silentPort;  ///< the port whose silent cutter was reported last
};

}  // namespace sartovin

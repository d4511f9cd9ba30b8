#pragma once
// The connection side of a running program: the real channels of this computer (print queues,
// USB printer devices, GCC USB ports, serial ports), the list of attached USB cutters, and the
// steps of the plot command and the cutter page that use them: the device-busy check, the port
// check with the port configuration, delivery, direct send and the media query.

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
#include "platform/CupsSpooler.h"
#include "platform/Interaction.h"
#include "platform/NodeDeviceFiles.h"
#include "platform/SystemProcessList.h"
#include "platform/UsbLpGccUsbPorts.h"
#include "platform/UsbPrinterDevices.h"
#include "platform/X11WindowList.h"

namespace sartovin {

class DeviceSession {
public:
    /// `sysRoot` and `devRoot` are where the USB and serial devices are looked for (tests point
    /// them at a fake tree). `texts` and `ui` outlive the session.
    DeviceSession(StartMode startMode, const Texts& texts, Interaction& ui,
                  const std::string& sysRoot = "/sys", const std::string& devRoot = "/dev");

    /// The USB printer identification: rebuilds the list of attached USB cutters.
    void identifyUsb();
    const UsbDeviceList& usbDevices() const { return m_usbDevices; }

    DeviceChannels channels() { return DeviceChannels{m_spooler, m_gccUsb, m_files}; }

    /// The connection list the port configuration shows for `plotter`.
    PlotterPortList portList(const PlotterRecord& plotter);

    /// True (text 316 shown) while the cutter maker's display tool runs.
    bool deviceBusy();

    /// The plot command's port check: without a port, identifies the USB cutters and runs the
    /// port configuration (`choose` gets the list and returns the item the user took, -1 for
    /// Cancel; the list's own rules store a single item at once or cancel an empty one), then
    /// tests again; still none: 389 / 307 and false.
    bool ensurePort(PlotterRecord& plotter, const Settings& settings,
                    const std::function<int(const PlotterPortList&)>& choose);

    /// The port configuration itself: builds the list, lets `choose` pick (or follows the list's
    /// store-at-once / cancel rule) and stores the choice. True when a choice was stored.
    bool configurePort(PlotterRecord& plotter, const Settings& settings,
                       const std::function<int(const PlotterPortList&)>& choose);

    /// A delivery over `plotter`'s port (see DeviceDelivery); the object refers to this session.
    DeviceDelivery delivery(const PlotterRecord& plotter, DeliveryStatus* status = nullptr);

    /// The media query of the cutter page and the layout page's medium button.
    MediaQueryResult mediaQuery(PlotterRecord& plotter);

    /// The cutter page's display-tool button: nothing while the tool runs already; text 307 without
    /// a port; otherwise the maker's tool for the connection ("VLCD.exe" or "VLCD2.exe", looked for
    /// in `programFolder`) is started without waiting. 308 when a printer's port cannot be read.
    /// True when the tool was started.
    bool startDisplayTool(const PlotterRecord& plotter, const std::string& programFolder);

    StartMode startMode() const { return m_startMode; }

private:
    StartMode m_startMode = 1;
    const Texts& m_texts;
    Interaction& m_ui;
    std::string m_sysRoot, m_devRoot;
    NodeDeviceFiles m_files;
    UsbPrinterDevices m_usb;
    UsbLpGccUsbPorts m_gccUsb;
    CupsSpooler m_spooler;
    SystemProcessList m_processes;
    X11WindowList m_windows;
    UsbDeviceList m_usbDevices;
};

}  // namespace sartovin

#pragma once
// The connection list of the port configuration dialog without the dialog: which connections
// are listed in which order, which one is preselected, what the dialog does on opening, and
// what choosing an item stores.

#include <string>
#include <vector>

#include "base/Settings.h"
#include "base/StartMode.h"
#include "base/Texts.h"
#include "catalog/PlotterRecord.h"
#include "device/UsbDeviceEntry.h"
#include "platform/GccUsbPortApi.h"
#include "platform/Interaction.h"
#include "platform/Spooler.h"

namespace sartovin {

/// What the list is built from.
struct PortSources {
    UsbDeviceList usbDevices;
    /// GCC USB ports a port monitor registered (n of "GCCUSBn"); this platform has no such
    /// registry, so the gathering leaves it empty.
    std::vector<int> registeredGccPorts;
    /// GCC USB ports 0..3 that opened.
    std::vector<int> openableGccPorts;
    /// A 32-bit program on a 64-bit system lists no GCC USB port; never the case here.
    bool emulated32On64 = false;
    std::vector<std::string> comPorts;  ///< serial device paths
    std::vector<std::string> printers;  ///< printer names
    /// What each of `printers` is, in the same order (description and device); may be shorter.
    std::vector<std::string> printerDetails;
    std::vector<std::string> printerConnections;  ///< connected network printers (standard edition)
};

/// Collects the sources: GCC USB ports by opening 0..3 (standard edition only), the serial
/// ports below `sysRoot` / `devRoot`, the spooler's printers.
PortSources gatherPortSources(StartMode startMode, const UsbDeviceList& usbDevices, GccUsbPortApi& gccUsb,
                              Spooler& spooler, const std::string& sysRoot = "/sys",
                              const std::string& devRoot = "/dev");

class PlotterPortList {
public:
    /// What the dialog does once the list is built.
    enum class Opening { WaitForUser, StoreAtOnce, Cancel };

    /// What choosing an item means.
    struct Choice {
        int portType = kPortNone;
        bool storesUsbName = false;  ///< true: `usbGccName` is stored, else `port`
        std::string port;
        std::string usbGccName;
        bool comHint = false;      ///< text 317 is shown
        bool printerHint = false;  ///< text 319 is shown
    };

    /// Builds the list in its four sections (USB devices, GCC USB ports, COM ports, printers) by
    /// the edition's rules. `storedPort` and `storedUsbName` are the plotter's "Port" and
    /// "USBGCCName".
    PlotterPortList(StartMode startMode, const std::string& storedPort, const std::string& storedUsbName,
                    const PortSources& sources);

    const std::vector<std::string>& items() const { return m_items; }
    /// The preselected item, -1 when none.
    int preselected() const { return m_preselected; }
    int lastUsbIndex() const { return m_lastUsbIndex; }
    int lastComIndex() const { return m_lastComIndex; }
    /// True when item `index` is a serial device.
    bool isSerialItem(int index) const { return index > m_lastUsbIndex && index <= m_lastComIndex; }

    /// The hobby edition cancels an empty list; the laser edition stores a preselected printer
    /// at once when no port was stored; the standard and hobby editions store a single item at
    /// once (unless it is a serial device, which the user must confirm) and cancel an empty list
    /// when nothing is preselected; otherwise the user chooses.
    Opening opening() const;
    /// The item to store when opening() says StoreAtOnce (the preselection, else the only item).
    int itemToStoreAtOnce() const;

    /// What item `index` (0 .. items().size() - 1) stores.
    Choice choiceFor(int index) const;

    /// How item `index` is shown: its name, what kind of connection it is, and what is known of
    /// it (the USB cutter's device node, the queue's description and device).
    std::string describeItem(int index, const Texts& texts) const;
    /// True when the list holds no USB cutter, GCC USB port or queue: no cutter was found.
    bool noCutterFound() const;

private:
    void add(const std::string& text, bool preselect);

    StartMode m_startMode = 1;
    std::string m_storedPort;
    std::vector<std::string> m_items;
    std::vector<std::string> m_usbStoredNames;
    std::vector<std::string> m_usbDevicePaths;
    std::vector<std::string> m_printerDetails;  ///< per item after the last serial device
    int m_preselected = -1;
    int m_lastUsbIndex = -1;
    int m_lastComIndex = -1;
};

/// Stores a choice for plotter `plotterName`: shows text 317 or 319 (exclamation icon, no
/// caption of their own) as the choice asks, writes "USBGCCName" or "Port" and "PortType"
/// (decimal) in one rewrite and updates the record. When the settings file cannot be written it
/// shows text 450 naming the file (error icon), leaves the record as it was and returns false.
bool storePortChoice(const PlotterPortList::Choice& choice, const std::string& plotterName,
                     PlotterRecord& record, const Settings& settings, const Texts& texts, Interaction& ui);

}  // namespace sartovin

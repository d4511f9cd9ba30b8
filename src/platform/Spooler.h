#pragma once
// The print spooler as the device channels use it: the printers with their port names, and raw
// documents to one of them. CupsSpooler is the implementation; tests may give their own.

#include <memory>
#include <string>
#include <vector>

#include "platform/PrinterHandle.h"

namespace sartovin {

struct PrinterInfo {
    std::string name;         ///< the queue name
    std::string deviceUri;    ///< where the queue sends its jobs ("usb://GCC/Jaguar%20V?serial=1")
    std::string portName;     ///< the port name derived from the device URI (printerPortName)
    std::string description;  ///< what the administrator called it ("printer-info"); may be empty
    bool accepting = true;    ///< the queue accepts jobs
    bool stopped = false;     ///< the queue is stopped (jobs would wait without end)
};

class Spooler {
public:
    virtual ~Spooler() = default;
    /// The local printers (queues, not instances), ordered by name. Empty when the spooler cannot
    /// be reached.
    virtual std::vector<PrinterInfo> printers() = 0;
    /// Opens a printer by its exact name; nullptr when it does not exist or the spooler cannot be
    /// reached.
    virtual std::unique_ptr<PrinterHandle> openPrinter(const std::string& name) = 0;
    /// The printer's details; false when there is no such printer.
    virtual bool printerInfo(const std::string& name, PrinterInfo& info) = 0;
    /// Why the last call found nothing when the spooler could not be asked (its own words, for
    /// messages); empty when it answered, or does not say.
    virtual std::string lastProblem() const { return {}; }
};

/// The port name of a printer whose queue sends to `deviceUri`, given the device URIs of all
/// queues (`allUris`, in any order; `deviceUri` among them):
///  - "usb://<maker>/..." with maker GCC (any letter case): "GCCUSB<n>", n the place of this URI
///    among the distinct GCC USB URIs of all queues in text order (0 for the first);
///  - any other "usb:" URI: "USB<nnn>", nnn = 1 + its place among the distinct other USB URIs
///    ("USB001" for the first);
///  - "serial:" URIs: "COM<n>", n = 1 + its place among the distinct serial URIs ("COM1");
///  - anything else: the upper-cased scheme and a colon ("SOCKET:", "IPP:", "FILE:"), which
///    names no USB, GCC USB or COM port.
std::string printerPortName(const std::string& deviceUri, const std::vector<std::string>& allUris);

/// The device path of a "serial:" URI ("serial:/dev/ttyUSB0?baud=9600" → "/dev/ttyUSB0"), or ""
/// for other URIs.
std::string serialDeviceOfUri(const std::string& deviceUri);

}  // namespace sartovin

#pragma once
// What the main window reaches outside the program: the spooler, the USB and GCC USB devices, the
// windows and processes of the desktop, and where the serial ports are listed. The program hands
// in the system's own; tests hand in fakes.

#include <string>

#include "platform/DeviceFiles.h"
#include "platform/GccUsbPortApi.h"
#include "platform/ProcessList.h"
#include "platform/Spooler.h"
#include "platform/UsbPrinterDevices.h"
#include "platform/WindowList.h"

namespace sartovin {

struct MainWindowServices {
    Spooler& spooler;
    GccUsbPortApi& gccUsb;
    DeviceFiles& deviceFiles;
    const UsbPrinterDevices& usbPrinters;
    WindowList& windows;
    ProcessList& processes;
    std::string sysRoot = "/sys";  ///< serial ports are listed below these roots
    std::string devRoot = "/dev";
};

}  // namespace sartovin

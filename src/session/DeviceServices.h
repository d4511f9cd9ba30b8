#pragma once
// What the device glue reaches outside the program: the print spooler, the USB printer devices and
// GCC USB ports, the device nodes, the windows and processes of the desktop, and where the serial
// ports are listed. The programs hand in the system's own (SystemDeviceServices); tests hand in
// fakes. Every reference must outlive the users of the struct.

#include <string>

#include "platform/DeviceFiles.h"
#include "platform/GccUsbPortApi.h"
#include "platform/ProcessList.h"
#include "platform/Spooler.h"
#include "platform/UsbPrinterDevices.h"
#include "platform/WindowList.h"

namespace sartovin {

struct DeviceServices {
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

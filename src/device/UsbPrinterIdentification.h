#pragma once
// Builds the list of attached USB printer devices with their model names.

#include "base/StartMode.h"
#include "device/UsbDeviceEntry.h"
#include "platform/DeviceFiles.h"
#include "platform/Interaction.h"
#include "platform/UsbPrinterDevices.h"

namespace sartovin {

/// The port name of usblp device lpN: "USB%03d" of N + 1 (lp0 → "USB001"), the numbering the
/// system's USB printer ports use. A negative index gives "USB000".
std::string usbPortNameForIndex(int lpIndex);

/// The hobby cutter model a device model names: true when its upper-cased form contains
/// "CAMEO", "CC100", "CC200" or "CC330".
bool isHobbyCutterModel(const std::string& model);

/// Lists the devices in lpN order, each once (by device path), leaving out those that cannot be
/// opened for reading and writing. Hobby edition (start mode 10 to 19): only hobby cutters, with
/// the device's own model text as model name. Other editions: every device but the hobby cutters;
/// a device whose IEEE-1284 maker is GCC gets the answer of the model query as model name, any
/// other is sent nothing and listed without one. Never reports anything.
UsbDeviceList identifyUsbPrinters(const UsbPrinterDevices& devices, DeviceFiles& files, StartMode startMode,
                                  Interaction& ui);

}  // namespace sartovin

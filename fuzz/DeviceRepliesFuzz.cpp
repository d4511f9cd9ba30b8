// Feeds arbitrary bytes to every reader of what a device or the system says about one: the
// cutter's settings, identification and hard-clip replies (the model in a USB device's
// identification too), IEEE-1284 device IDs (sysfs), print queue device URIs (CUPS), GCC USB port
// names, the "inkscape --version" output and Inkscape's preferences file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzInputFile.h"
#include "catalog/PlotterRecord.h"
#include "device/GccUsbQuery.h"
#include "device/MediaQueryReplies.h"
#include "device/UsbDeviceExchange.h"
#include "job/InkscapeAdapter.h"
#include "platform/Ieee1284Id.h"
#include "platform/SerialPortList.h"
#include "platform/Spooler.h"

using namespace sartovin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    std::array<std::int32_t, 7> values{};
    (void)parseSettingsReply(text, values);
    (void)firmwareFromIdentification(text);
    (void)modelFieldOfIdentification(text);
    unsigned long height = 0, width = 0;
    (void)parseHardClipReply(text, height, width);
    const std::string model = connectedModelForCheck(text);
    (void)connectedModelAcceptable("Jaguar V 132", model);
    (void)connectedModelAcceptable(text, "Sable 60");
    PlotterRecord record;
    record.name = "Jaguar V 132";
    (void)applySettingsReply(record, text);
    const std::string usbModel = modelFromIdentificationReply(text);
    fuzz::require(usbModel.size() <= text.size());

    const Ieee1284Id id = Ieee1284Id::parse(text);
    fuzz::require(id.manufacturer.size() <= text.size() && id.model.size() <= text.size());

    // Two URIs from one input: the port name of each among both.
    const std::size_t cut = text.find('\n');
    const std::string first = text.substr(0, cut);
    const std::string second =
        cut == std::string::npos ? std::string("usb://GCC/Jaguar") : text.substr(cut + 1);
    (void)printerPortName(first, {first, second});
    (void)printerPortName(second, {second, first, first});
    (void)serialDeviceOfUri(first);
    (void)gccUsbPortIndex(first);
    (void)naturalLess(first, second);

    (void)parseInkscapeVersion(text);
    (void)inkscapePreferencesInOrder(text);
    return 0;
}

#pragma once
// One row of the plotter catalog merged with that device's connection settings.

#include <array>
#include <cstdint>
#include <string>

namespace sartovin {

/// Port kinds of a plotter's connection.
enum PortType : std::int32_t {
    kPortNone = 0,
    kPortSerial = 1,
    kPortGccUsb = 2,
    kPortPrinter = 3,
    kPortUsbDevice = 4,
};

struct PlotterRecord {
    std::string name;  ///< "Name"; also the name of its settings section
    std::int16_t maxCutWidth = 0, minCutWidth = 0;
    std::int32_t maxCutHeight = 0;
    std::int16_t minCutHeight = 0;  ///< column "MinCutHeigth"
    std::int16_t maxMediaWidth = 0, minMediaWidth = 0;
    std::int32_t maxMediaHeight = 0;
    std::int16_t minMediaHeight = 0, minMediaMargin = 0;
    std::int16_t maxCutSpeed = 0, minCutSpeed = 0, maxCutForce = 0, minCutForce = 0;
    double qualityDraft = 0, qualityFair = 0, qualityNormal = 0, qualityFine = 0, qualitySmallLetter = 0;
    std::string port;                   ///< settings "Port"
    std::int32_t portType = kPortNone;  ///< settings "PortType"
    // Device state, filled by the device connection.
    std::array<std::int32_t, 7> deviceSettings{};  ///< the seven values of the settings reply
    std::string identificationReply;               ///< raw reply to the identification command
    std::string firmware;
    std::string deviceName;         ///< laser edition: the record's name
    std::string deviceInfo;         ///< filled by the device connection
    std::int16_t maxVectorLpi = 0;  ///< laser edition
    std::string dpi;                ///< laser edition
    std::string usbGccName;         ///< settings "USBGCCName"
};

}  // namespace sartovin

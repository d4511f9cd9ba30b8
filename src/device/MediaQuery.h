#pragma once
// The media query of the standard edition: asks the cutter for its identification, its settings
// and the size of the loaded medium over the plotter's channel, stores the answers in the
// plotter record and checks the connected model. The device-busy check, the port check and the
// layout tab's use of the medium size belong to the caller.

#include "base/StartMode.h"
#include "base/Texts.h"
#include "catalog/PlotterRecord.h"
#include "device/DeviceChannels.h"
#include "device/UsbDeviceEntry.h"
#include "platform/Interaction.h"

namespace sartovin {

struct MediaQueryResult {
    bool asked = false;         ///< a channel was opened and the identification sent
    bool settingsRead = false;  ///< the record holds new settings
    bool sizeRead = false;      ///< heightMm / widthMm hold the medium size
    unsigned long heightMm = 0;
    unsigned long widthMm = 0;
    bool modelDiffers = false;  ///< text 323 was shown
};

class MediaQuery {
public:
    /// All references must outlive the object.
    MediaQuery(StartMode startMode, PlotterRecord& plotter, const UsbDeviceList& usbDevices,
               DeviceChannels channels, const Texts& texts, Interaction& ui)
        : m_startMode(startMode),
          m_plotter(plotter),
          m_usbDevices(usbDevices),
          m_channels(channels),
          m_texts(texts),
          m_ui(ui) {}

    /// Runs the exchange (standard edition only; the other editions ask nothing). True when the
    /// cutter answered the identification and the settings query; `result` says what was asked
    /// and read. Failures show 308 (channel cannot be opened) or 320 (line settings,
    /// identification or settings query failed), error icon, no caption of their own; a connected
    /// model that differs from the chosen cutter shows 323 with both names, exclamation icon.
    bool run(MediaQueryResult& result);

    /// One open channel that answers questions (defined with the channels in the source file).
    class Channel;

private:
    bool exchange(Channel& channel, MediaQueryResult& result);
    void checkModel(MediaQueryResult& result);
    void fail(TextId textId);
    void failWithText(const std::string& text);

    StartMode m_startMode = 1;
    PlotterRecord& m_plotter;
    const UsbDeviceList& m_usbDevices;
    DeviceChannels m_channels;
    const Texts& m_texts;
    Interaction& m_ui;
};

}  // namespace sartovin

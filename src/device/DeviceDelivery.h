#pragma once
// Delivering command bytes to the cutter over the channel of its port kind: the delivery of one
// group of a plot run, and the direct send of a command string (test cut, status requests).
// Every failure ends with its message; nothing is retried without end.
//
// Messages (text ids): 307 / 389 no port, 308 a port, printer or device that cannot be opened
// (or no device path), with the print queue (456) or the device (457) named below it and the
// system's reason on a line of its own, 320 a communication failure, 365 the spooler refused (shown by the
// spooler write), and "wrote only %d Bytes\r\nfrom %d (expected Bytecount)" when a USB device
// took part of a block.

#include <functional>
#include <string>

#include "base/StartMode.h"
#include "base/Texts.h"
#include "catalog/PlotterRecord.h"
#include "device/DeliveryStatus.h"
#include "device/DeviceChannels.h"
#include "device/UsbDeviceEntry.h"
#include "platform/Interaction.h"

namespace sartovin {

/// Channel choice of a delivery.
enum class DeliveryChannel { Printer, GccUsb, Serial, UsbDevice };

/// Which channel a delivery uses, and in the laser edition the port kind read from the printer's
/// port name (0 outside the laser edition).
struct ChannelChoice {
    DeliveryChannel channel = DeliveryChannel::UsbDevice;
    int laserKind = 0;
};

class DeviceDelivery {
public:
    /// Everything a delivery reads; all references must outlive the object. `status` may be null.
    DeviceDelivery(StartMode startMode, const PlotterRecord& plotter, const UsbDeviceList& usbDevices,
                   DeviceChannels channels, const Texts& texts, Interaction& ui,
                   DeliveryStatus* status = nullptr)
        : m_startMode(startMode),
          m_plotter(plotter),
          m_usbDevices(usbDevices),
          m_channels(channels),
          m_texts(texts),
          m_ui(ui),
          m_status(status) {}

    /// Delivers one group's plot stream (ASCII command text, or the laser job's byte block in
    /// the laser edition): status text 380, 1000 ms, then the channel of the port kind. True when
    /// the bytes went out; false when the run has to end (the status window is hidden and the
    /// message was shown; later groups must not be sent).
    bool deliverGroup(const std::string& stream);

    /// The same for bytes already converted by deliveryBytes (the plot run's group sink hands
    /// those over: a standard-edition stream with its terminating zero already on it).
    bool deliverGroupBytes(const std::string& bytes);

    /// Sends a command string at once over the port kind's channel (no status window, no first
    /// pause). True when the bytes were handed to the channel. The boxes for text 307 and for a
    /// printer that cannot be opened carry the caption "Sartovin", the others none (empty
    /// caption: the interface's default).
    bool directSend(const std::string& commands);

    /// The bytes that go out for a stream: in the standard edition the text with one
    /// terminating zero byte, in the hobby edition the text alone, in the laser edition the
    /// block unchanged.
    static std::string deliveryBytes(const std::string& stream, StartMode startMode);

    /// The laser edition's port kind from a printer's port name: "GCCUSB" → 2, else "USB" → 4,
    /// else "COM" → 1, else 3.
    static int laserPortKind(const std::string& printerPortName);

    /// True when the plotter has what its port kind needs: a USB device name for kind 4, a port
    /// for every other kind.
    static bool portPresent(const PlotterRecord& plotter);

    /// Which channel a delivery uses (the laser edition asks the spooler for the printer's port
    /// name).
    ChannelChoice channelChoice();

    /// What became of the last job handed to a print queue (None when no queue was used):
    /// Completed when the queue reported it done, StillQueued when it was still being sent after
    /// the wait (the queue goes on with it), Failed when the run ended with a message about it.
    enum class QueueOutcome { None, Completed, StillQueued, Failed };
    QueueOutcome queueOutcome() const { return m_queueOutcome; }

private:
    bool fail(TextId textId, const std::string& caption = kProgramCaption);
    bool followQueueJob(PrinterHandle& printer, const std::string& queue);
    bool failWithText(const std::string& text, const std::string& caption);
    bool sendToPrinter(const std::string& bytes, bool direct);
    bool sendToGccUsb(const std::string& bytes, const std::string& portName, bool direct);
    bool sendToSerial(const std::string& bytes, const std::string& device, bool direct);
    bool sendToUsbDevice(const std::string& bytes, const std::string& devicePath, bool direct);
    std::string usbDevicePath(bool lastWithoutModel) const;

    StartMode m_startMode = 1;
    const PlotterRecord& m_plotter;
    const UsbDeviceList& m_usbDevices;
    DeviceChannels m_channels;
    const Texts& m_texts;
    Interaction& m_ui;
    DeliveryStatus* m_status = nullptr;
    PrinterInfo m_laserPrinter;  // the laser edition's printer, as the channel choice read it
    QueueOutcome m_queueOutcome = QueueOutcome::None;
};

/// The port check of the plot run: when the plotter has no port, `identifyUsb` (may be empty)
/// and `configurePort` run (the port configuration dialog, which stores into `plotter`), then it
/// is tested again. Still none: text 389 in the hobby edition, else 307, exclamation icon,
/// caption "Sartovin", false.
bool ensurePort(const PlotterRecord& plotter, StartMode startMode, const Texts& texts, Interaction& ui,
                const std::function<void()>& identifyUsb, const std::function<void()>& configurePort);

/// Text 308 with what could not be opened named on a line below it (`namedAs`: PrintQueueNamed
/// or DeviceNamed; left out when `name` is empty) and `reason`, the system's or the spooler's
/// words, on a line of its own when there are any.
std::string cannotOpenPortText(const Texts& texts, TextId namedAs, const std::string& name,
                               const std::string& reason = {});

/// Text 320 (communication error) with the port it concerns named below it, as `namedAs` (the print
/// queue, text 456, or the device, text 457) words it; just text 320 without a name.
std::string communicationErrorText(const Texts& texts, TextId namedAs, const std::string& name);

}  // namespace sartovin

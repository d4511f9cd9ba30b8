#include "device/DeviceDelivery.h"

#include "base/StartMode.h"
#include "device/CSerial.h"
#include "device/GccUsbQuery.h"
#include "device/SerialWrite.h"
#include "device/SpoolerWrite.h"
#include "device/UsbDeviceExchange.h"
#include "platform/SystemErrorCodes.h"

namespace sartovin {

namespace {

// The port name goes through a 400-character buffer on its way to the channel.
std::string portBuffer(const std::string& port) { return port.substr(0, 399); }

constexpr int kPrinterOpenPauseMs = 100;
constexpr int kSerialAfterWriteMs = 500;
constexpr int kGccUsbAfterWriteMs = 100;
constexpr int kBeforeDeliveryMs = 1000;
// How long a plot job is followed through its print queue: a queue that has neither finished nor
// failed by then goes on by itself. Each question waits up to a second for news of the job, so
// the window is served every second and a hung spooler ends the wait as surely as a slow one.
constexpr int kQueueFollowMs = 20000;
constexpr int kQueueQuestionMs = 1000;

}  // namespace

std::string DeviceDelivery::deliveryBytes(const std::string& stream, StartMode startMode) {
    if (startMode.isLaser() || startMode.isHobby()) return stream;
    std::string bytes = stream;
    bytes.push_back('\0');  // the standard edition's cutters get the terminating zero too
    return bytes;
}

int DeviceDelivery::laserPortKind(const std::string& name) {
    if (name.find("GCCUSB") != std::string::npos) return kPortGccUsb;
    if (name.find("USB") != std::string::npos) return kPortUsbDevice;
    if (name.find("COM") != std::string::npos) return kPortSerial;
    return kPortPrinter;
}

bool DeviceDelivery::portPresent(const PlotterRecord& plotter) {
    return plotter.portType == kPortUsbDevice ? !plotter.usbGccName.empty() : !plotter.port.empty();
}

bool DeviceDelivery::failWithText(const std::string& text, const std::string& caption) {
    if (m_status) m_status->hide();
    m_ui.messageBox(text, caption, MessageIcon::Error);
    return false;
}

bool DeviceDelivery::fail(TextId textId, const std::string& caption) {
    return failWithText(m_texts.text(textId), caption);
}

ChannelChoice DeviceDelivery::channelChoice() {
    int laserKind = 0;
    int kind = m_plotter.portType;
    if (m_startMode.isLaser()) {
        m_laserPrinter = PrinterInfo{};
        laserKind = kPortPrinter;
        if (m_channels.spooler.printerInfo(portBuffer(m_plotter.port), m_laserPrinter))
            laserKind = laserPortKind(m_laserPrinter.portName);
    }
    if ((kind == kPortPrinter && !m_startMode.isLaser()) || laserKind == kPortPrinter)
        return {DeliveryChannel::Printer, laserKind};
    if (kind == kPortGccUsb || laserKind == kPortGccUsb) return {DeliveryChannel::GccUsb, laserKind};
    if (kind == kPortSerial || laserKind == kPortSerial) return {DeliveryChannel::Serial, laserKind};
    return {DeliveryChannel::UsbDevice, laserKind};
}

std::string DeviceDelivery::usbDevicePath(bool lastWithoutModel) const {
    if (lastWithoutModel) {
        for (auto it = m_usbDevices.rbegin(); it != m_usbDevices.rend(); ++it)
            if (it->modelName.empty()) return it->devicePath;
        return {};
    }
    for (const auto& e : m_usbDevices)
        if (isStoredUsbDevice(e, m_plotter.usbGccName)) return e.devicePath;
    return {};
}

bool DeviceDelivery::deliverGroup(const std::string& stream) {
    return deliverGroupBytes(deliveryBytes(stream, m_startMode));
}

bool DeviceDelivery::deliverGroupBytes(const std::string& bytes) {
    if (m_status) {
        m_status->hideProgress();
        m_status->setText(m_texts.text(TextId::SendingData));
    }
    m_ui.pump();
    m_ui.pause(kBeforeDeliveryMs);

    const ChannelChoice choice = channelChoice();
    const int laserKind = choice.laserKind;
    switch (choice.channel) {
        case DeliveryChannel::Printer:
            return sendToPrinter(bytes, false);
        case DeliveryChannel::GccUsb:
            // A laser printer's GCC USB port is named by the printer's port, not by its queue name.
            return sendToGccUsb(bytes,
                                laserKind == kPortGccUsb && !m_laserPrinter.portName.empty()
                                    ? m_laserPrinter.portName
                                    : portBuffer(m_plotter.port),
                                false);
        case DeliveryChannel::Serial: {
            std::string device = portBuffer(m_plotter.port);
            // A laser printer on a serial line: open the line the queue sends to.
            if (laserKind == kPortSerial) {
                std::string fromUri = serialDeviceOfUri(m_laserPrinter.deviceUri);
                if (!fromUri.empty()) device = fromUri;
            }
            return sendToSerial(bytes, device, false);
        }
        case DeliveryChannel::UsbDevice:
            return sendToUsbDevice(bytes, usbDevicePath(laserKind == kPortUsbDevice), false);
    }
    return false;
}

bool DeviceDelivery::directSend(const std::string& commands) {
    if (!portPresent(m_plotter)) {
        m_ui.messageBox(m_texts.text(TextId::NoPortSelected), kProgramCaption, MessageIcon::Exclamation);
        return false;
    }
    const std::string bytes = deliveryBytes(commands, m_startMode);
    switch (m_plotter.portType) {
        case kPortPrinter:
            return sendToPrinter(bytes, true);
        case kPortGccUsb:
            return sendToGccUsb(bytes, portBuffer(m_plotter.port), true);
        case kPortSerial:
            return sendToSerial(bytes, portBuffer(m_plotter.port), true);
        default:
            return sendToUsbDevice(bytes, usbDevicePath(false), true);
    }
}

bool DeviceDelivery::sendToPrinter(const std::string& bytes, bool direct) {
    if (!direct) {
        m_ui.pump();
        m_ui.pause(kPrinterOpenPauseMs);
        m_ui.pump();
    }
    auto printer = m_channels.spooler.openPrinter(portBuffer(m_plotter.port));
    if (!printer) {
        // The port is a print queue here: the message names it.
        return failWithText(cannotOpenPortText(m_texts, TextId::PrintQueueNamed, portBuffer(m_plotter.port),
                                               m_channels.spooler.lastProblem()),
                            kProgramCaption);
    }
    bool written = spoolerWrite(*printer, bytes, m_texts, m_ui);
    // The document is ended whatever the write gave; a job the spooler did not take whole is a
    // failed delivery too.
    bool ended = printer->endDocument();
    if (!written || !ended) {
        printer.reset();
        return failWithText(communicationErrorText(m_texts, TextId::PrintQueueNamed, portBuffer(m_plotter.port)),
                            direct ? std::string() : std::string(kProgramCaption));
    }
    // Spooled is not delivered: a plot job is followed until the queue has passed it on.
    if (direct) return true;
    return followQueueJob(*printer, portBuffer(m_plotter.port));
}

bool DeviceDelivery::followQueueJob(PrinterHandle& printer, const std::string& queue) {
    if (m_status) m_status->setText(m_texts.format(TextId::WaitingForQueue, {queue}));
    PrintJobState state;
    for (int asked = 0; asked < kQueueFollowMs / kQueueQuestionMs; ++asked) {
        state = printer.jobState(kQueueQuestionMs);
        if (state.stage == PrintJobState::Stage::Completed) {
            m_queueOutcome = QueueOutcome::Completed;
            return true;
        }
        if (state.stage == PrintJobState::Stage::Failed) {
            m_queueOutcome = QueueOutcome::Failed;
            return failWithText(m_texts.format(TextId::QueueJobFailed, {queue}) +
                                    (state.reason.empty() ? std::string() : "\n" + state.reason),
                                kProgramCaption);
        }
        m_ui.pump();
    }
    if (state.stage == PrintJobState::Stage::Unknown) {
        m_queueOutcome = QueueOutcome::Failed;
        return failWithText(m_texts.format(TextId::QueueJobUnknown, {queue}), kProgramCaption);
    }
    m_queueOutcome = QueueOutcome::StillQueued;
    return true;
}

bool DeviceDelivery::sendToGccUsb(const std::string& bytes, const std::string& portName, bool direct) {
    const std::string caption = direct ? std::string() : std::string(kProgramCaption);
    int n = gccUsbPortIndex(portName);
    if (direct && n < 0) return failWithText(communicationErrorText(m_texts, TextId::DeviceNamed, portName), caption);
    m_ui.pump();
    GccUsbPortApi& ports = m_channels.gccUsb;
    GccUsbHandle handle = ports.open(n);
    if (!isValidGccUsbHandle(handle)) {
        const std::string node = ports.deviceName(n);
        return failWithText(cannotOpenPortText(m_texts, TextId::DeviceNamed, node.empty() ? portName : node,
                                               systemErrorText(ports.lastOpenError())),
                            caption);
    }
    m_ui.pump();
    if (ports.write(handle, bytes.data(), static_cast<unsigned>(bytes.size())) < 0) {
        ports.close(handle);
        const std::string node = ports.deviceName(n);
        return failWithText(communicationErrorText(m_texts, TextId::DeviceNamed, node.empty() ? portName : node),
                            caption);
    }
    if (!direct) {
        m_ui.pump();
        m_ui.pause(kGccUsbAfterWriteMs);
        m_ui.pump();
    }
    ports.close(handle);
    m_ui.pump();
    return true;
}

bool DeviceDelivery::sendToSerial(const std::string& bytes, const std::string& device, bool direct) {
    const std::string caption = direct ? std::string() : std::string(kProgramCaption);
    CSerial serial;
    if (const std::int32_t error = serial.Open(device, 0, 0, false); error != 0) {
        if (direct) return failWithText(communicationErrorText(m_texts, TextId::DeviceNamed, device), caption);
        return failWithText(
            cannotOpenPortText(m_texts, TextId::DeviceNamed, device, systemErrorText(error)), caption);
    }
    if (serial.SetLineParameters(9600, 8, 0, 0) != 0) {
        serial.Close();
        return failWithText(communicationErrorText(m_texts, TextId::DeviceNamed, device), caption);
    }
    m_ui.pump();
    // A cutter that holds the line (CTS low) or stops reading must not hang the program: the
    // write ends after kSerialStallMs without progress, or when the user stops it.
    std::uint32_t written = 0;
    std::int32_t rc = serialWriteAll(
        serial, bytes, m_ui, [this] { return m_status && m_status->cancelRequested(); }, written);
    if (rc == kSerialWriteCancelled) {
        serial.Close();
        if (m_status) m_status->hide();
        return false;  // the user's own decision: no error to report
    }
    if (rc != 0 || (written == 0 && !bytes.empty())) {
        serial.Close();
        return failWithText(communicationErrorText(m_texts, TextId::DeviceNamed, device), caption);
    }
    m_ui.pump();
    m_ui.pause(kSerialAfterWriteMs);
    m_ui.pump();
    serial.Close();
    return true;
}

bool DeviceDelivery::sendToUsbDevice(const std::string& bytes, const std::string& devicePath, bool direct) {
    const std::string caption = direct ? std::string() : std::string(kProgramCaption);
    // The direct send keeps quiet about a device it cannot open; the caller sees false.
    // No device path: the stored USB cutter is not connected; the message names the cutter.
    if (devicePath.empty())
        return direct ? false
                      : failWithText(cannotOpenPortText(m_texts, TextId::DeviceNamed, m_plotter.usbGccName),
                                     kProgramCaption);
    std::int32_t error = 0;
    auto device = m_channels.deviceFiles.open(devicePath, DeviceAccess::Write, error);
    if (!device)
        return direct ? false
                      : failWithText(cannotOpenPortText(m_texts, TextId::DeviceNamed, devicePath,
                                                        systemErrorText(error)),
                                     kProgramCaption);
    m_ui.pump();
    std::size_t written = 0;
    std::int32_t rc = device->write(bytes.data(), bytes.size(), written, kUsbWriteStallMs);
    m_ui.pump();
    device.reset();
    if (rc != 0 || (written == 0 && !bytes.empty()))
        return failWithText(communicationErrorText(m_texts, TextId::DeviceNamed, devicePath), caption);
    if (written < bytes.size()) {
        return failWithText("wrote only " + std::to_string(written) + " Bytes\r\nfrom " +
                                std::to_string(bytes.size()) + " (expected Bytecount)",
                            caption);
    }
    return true;
}

bool ensurePort(const PlotterRecord& plotter, StartMode startMode, const Texts& texts, Interaction& ui,
                const std::function<void()>& identifyUsb, const std::function<void()>& configurePort) {
    if (DeviceDelivery::portPresent(plotter)) return true;
    if (identifyUsb) identifyUsb();
    if (configurePort) configurePort();
    if (DeviceDelivery::portPresent(plotter)) return true;
    ui.messageBox(texts.text(startMode.isHobby() ? TextId::NoUsbPort : TextId::NoPortSelected),
                  kProgramCaption, MessageIcon::Exclamation);
    return false;
}

std::string communicationErrorText(const Texts& texts, TextId namedAs, const std::string& name) {
    std::string text = texts.text(TextId::CommunicationError);
    if (!name.empty()) text += "\n" + texts.format(namedAs, {name});
    return text;
}

std::string cannotOpenPortText(const Texts& texts, TextId namedAs, const std::string& name,
                               const std::string& reason) {
    std::string text = texts.text(TextId::CannotOpenPort);
    const std::string named = name.empty() ? std::string() : texts.format(namedAs, {name});
    if (!named.empty()) text += "\n" + named;
    if (!reason.empty()) text += "\n" + reason;
    return text;
}

}  // namespace sartovin

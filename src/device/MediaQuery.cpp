#include "device/MediaQuery.h"

#include "base/StartMode.h"
#include "device/CSerial.h"
#include "device/DeviceDelivery.h"
#include "device/GccUsbQuery.h"
#include "device/MediaQueryReplies.h"
#include "device/SerialQuery.h"
#include "device/UsbDeviceExchange.h"
#include "platform/SystemErrorCodes.h"

namespace sartovin {

class MediaQuery::Channel {
public:
    virtual ~Channel() = default;
    virtual bool ask(const std::string& command, std::string& reply) = 0;
};

namespace {

class SerialChannel : public MediaQuery::Channel {
public:
    SerialChannel(CSerial& serial, Interaction& ui) : m_serial(serial), m_ui(ui) {}
    bool ask(const std::string& command, std::string& reply) override {
        return serialQuery(m_serial, command, m_ui, reply);
    }

private:
    CSerial& m_serial;
    Interaction& m_ui;
};

class GccUsbChannel : public MediaQuery::Channel {
public:
    GccUsbChannel(GccUsbPortApi& ports, GccUsbHandle handle, Interaction& ui)
        : m_ports(ports), m_handle(handle), m_ui(ui) {}
    bool ask(const std::string& command, std::string& reply) override {
        return gccUsbQuery(m_ports, m_handle, command, m_ui, reply);
    }

private:
    GccUsbPortApi& m_ports;
    GccUsbHandle m_handle;
    Interaction& m_ui;
};

class UsbDeviceChannel : public MediaQuery::Channel {
public:
    UsbDeviceChannel(DeviceFiles& files, std::string path, Interaction& ui)
        : m_files(files), m_path(std::move(path)), m_ui(ui) {}
    bool ask(const std::string& command, std::string& reply) override {
        return usbDeviceCommandExchange(m_files, m_path, command, m_ui, reply);
    }

private:
    DeviceFiles& m_files;
    std::string m_path;
    Interaction& m_ui;
};

enum class Path { None, Serial, GccUsb, UsbDevice };

}  // namespace

void MediaQuery::fail(TextId textId) { failWithText(m_texts.text(textId)); }

void MediaQuery::failWithText(const std::string& text) {
    m_ui.messageBox(text, std::string(), MessageIcon::Error);
}

bool MediaQuery::exchange(Channel& channel, MediaQueryResult& result) {
    result.asked = true;
    std::string reply;
    if (!channel.ask(kIdentificationCommand, reply)) {
        fail(TextId::CommunicationError);
        return false;
    }
    m_plotter.identificationReply = reply;
    if (!channel.ask(kSettingsCommand, reply)) {
        fail(TextId::CommunicationError);
        return false;
    }
    result.settingsRead = applySettingsReply(m_plotter, reply);
    if (channel.ask(kHardClipCommand, reply))
        result.sizeRead = parseHardClipReply(reply, result.heightMm, result.widthMm);
    return true;
}

void MediaQuery::checkModel(MediaQueryResult& result) {
    if (m_plotter.identificationReply.empty()) return;
    std::string model = connectedModelForCheck(m_plotter.identificationReply);
    if (connectedModelAcceptable(m_plotter.name, model)) return;
    result.modelDiffers = true;
    m_ui.messageBox(m_texts.format(TextId::DifferentModel, {model, m_plotter.name}), std::string(),
                    MessageIcon::Exclamation);
}

bool MediaQuery::run(MediaQueryResult& result) {
    result = MediaQueryResult{};
    if (!m_startMode.isStandard()) return false;
    bool answered = false;

    Path path = Path::None;
    std::string gccPortName = m_plotter.port;
    switch (m_plotter.portType) {
        case kPortPrinter: {
            PrinterInfo info;
            if (!m_channels.spooler.printerInfo(m_plotter.port, info)) {
                failWithText(cannotOpenPortText(m_texts, TextId::PrintQueueNamed, m_plotter.port,
                                                m_channels.spooler.lastProblem()));
                return false;
            }
            if (info.portName.find("GCCUSB") != std::string::npos) {
                path = Path::GccUsb;
                gccPortName = info.portName;
            } else if (info.portName.find("USB0") != std::string::npos) {
                path = Path::UsbDevice;
            }
            break;
        }
        case kPortSerial:
            path = Path::Serial;
            break;
        case kPortGccUsb:
            path = Path::GccUsb;
            break;
        case kPortUsbDevice:
            path = Path::UsbDevice;
            break;
        default:
            break;
    }

    switch (path) {
        case Path::None:
            break;
        case Path::Serial: {
            CSerial serial;
            const std::string device = m_plotter.port.substr(0, 399);
            if (const std::int32_t error = serial.Open(device, 0, 0, false); error != 0) {
                failWithText(cannotOpenPortText(m_texts, TextId::DeviceNamed, device, systemErrorText(error)));
                return false;
            }
            if (serial.SetLineParameters(9600, 8, 0, 0) != 0) {
                serial.Close();
                fail(TextId::CommunicationError);
                return false;
            }
            SerialChannel channel(serial, m_ui);
            answered = exchange(channel, result);
            serial.Close();
            break;
        }
        case Path::GccUsb: {
            GccUsbPortApi& ports = m_channels.gccUsb;
            int n = gccUsbPortIndex(gccPortName);
            m_ui.pause(100);
            m_ui.pump();
            // Opened and closed once, then opened for the exchange: the sequence in which the
            // GCC USB ports have always been driven for a query.
            GccUsbHandle wake = ports.open(n);
            if (isValidGccUsbHandle(wake)) ports.close(wake);
            m_ui.pause(100);
            m_ui.pump();
            GccUsbHandle handle = ports.open(n);
            if (!isValidGccUsbHandle(handle)) {
                const std::string node = ports.deviceName(n);
                failWithText(cannotOpenPortText(m_texts, TextId::DeviceNamed, node.empty() ? gccPortName : node,
                                                systemErrorText(ports.lastOpenError())));
                return false;
            }
            GccUsbChannel channel(ports, handle, m_ui);
            answered = exchange(channel, result);
            ports.close(handle);
            m_ui.pause(100);
            break;
        }
        case Path::UsbDevice: {
            std::string devicePath;
            for (const auto& e : m_usbDevices) {
                if (isStoredUsbDevice(e, m_plotter.usbGccName)) {
                    devicePath = e.devicePath;
                    break;
                }
            }
            if (devicePath.empty()) {
                for (const auto& e : m_usbDevices) {
                    if (e.portName == "USB000") {
                        devicePath = e.devicePath;
                        break;
                    }
                }
            }
            UsbDeviceChannel channel(m_channels.deviceFiles, devicePath, m_ui);
            answered = exchange(channel, result);
            break;
        }
    }
    checkModel(result);
    return answered;
}

}  // namespace sartovin

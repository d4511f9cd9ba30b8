#include "device/CSerial.h"

#include <climits>
#include <cstring>

#include "platform/SystemErrorCodes.h"

namespace sartovin {

namespace {

constexpr std::uint32_t kOpenEventMask = kEventRxChar | kEventBreak | kEventError;  // 0x00C1

int toPollTimeout(std::uint32_t timeoutMs) {
    if (timeoutMs == CSerial::kInfinite) return SerialPortDevice::kWaitForever;
    return timeoutMs > static_cast<std::uint32_t>(INT_MAX) ? INT_MAX : static_cast<int>(timeoutMs);
}

}  // namespace

CSerial::~CSerial() {
    if (m_port.isOpen()) {
        m_overlappedEvent = false;
        m_lastError = 0;
        m_port.close();
    }
}

std::int32_t CSerial::Open(const std::string& port, std::uint32_t inputQueue, std::uint32_t outputQueue,
                           bool overlapped) {
    m_lastError = 0;
    if (m_port.isOpen()) return finish(kErrorAlreadyInitialized);
    if (std::int32_t rc = m_port.open(port); rc != 0) return finish(rc);
    m_overlappedEvent = overlapped;
    if (inputQueue != 0 || outputQueue != 0) {
        if (std::int32_t rc = m_port.setQueueSizes(inputQueue, outputQueue); rc != 0) {
            Close();
            return finish(rc);
        }
    }
    SetEventMask(kOpenEventMask);
    SetReadMode(0);
    // The port's own settings, in raw mode; a port that refuses them still opens.
    m_port.applyDefaultConfiguration();
    return finish(0);
}

std::int32_t CSerial::Close() {
    m_lastError = 0;
    if (!m_port.isOpen()) return 0;
    m_overlappedEvent = false;
    m_port.close();
    return finish(0);
}

std::int32_t CSerial::SetLineParameters(std::uint32_t baudRate, std::uint8_t dataBits, std::uint8_t parity,
                                        std::uint8_t stopBits) {
    m_lastError = 0;
    if (!m_port.isOpen()) return finish(kErrorInvalidHandle);
    SerialControlBlock block;
    if (std::int32_t rc = m_port.getControlBlock(block); rc != 0) return finish(rc);
    block.baudRate = baudRate;
    block.byteSize = dataBits;
    block.parity = parity;
    block.stopBits = stopBits;
    block.parityCheck = parity != 0;
    return finish(m_port.setControlBlock(block));
}

std::int32_t CSerial::SetEventCharacter(char character, bool adjustMask) {
    m_lastError = 0;
    if (!m_port.isOpen()) return finish(kErrorInvalidHandle);
    SerialControlBlock block;
    if (std::int32_t rc = m_port.getControlBlock(block); rc != 0) return finish(rc);
    block.eventChar = character;
    if (adjustMask) {
        if (std::int32_t rc = SetEventMask(m_eventMask | kEventRxFlag); rc != 0) return finish(rc);
    }
    return finish(m_port.setControlBlock(block));
}

std::int32_t CSerial::SetEventMask(std::uint32_t mask) {
    m_lastError = 0;
    if (!m_port.isOpen()) return finish(kErrorInvalidHandle);
    m_eventMask = mask;
    return finish(0);
}

std::int32_t CSerial::checkTransfer(const SerialOverlapped* overlapped, std::uint32_t timeoutMs) const {
    if (!m_port.isOpen()) return kErrorInvalidHandle;
    if (!m_overlappedEvent && (overlapped != nullptr || timeoutMs != kInfinite)) return kErrorInvalidFunction;
    return 0;
}

std::int32_t CSerial::WaitForEvent(SerialOverlapped* overlapped, std::uint32_t timeoutMs) {
    m_lastError = 0;
    if (std::int32_t rc = checkTransfer(overlapped, timeoutMs); rc != 0) return finish(rc);
    if (!(m_eventMask & (kEventRxChar | kEventError))) return finish(kErrorInvalidParameter);
    bool input = false, lineError = false;
    std::int32_t rc = m_port.waitForInput(toPollTimeout(timeoutMs), input, lineError);
    if (rc == kErrorTimeout) m_port.cancelPending();
    if (rc != 0) return finish(rc);
    m_lastEvent = 0;
    if (input && (m_eventMask & kEventRxChar)) m_lastEvent |= kEventRxChar;
    if (lineError && (m_eventMask & kEventError)) m_lastEvent |= kEventError;
    if (overlapped) overlapped->signalled = true;
    return finish(0);
}

std::int32_t CSerial::SetFlowControl(int mode) {
    m_lastError = 0;
    if (!m_port.isOpen()) return finish(kErrorInvalidHandle);
    if (mode < 0 || mode > 2) return finish(kErrorInvalidArgument);
    SerialControlBlock block;
    if (std::int32_t rc = m_port.getControlBlock(block); rc != 0) return finish(rc);
    bool hardware = mode == 1, software = mode == 2;
    block.outxCtsFlow = block.outxDsrFlow = hardware;
    block.dtrControl = block.rtsControl = hardware ? kLineControlHandshake : kLineControlDisable;
    block.outX = block.inX = software;
    return finish(m_port.setControlBlock(block));
}

std::int32_t CSerial::SetReadMode(int mode) {
    m_lastError = 0;
    if (!m_port.isOpen()) return finish(kErrorInvalidHandle);
    if (mode != 0 && mode != 1) return finish(kErrorInvalidArgument);
    m_port.setBlockingReads(mode == 1);
    return finish(0);
}

int CSerial::getterFailure(int failureValue) {
    m_lastError = kErrorInvalidHandle;
    return failureValue;
}

int CSerial::GetBaudRate() {
    m_lastError = 0;
    SerialControlBlock b;
    if (!m_port.isOpen()) return getterFailure(-1);
    if ((m_lastError = m_port.getControlBlock(b)) != 0) return -1;
    return static_cast<int>(b.baudRate);
}

int CSerial::GetDataBits() {
    m_lastError = 0;
    SerialControlBlock b;
    if (!m_port.isOpen()) return getterFailure(-1);
    if ((m_lastError = m_port.getControlBlock(b)) != 0) return -1;
    return b.byteSize;
}

int CSerial::GetParity() {
    m_lastError = 0;
    SerialControlBlock b;
    if (!m_port.isOpen()) return getterFailure(-1);
    if ((m_lastError = m_port.getControlBlock(b)) != 0) return -1;
    return b.parityCheck ? b.parity : 0;
}

int CSerial::GetStopBits() {
    m_lastError = 0;
    SerialControlBlock b;
    if (!m_port.isOpen()) return getterFailure(-1);
    if ((m_lastError = m_port.getControlBlock(b)) != 0) return -1;
    return b.stopBits;
}

int CSerial::GetFlowControl() {
    m_lastError = 0;
    SerialControlBlock b;
    if (!m_port.isOpen()) return getterFailure(-1);
    if ((m_lastError = m_port.getControlBlock(b)) != 0) return -1;
    if (b.dtrControl == kLineControlHandshake && b.rtsControl == kLineControlHandshake) return 1;
    if (!b.outX) return 0;
    return b.inX ? 2 : 0;
}

std::uint32_t CSerial::GetEventMask() {
    m_lastError = 0;
    if (!m_port.isOpen()) return static_cast<std::uint32_t>(getterFailure(0));
    return m_eventMask;
}

char CSerial::GetEventCharacter() {
    m_lastError = 0;
    SerialControlBlock b;
    if (!m_port.isOpen()) return static_cast<char>(getterFailure(0));
    if ((m_lastError = m_port.getControlBlock(b)) != 0) return 0;
    return b.eventChar;
}

std::int32_t CSerial::WriteText(const char* text, std::uint32_t* written, SerialOverlapped* overlapped,
                                std::uint32_t timeoutMs) {
    std::size_t length = text ? std::strlen(text) : 0;
    return Write(text, static_cast<std::uint32_t>(length), written, overlapped, timeoutMs);
}

std::int32_t CSerial::Write(const void* data, std::uint32_t length, std::uint32_t* written,
                            SerialOverlapped* overlapped, std::uint32_t timeoutMs) {
    m_lastError = 0;
    if (written) *written = 0;
    if (std::int32_t rc = checkTransfer(overlapped, timeoutMs); rc != 0) return finish(rc);
    std::size_t count = 0;
    std::int32_t rc = m_port.write(static_cast<const char*>(data), length, count, toPollTimeout(timeoutMs));
    if (written) *written = static_cast<std::uint32_t>(count);
    if (rc == kErrorTimeout) m_port.cancelPending();
    if (rc == 0 && overlapped) {
        overlapped->bytes = static_cast<std::uint32_t>(count);
        overlapped->signalled = true;
    }
    return finish(rc);
}

std::int32_t CSerial::WriteAvailable(const void* data, std::uint32_t length, std::uint32_t& written) {
    m_lastError = 0;
    written = 0;
    if (!m_port.isOpen()) return finish(kErrorInvalidHandle);
    std::size_t count = 0;
    std::int32_t rc = m_port.write(static_cast<const char*>(data), length, count, 0);
    written = static_cast<std::uint32_t>(count);
    return finish(rc == kErrorTimeout ? 0 : rc);
}

std::int32_t CSerial::Purge() {
    m_lastError = 0;
    if (!m_port.isOpen()) return finish(kErrorInvalidHandle);
    m_port.cancelPending();
    return finish(0);
}

std::int32_t CSerial::Read(void* buffer, std::uint32_t length, std::uint32_t* received,
                           SerialOverlapped* overlapped, std::uint32_t timeoutMs) {
    m_lastError = 0;
    if (received) *received = 0;
    if (std::int32_t rc = checkTransfer(overlapped, timeoutMs); rc != 0) return finish(rc);
    std::size_t count = 0;
    std::int32_t rc = m_port.read(static_cast<char*>(buffer), length, count, toPollTimeout(timeoutMs));
    if (received) *received = static_cast<std::uint32_t>(count);
    if (rc == kErrorTimeout) m_port.cancelPending();
    if (rc == 0 && overlapped) {
        overlapped->bytes = static_cast<std::uint32_t>(count);
        overlapped->signalled = true;
    }
    return finish(rc);
}

}  // namespace sartovin

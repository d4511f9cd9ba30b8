#pragma once
// The serial port as the device channels use it: one tty, its line settings, flow control, read
// mode, event mask and event character, and synchronous or waited reads and writes. Every
// operation clears the last error first and then records the code of its outcome there.
//
// Codes: 0 success; 1 an overlapped structure or a finite time-out on a port opened without
// overlapped operation; 6 the port is not open; 1247 open on an open port; 1460 a wait ran out of
// time (pending input and output are discarded); 0x80070057 a mode argument out of range; other
// values are system errors mapped as SystemErrorCodes.h documents (2 no such port, 5 access
// denied, 170 busy, 1117 I/O error, 1167 the other end hung up, 87 a setting the port cannot take).
//
// Overlapped operation: this platform has no overlapped I/O. A port opened "overlapped" does each
// operation at once and waits for it with poll() within the given time-out; an operation given a
// caller's own structure completes before it returns, signals the structure and records the byte
// count in it, so 997 (pending) is never returned.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/SerialPortDevice.h"

namespace sartovin {

/// The caller's record of one overlapped operation.
struct SerialOverlapped {
    bool signalled = false;   ///< set when the operation completed
    std::uint32_t bytes = 0;  ///< bytes transferred by a completed read or write
};

/// Communication event bits of the event mask.
enum : std::uint32_t {
    kEventRxChar = 0x0001,  ///< a character was received
    kEventRxFlag = 0x0002,  ///< the event character was received
    kEventBreak = 0x0040,   ///< a break was detected
    kEventError = 0x0080,   ///< a line error (framing, overrun, parity)
};

class CSerial {
public:
    static constexpr std::uint32_t kInfinite = 0xFFFFFFFF;  ///< time-out: wait without limit

    CSerial() = default;
    CSerial(const CSerial&) = delete;
    CSerial& operator=(const CSerial&) = delete;
    /// Closes the port when it is open.
    virtual ~CSerial();

    /// Opens `port` (a device path such as "/dev/ttyUSB0") exclusively for reading and writing.
    /// Queue sizes 0 and 0 leave the driver's queues alone. Afterwards the event mask is 0x00C1,
    /// reads are non-blocking and the port's own settings are applied in raw mode (a failure of
    /// that step is not an error). 1247 when already open; a failure leaves the object closed.
    virtual std::int32_t Open(const std::string& port, std::uint32_t inputQueue = 0,
                              std::uint32_t outputQueue = 0, bool overlapped = false);
    /// Closes the port; closing a closed port succeeds.
    virtual std::int32_t Close();

    /// Rate in bits per second, data bits 5 to 8, parity 0 none 1 odd 2 even 3 mark 4 space,
    /// stop bits 0 one, 1 one and a half, 2 two. Parity checking is on exactly when `parity` is
    /// non-zero; flow control and the event character stay as they were.
    virtual std::int32_t SetLineParameters(std::uint32_t baudRate, std::uint8_t dataBits, std::uint8_t parity,
                                           std::uint8_t stopBits);
    /// Stores the event character; `adjustMask` also adds kEventRxFlag to the event mask.
    virtual std::int32_t SetEventCharacter(char character, bool adjustMask = true);
    virtual std::int32_t SetEventMask(std::uint32_t mask);
    /// Waits for a received character or a line error (the events poll() can see on a tty).
    /// The event that ended the wait is stored as last event. A mask holding neither
    /// kEventRxChar nor kEventError gives 87 at once instead of waiting for something this
    /// platform cannot report.
    virtual std::int32_t WaitForEvent(SerialOverlapped* overlapped = nullptr,
                                      std::uint32_t timeoutMs = kInfinite);
    /// 0 none, 1 hardware (RTS/CTS), 2 software (XON/XOFF both ways); others 0x80070057.
    virtual std::int32_t SetFlowControl(int mode);
    /// 0 non-blocking (a read returns what has arrived), 1 blocking (a read waits for the whole
    /// count); others 0x80070057.
    virtual std::int32_t SetReadMode(int mode);

    virtual int GetBaudRate();             ///< -1 on failure
    virtual int GetDataBits();             ///< -1 on failure
    virtual int GetParity();               ///< 0 when parity checking is off; -1 on failure
    virtual int GetStopBits();             ///< -1 on failure
    virtual int GetFlowControl();          ///< 0, 1 or 2 as SetFlowControl; -1 on failure
    virtual std::uint32_t GetEventMask();  ///< 0 when the port is not open
    virtual char GetEventCharacter();      ///< 0 on failure

    /// Writes the bytes of a zero-terminated string, without the terminator, through Write.
    virtual std::int32_t WriteText(const char* text, std::uint32_t* written = nullptr,
                                   SerialOverlapped* overlapped = nullptr,
                                   std::uint32_t timeoutMs = kInfinite);
    /// Writes `length` bytes; `written` (optional) receives the count written.
    virtual std::int32_t Write(const void* data, std::uint32_t length, std::uint32_t* written = nullptr,
                               SerialOverlapped* overlapped = nullptr, std::uint32_t timeoutMs = kInfinite);
    /// Writes what the line takes at once, without waiting and without discarding anything:
    /// `written` receives the count, which may be 0 while the line holds back (flow control, a
    /// full output queue). Errors as Write; a time-out is never returned.
    virtual std::int32_t WriteAvailable(const void* data, std::uint32_t length, std::uint32_t& written);
    /// Discards pending input and output, so that a port whose peer stopped taking data can be
    /// closed and used again at once.
    virtual std::int32_t Purge();
    /// Reads up to `length` bytes by the read mode; `received` (optional) receives the count.
    virtual std::int32_t Read(void* buffer, std::uint32_t length, std::uint32_t* received = nullptr,
                              SerialOverlapped* overlapped = nullptr, std::uint32_t timeoutMs = kInfinite);

    std::int32_t lastError() const { return m_lastError; }
    std::uint32_t lastEvent() const { return m_lastEvent; }
    bool isOpen() const { return m_port.isOpen(); }
    bool isOverlapped() const { return m_overlappedEvent; }

private:
    std::int32_t finish(std::int32_t code) { return m_lastError = code; }
    // Steps 2 to 4 of every transfer: 0 when the call may go on, otherwise the code to return.
    std::int32_t checkTransfer(const SerialOverlapped* overlapped, std::uint32_t timeoutMs) const;
    int getterFailure(int failureValue);

    std::int32_t m_lastError = 0;
    SerialPortDevice m_port;
    std::uint32_t m_lastEvent = 0;
    std::uint32_t m_eventMask = 0;
    bool m_overlappedEvent = false;  // present only when opened for overlapped operation
};

}  // namespace sartovin

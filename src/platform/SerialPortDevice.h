#pragma once
// One open serial device node (a tty) for the serial class. The descriptor is always in
// non-blocking mode; waiting is done with poll() and a time-out, so no call blocks without the
// caller having asked for it and a hang-up of the other end ends every wait with an error.
// All results are the channel error numbers of SystemErrorCodes.h (0 = success).

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/SerialTermios.h"
#include "platform/UniqueFd.h"

namespace sartovin {

class SerialPortDevice {
public:
    /// A time-out in milliseconds that never runs out.
    static constexpr int kWaitForever = -1;

    SerialPortDevice() = default;
    ~SerialPortDevice();
    SerialPortDevice(const SerialPortDevice&) = delete;
    SerialPortDevice& operator=(const SerialPortDevice&) = delete;

    /// Opens a tty node for reading and writing: never as controlling terminal, exclusively
    /// (TIOCEXCL: further opens by other programs fail with EBUSY unless they are privileged).
    /// A node that is not a terminal is refused with 50 (not supported).
    std::int32_t open(const std::string& path);
    /// Closes the node; closing a closed object does nothing.
    void close();
    bool isOpen() const { return m_fd.valid(); }

    /// Queue sizes: the tty layer's buffers have fixed sizes on this platform, so a request is
    /// accepted and has no effect.
    std::int32_t setQueueSizes(std::uint32_t inputBytes, std::uint32_t outputBytes);

    /// Puts the port into raw mode for device data, keeping its current line settings and hardware
    /// flow control: the stand-in for the operating system's per-port default configuration (there
    /// is no separate per-port user configuration on this platform; the port's settings as the
    /// system left them are the default). Software flow control is switched off, because device
    /// data holds XON and XOFF bytes.
    std::int32_t applyDefaultConfiguration();

    /// Reads the current settings from the port (the event character from this object).
    std::int32_t getControlBlock(SerialControlBlock& block) const;
    /// Writes settings to the port (87 for a setting the port cannot take).
    std::int32_t setControlBlock(const SerialControlBlock& block);

    /// Blocking reads wait until the requested count has arrived; non-blocking reads return at
    /// once with what is there.
    void setBlockingReads(bool blocking) { m_blockingReads = blocking; }
    bool blockingReads() const { return m_blockingReads; }

    /// Writes all `length` bytes, waiting up to `timeoutMs` (kWaitForever: no limit) for the line
    /// to take them. `written` receives the count written. A hang-up gives 1167; the time-out 1460.
    std::int32_t write(const char* data, std::size_t length, std::size_t& written, int timeoutMs);
    /// Reads up to `length` bytes by the read mode; a blocking read waits up to `timeoutMs` for
    /// the whole count. A hang-up gives 1167 (with the bytes read before it counted); the time-out
    /// 1460.
    std::int32_t read(char* buffer, std::size_t length, std::size_t& received, int timeoutMs);
    /// Waits up to `timeoutMs` for input to arrive or for a line error. `inputArrived` and
    /// `lineError` say which. The time-out gives 1460, a hang-up 1167.
    std::int32_t waitForInput(int timeoutMs, bool& inputArrived, bool& lineError);
    /// Discards pending input and output (the stand-in for cancelling pending I/O).
    void cancelPending();

private:
    UniqueFd m_fd;
    bool m_blockingReads = false;
    char m_eventChar = 0;
};

}  // namespace sartovin

#pragma once
// One open device node (a USB printer device), as the device channels use it. Results are the
// channel error numbers of SystemErrorCodes.h (0 = success). Closing is destruction.

#include <cstddef>
#include <cstdint>

namespace sartovin {

class DeviceHandle {
public:
    virtual ~DeviceHandle() = default;

    /// One synchronous write of `length` bytes. The call returns when all bytes are taken, when
    /// the device fails, or when it has taken nothing for `stallTimeoutMs` milliseconds (a device
    /// that stops accepting never hangs the program); `written` then holds what went out, and a
    /// stall with part of the block written returns 0 so the caller sees the short count.
    virtual std::int32_t write(const char* data, std::size_t length, std::size_t& written,
                               int stallTimeoutMs) = 0;
    /// Reads what is there, waiting up to `timeoutMs` for the first byte; 0 bytes after the
    /// time-out is success with `received` 0.
    virtual std::int32_t read(char* buffer, std::size_t capacity, std::size_t& received, int timeoutMs) = 0;
    /// Bytes that can be read without waiting (an estimate of at least 1 where the node cannot
    /// count them but poll() says data is there).
    virtual std::int32_t bytesAvailable(std::size_t& count) = 0;
};

}  // namespace sartovin

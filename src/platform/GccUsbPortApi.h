#pragma once
// The GCC USB port operations ("GCCUSB0" .. "GCCUSB3"): open a port by index, write, close, ask
// for the bytes waiting, read. Argument order and results are those the device code relies on.

#include <cstdint>
#include <string>

namespace sartovin {

/// A port handle. Neither 0 nor kGccUsbInvalidHandle (all bits set) is ever a valid handle, so a
/// caller may test for either.
using GccUsbHandle = std::intptr_t;
inline constexpr GccUsbHandle kGccUsbInvalidHandle = -1;

/// True for a handle that open returned on success.
inline bool isValidGccUsbHandle(GccUsbHandle h) { return h != 0 && h != kGccUsbInvalidHandle; }

class GccUsbPortApi {
public:
    virtual ~GccUsbPortApi() = default;
    /// Opens port `index` (0 to 3; -1 when the port name named none, which fails).
    virtual GccUsbHandle open(int index) = 0;
    /// Writes `count` bytes; negative on failure, else the count written.
    virtual int write(GccUsbHandle handle, const char* data, unsigned count) = 0;
    virtual void close(GccUsbHandle handle) = 0;
    /// Negative on failure; `count` receives the bytes waiting, which may be an estimate (a
    /// printer-class device says only whether anything waits: 1).
    virtual int bytesAvailable(GccUsbHandle handle, unsigned& count) = 0;
    /// Reads at most `capacity` bytes without waiting; `count` holds the bytes available on entry
    /// (a port that can only estimate them reads up to `capacity`) and the bytes read on return.
    /// Negative on failure.
    virtual int read(GccUsbHandle handle, char* buffer, unsigned capacity, unsigned& count) = 0;
    /// What port `index` is on this system (its device file), for messages; empty when it names
    /// none or the ports do not say.
    virtual std::string deviceName(int index) { return {}; }
    /// Why the last open failed (an error number of SystemErrorCodes.h); 0 when unknown.
    virtual std::int32_t lastOpenError() const { return 0; }
};

}  // namespace sartovin

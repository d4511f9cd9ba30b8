#pragma once
// The device channels report failures as the error numbers their callers were written for (the
// serial class's contract). System errors (errno values) are mapped onto the nearest such number.

#include <cstdint>
#include <string>

namespace sartovin {

/// Error numbers the device channels use besides 0 (success).
inline constexpr std::int32_t kErrorInvalidFunction = 1;  ///< also: overlapped use on a plain port
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorPathNotFound = 3;
inline constexpr std::int32_t kErrorTooManyOpenFiles = 4;
inline constexpr std::int32_t kErrorAccessDenied = 5;
inline constexpr std::int32_t kErrorInvalidHandle = 6;  ///< the port is not open
inline constexpr std::int32_t kErrorNotEnoughMemory = 8;
inline constexpr std::int32_t kErrorWriteProtect = 19;
inline constexpr std::int32_t kErrorNotSupported = 50;
inline constexpr std::int32_t kErrorInvalidParameter = 87;
inline constexpr std::int32_t kErrorBrokenPipe = 109;
inline constexpr std::int32_t kErrorDiskFull = 112;
inline constexpr std::int32_t kErrorBusy = 170;
inline constexpr std::int32_t kErrorFilenameTooLong = 206;
inline constexpr std::int32_t kErrorIoPending = 997;
inline constexpr std::int32_t kErrorIoDevice = 1117;
inline constexpr std::int32_t kErrorDeviceNotConnected = 1167;
inline constexpr std::int32_t kErrorAlreadyInitialized = 1247;
inline constexpr std::int32_t kErrorTimeout = 1460;
/// A mode argument outside its range.
inline constexpr std::int32_t kErrorInvalidArgument = static_cast<std::int32_t>(0x80070057u);
/// Base for system errors without a counterpart: 0x20000000 | errno (bit 29 marks numbers that
/// this program defines, so they never collide with the table above).
inline constexpr std::int32_t kErrorSystemBase = 0x20000000;

/// Maps an errno value: ENOENT/ENXIO/ENODEV → 2, ENOTDIR → 3, EMFILE/ENFILE → 4, EACCES/EPERM/
/// EISDIR → 5, EBADF → 6, ENOMEM → 8, EROFS → 19, ENOTTY/EOPNOTSUPP → 50, EINVAL → 87,
/// EPIPE → 109, ENOSPC → 112, EBUSY → 170, ENAMETOOLONG → 206, EIO → 1117, ETIMEDOUT → 1460;
/// 0 → 0; any other value e → kErrorSystemBase | e.
std::int32_t errorCodeFromErrno(int errnoValue);

/// The system's own words for an error number of the device channels (the errno text behind it,
/// "No such file or directory" for 2); empty for 0.
std::string systemErrorText(std::int32_t code);

}  // namespace sartovin

#include "platform/SystemErrorCodes.h"

#include <cerrno>
#include <cstring>

namespace sartovin {

std::int32_t errorCodeFromErrno(int e) {
    switch (e) {
        case 0:
            return 0;
        case ENOENT:
        case ENXIO:
        case ENODEV:
            return kErrorFileNotFound;
        case ENOTDIR:
            return kErrorPathNotFound;
        case EMFILE:
        case ENFILE:
            return kErrorTooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EISDIR:
            return kErrorAccessDenied;
        case EBADF:
            return kErrorInvalidHandle;
        case ENOMEM:
            return kErrorNotEnoughMemory;
        case EROFS:
            return kErrorWriteProtect;
        case ENOTTY:
        case EOPNOTSUPP:
            return kErrorNotSupported;
        case EINVAL:
            return kErrorInvalidParameter;
        case EPIPE:
            return kErrorBrokenPipe;
        case ENOSPC:
            return kErrorDiskFull;
        case EBUSY:
            return kErrorBusy;
        case ENAMETOOLONG:
            return kErrorFilenameTooLong;
        case EIO:
            return kErrorIoDevice;
        case ETIMEDOUT:
            return kErrorTimeout;
        default:
            return kErrorSystemBase | e;
    }
}

namespace {

// The errno value a channel error number stands for (the first of several that map onto it).
int errnoOfErrorCode(std::int32_t code) {
    if ((code & kErrorSystemBase) != 0 && code > 0) return code & ~kErrorSystemBase;
    switch (code) {
        case kErrorFileNotFound:
            return ENOENT;
        case kErrorPathNotFound:
            return ENOTDIR;
        case kErrorTooManyOpenFiles:
            return EMFILE;
        case kErrorAccessDenied:
            return EACCES;
        case kErrorInvalidHandle:
            return EBADF;
        case kErrorNotEnoughMemory:
            return ENOMEM;
        case kErrorWriteProtect:
            return EROFS;
        case kErrorNotSupported:
            return ENOTTY;
        case kErrorInvalidParameter:
        case kErrorInvalidArgument:
            return EINVAL;
        case kErrorBrokenPipe:
            return EPIPE;
        case kErrorDiskFull:
            return ENOSPC;
        case kErrorBusy:
            return EBUSY;
        case kErrorFilenameTooLong:
            return ENAMETOOLONG;
        case kErrorIoDevice:
            return EIO;
        case kErrorDeviceNotConnected:
            return ENODEV;
        case kErrorTimeout:
            return ETIMEDOUT;
        default:
            return 0;
    }
}

}  // namespace

std::string systemErrorText(std::int32_t code) {
    if (code == 0) return {};
    const int e = errnoOfErrorCode(code);
    if (e == 0) return "error " + std::to_string(code);
    char buf[256];
    return ::strerror_r(e, buf, sizeof buf);  // the GNU variant returns the text
}

}  // namespace sartovin

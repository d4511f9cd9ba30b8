#include "platform/SystemErrorCodes.h"

#include <cerrno>

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

}  // namespace sartovin

#include "platform/NodeDeviceFiles.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/SystemErrorCodes.h"
#include "platform/UniqueFd.h"

namespace sartovin {

namespace {

class NodeHandle : public DeviceHandle {
public:
    explicit NodeHandle(UniqueFd fd) : m_fd(std::move(fd)) {}

    std::int32_t write(const char* data, std::size_t length, std::size_t& written,
                       int stallTimeoutMs) override {
        written = 0;
        while (written < length) {
            ssize_t n = ::write(m_fd.get(), data + written, length - written);
            if (n > 0) {
                written += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno != EAGAIN) return errorCodeFromErrno(errno);
            pollfd p{m_fd.get(), POLLOUT, 0};
            int r;
            do r = ::poll(&p, 1, stallTimeoutMs);
            while (r < 0 && errno == EINTR);
            if (r < 0) return errorCodeFromErrno(errno);
            if (r == 0) return written > 0 ? 0 : kErrorTimeout;
            if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) return kErrorDeviceNotConnected;
        }
        return 0;
    }

    std::int32_t read(char* buffer, std::size_t capacity, std::size_t& received, int timeoutMs) override {
        received = 0;
        for (;;) {
            ssize_t n = ::read(m_fd.get(), buffer, capacity);
            if (n >= 0) {
                received = static_cast<std::size_t>(n);
                return 0;
            }
            if (errno == EINTR) continue;
            if (errno != EAGAIN) return errorCodeFromErrno(errno);
            pollfd p{m_fd.get(), POLLIN, 0};
            int r;
            do r = ::poll(&p, 1, timeoutMs);
            while (r < 0 && errno == EINTR);
            if (r < 0) return errorCodeFromErrno(errno);
            if (r == 0) return 0;
            if (!(p.revents & POLLIN) && (p.revents & (POLLERR | POLLHUP | POLLNVAL)))
                return kErrorDeviceNotConnected;
            timeoutMs = 0;
        }
    }

    std::int32_t bytesAvailable(std::size_t& count) override {
        count = 0;
        int waiting = 0;
        if (::ioctl(m_fd.get(), FIONREAD, &waiting) == 0) {
            count = waiting > 0 ? static_cast<std::size_t>(waiting) : 0;
            return 0;
        }
        // The printer class driver does not count its input; poll() tells whether there is any.
        pollfd p{m_fd.get(), POLLIN, 0};
        int r = ::poll(&p, 1, 0);
        if (r < 0) return errorCodeFromErrno(errno);
        if (r == 1 && (p.revents & POLLIN))
            count = 1;
        else if (r == 1 && (p.revents & (POLLERR | POLLNVAL)))
            return kErrorDeviceNotConnected;
        return 0;
    }

private:
    UniqueFd m_fd;
};

}  // namespace

std::unique_ptr<DeviceHandle> NodeDeviceFiles::open(const std::string& path, DeviceAccess access,
                                                    std::int32_t& error) {
    error = 0;
    int flags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    flags |= access == DeviceAccess::Read ? O_RDONLY : access == DeviceAccess::Write ? O_WRONLY : O_RDWR;
    UniqueFd fd(::open(path.c_str(), flags));
    if (!fd.valid()) {
        error = errorCodeFromErrno(errno);
        return nullptr;
    }
    return std::make_unique<NodeHandle>(std::move(fd));
}

}  // namespace sartovin

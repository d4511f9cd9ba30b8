#include "platform/SerialPortDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/SystemErrorCodes.h"

namespace sartovin {

namespace {

long long monotonicMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// Milliseconds left of a wait that started at `start`; kWaitForever stays so.
int remainingMs(int timeoutMs, long long start) {
    if (timeoutMs < 0) return -1;
    long long left = timeoutMs - (monotonicMs() - start);
    return left < 0 ? 0 : static_cast<int>(left);
}

enum class PollResult { Ready, TimedOut, HungUp, Failed };

PollResult pollFor(int fd, short events, int timeoutMs, int& err, short* revents = nullptr) {
    long long start = monotonicMs();
    for (;;) {
        pollfd p{fd, events, 0};
        int r = ::poll(&p, 1, remainingMs(timeoutMs, start));
        if (r < 0) {
            if (errno == EINTR) continue;
            err = errno;
            return PollResult::Failed;
        }
        if (r == 0) return PollResult::TimedOut;
        if (revents) *revents = p.revents;
        if (p.revents & POLLHUP) {
            // Data still waiting is delivered before the hang-up is reported.
            int waiting = 0;
            bool hasData = (events & POLLIN) && ::ioctl(fd, FIONREAD, &waiting) == 0 && waiting > 0;
            if (!hasData) return PollResult::HungUp;
        }
        if (p.revents & events) return PollResult::Ready;
        if (p.revents & (POLLERR | POLLNVAL)) {
            err = EIO;
            return PollResult::Failed;
        }
    }
}

}  // namespace

SerialPortDevice::~SerialPortDevice() { close(); }

std::int32_t SerialPortDevice::open(const std::string& path) {
    if (m_fd.valid()) return kErrorAlreadyInitialized;
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) return errorCodeFromErrno(errno);
    termios t{};
    if (::tcgetattr(fd.get(), &t) != 0) return errorCodeFromErrno(errno);
    if (::ioctl(fd.get(), TIOCEXCL) != 0) return errorCodeFromErrno(errno);
    m_fd = std::move(fd);
    m_blockingReads = false;
    m_eventChar = 0;
    return 0;
}

void SerialPortDevice::close() {
    if (!m_fd.valid()) return;
    ::ioctl(m_fd.get(), TIOCNXCL);
    m_fd.reset();
}

std::int32_t SerialPortDevice::setQueueSizes(std::uint32_t, std::uint32_t) {
    return !m_fd.valid() ? kErrorInvalidHandle : 0;
}

std::int32_t SerialPortDevice::applyDefaultConfiguration() {
    if (!m_fd.valid()) return kErrorInvalidHandle;
    termios t{};
    if (::tcgetattr(m_fd.get(), &t) != 0) return errorCodeFromErrno(errno);
    makeRawForDeviceData(t);
    if (::tcsetattr(m_fd.get(), TCSANOW, &t) != 0) return errorCodeFromErrno(errno);
    return 0;
}

std::int32_t SerialPortDevice::getControlBlock(SerialControlBlock& block) const {
    if (!m_fd.valid()) return kErrorInvalidHandle;
    termios t{};
    if (::tcgetattr(m_fd.get(), &t) != 0) return errorCodeFromErrno(errno);
    block = controlBlockFrom(t);
    block.eventChar = m_eventChar;
    return 0;
}

std::int32_t SerialPortDevice::setControlBlock(const SerialControlBlock& block) {
    if (!m_fd.valid()) return kErrorInvalidHandle;
    termios t{};
    if (::tcgetattr(m_fd.get(), &t) != 0) return errorCodeFromErrno(errno);
    if (!applyControlBlock(block, t)) return kErrorInvalidParameter;
    if (::tcsetattr(m_fd.get(), TCSANOW, &t) != 0) return errorCodeFromErrno(errno);
    m_eventChar = block.eventChar;
    return 0;
}

std::int32_t SerialPortDevice::write(const char* data, std::size_t length, std::size_t& written,
                                     int timeoutMs) {
    written = 0;
    if (!m_fd.valid()) return kErrorInvalidHandle;
    long long start = monotonicMs();
    while (written < length) {
        ssize_t n = ::write(m_fd.get(), data + written, length - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) return errorCodeFromErrno(errno);
        int err = 0;
        switch (pollFor(m_fd.get(), POLLOUT, remainingMs(timeoutMs, start), err)) {
            case PollResult::Ready:
                break;
            case PollResult::TimedOut:
                return kErrorTimeout;
            case PollResult::HungUp:
                return kErrorDeviceNotConnected;
            case PollResult::Failed:
                return errorCodeFromErrno(err);
        }
    }
    return 0;
}

std::int32_t SerialPortDevice::read(char* buffer, std::size_t length, std::size_t& received, int timeoutMs) {
    received = 0;
    if (!m_fd.valid()) return kErrorInvalidHandle;
    long long start = monotonicMs();
    while (received < length) {
        ssize_t n = ::read(m_fd.get(), buffer + received, length - received);
        if (n > 0) {
            received += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        // A terminal whose other end is gone reads as end of file or EIO.
        if (n == 0 || (n < 0 && errno == EIO)) {
            pollfd p{m_fd.get(), POLLIN, 0};
            if (n < 0 || (::poll(&p, 1, 0) == 1 && (p.revents & POLLHUP))) return kErrorDeviceNotConnected;
        } else if (n < 0 && errno != EAGAIN) {
            return errorCodeFromErrno(errno);
        }
        if (!m_blockingReads) return 0;
        int err = 0;
        switch (pollFor(m_fd.get(), POLLIN, remainingMs(timeoutMs, start), err)) {
            case PollResult::Ready:
                break;
            case PollResult::TimedOut:
                return kErrorTimeout;
            case PollResult::HungUp:
                return kErrorDeviceNotConnected;
            case PollResult::Failed:
                return errorCodeFromErrno(err);
        }
    }
    return 0;
}

std::int32_t SerialPortDevice::waitForInput(int timeoutMs, bool& inputArrived, bool& lineError) {
    inputArrived = lineError = false;
    if (!m_fd.valid()) return kErrorInvalidHandle;
    int err = 0;
    short revents = 0;
    switch (pollFor(m_fd.get(), POLLIN | POLLPRI, timeoutMs, err, &revents)) {
        case PollResult::Ready:
            inputArrived = (revents & POLLIN) != 0;
            lineError = (revents & POLLPRI) != 0;
            return 0;
        case PollResult::TimedOut:
            return kErrorTimeout;
        case PollResult::HungUp:
            return kErrorDeviceNotConnected;
        case PollResult::Failed:
            return errorCodeFromErrno(err);
    }
    return 0;
}

void SerialPortDevice::cancelPending() {
    if (m_fd.valid()) ::tcflush(m_fd.get(), TCIOFLUSH);
}

}  // namespace sartovin

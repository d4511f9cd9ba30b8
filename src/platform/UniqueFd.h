#pragma once
// Ownership of one open file descriptor: closed when its owner goes, handed on by moving, never
// copied, so no path out of a function (an early return included) leaks it.

#include <unistd.h>

namespace sartovin {

class UniqueFd {
public:
    UniqueFd() = default;
    /// Takes `fd` (a negative value owns nothing).
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }

    /// Gives the descriptor up without closing it; the caller owns it then.
    int release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    /// Closes the descriptor held (if any) and takes `fd`.
    void reset(int fd = -1) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = fd;
    }
    /// Closes now and says whether the close succeeded: a file system may report a failed write
    /// only here. True when nothing was open.
    bool close() {
        const int fd = release();
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd = -1;
};

}  // namespace sartovin

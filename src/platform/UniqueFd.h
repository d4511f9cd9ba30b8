#pragma once
// Ownership of the system's handles: an open file descriptor, and an open directory stream. Each
// is closed when its owner goes, on every way out of a function; a move hands it on.

#include <dirent.h>
#include <unistd.h>

#include <memory>

namespace sartovin {

class UniqueFd {
public:
    UniqueFd() = default;
    /// Takes over `fd` (-1: none).
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

    /// Gives the descriptor up without closing it.
    int release() {
        int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    /// Closes the descriptor held (if any) and takes `fd`.
    void reset(int fd = -1) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = fd;
    }
    /// Closes now and says whether the close succeeded (a written file's last error shows here).
    bool close() {
        int fd = release();
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd = -1;
};

struct DirectoryCloser {
    void operator()(DIR* dir) const {
        if (dir) ::closedir(dir);
    }
};
/// An open directory stream, closed when it goes.
using UniqueDir = std::unique_ptr<DIR, DirectoryCloser>;

}  // namespace sartovin

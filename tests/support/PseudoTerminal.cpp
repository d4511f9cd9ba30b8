#include "support/PseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace sartovin::test {

PseudoTerminal::PseudoTerminal() {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        throw std::runtime_error("no pseudo-terminal");
    const char* name = ::ptsname(m_master);
    if (!name) throw std::runtime_error("no pseudo-terminal name");
    m_slavePath = name;
    // The device side must see the bytes as they are: raw mode on the master too.
    termios t{};
    if (::tcgetattr(m_master, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(m_master, TCSANOW, &t);
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal() { hangUp(); }

std::string PseudoTerminal::readFromProgram(std::size_t count, int timeoutMs) {
    std::string out;
    char buf[4096];
    int waited = 0;
    while (out.size() < count && m_master >= 0) {
        ssize_t n = ::read(m_master, buf, sizeof buf < count - out.size() ? sizeof buf : count - out.size());
        if (n > 0) {
            out.append(buf, static_cast<std::size_t>(n));
            continue;
        }
        if (waited >= timeoutMs) break;
        pollfd p{m_master, POLLIN, 0};
        ::poll(&p, 1, 20);
        waited += 20;
    }
    return out;
}

void PseudoTerminal::sendToProgram(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(m_master, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (n < 0 && errno != EAGAIN && errno != EINTR)
            throw std::runtime_error("pty write");
        else {
            pollfd p{m_master, POLLOUT, 0};
            ::poll(&p, 1, 20);
        }
    }
}

void PseudoTerminal::hangUp() {
    if (m_master >= 0) ::close(m_master);
    m_master = -1;
}

}  // namespace sartovin::test

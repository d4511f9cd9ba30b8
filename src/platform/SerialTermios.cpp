#include "platform/SerialTermios.h"

#include <array>
#include <utility>

namespace sartovin {

namespace {

constexpr std::array<std::pair<std::uint32_t, speed_t>, 31> kSpeeds{{
    {50, B50},
    {75, B75},
    {110, B110},
    {134, B134},
    {150, B150},
    {200, B200},
    {300, B300},
    {600, B600},
    {1200, B1200},
    {1800, B1800},
    {2400, B2400},
    {4800, B4800},
    {9600, B9600},
    {19200, B19200},
    {38400, B38400},
    {57600, B57600},
    {115200, B115200},
    {230400, B230400},
    {460800, B460800},
    {500000, B500000},
    {576000, B576000},
    {921600, B921600},
    {1000000, B1000000},
    {1152000, B1152000},
    {1500000, B1500000},
    {2000000, B2000000},
    {2500000, B2500000},
    {3000000, B3000000},
    {3500000, B3500000},
    {4000000, B4000000},
    {0, B0},
}};

}  // namespace

speed_t speedConstantFor(std::uint32_t baudRate) {
    if (baudRate == 0) return B0;
    for (const auto& [rate, constant] : kSpeeds)
        if (rate == baudRate) return constant;
    return B0;
}

std::uint32_t baudRateOf(speed_t speed) {
    for (const auto& [rate, constant] : kSpeeds)
        if (constant == speed) return rate;
    return 0;
}

bool applyControlBlock(const SerialControlBlock& b, termios& t) {
    speed_t speed = speedConstantFor(b.baudRate);
    if (speed == B0) return false;
    if (b.byteSize < 5 || b.byteSize > 8 || b.parity > 4 || b.stopBits > 2) return false;
    if (b.stopBits == 1 && b.byteSize != 5) return false;

    termios n = t;
    cfsetispeed(&n, speed);
    cfsetospeed(&n, speed);

    n.c_cflag &= ~CSIZE;
    switch (b.byteSize) {
        case 5:
            n.c_cflag |= CS5;
            break;
        case 6:
            n.c_cflag |= CS6;
            break;
        case 7:
            n.c_cflag |= CS7;
            break;
        default:
            n.c_cflag |= CS8;
            break;
    }

    n.c_cflag &= ~(PARENB | PARODD | CMSPAR);
    switch (b.parity) {
        case 1:
            n.c_cflag |= PARENB | PARODD;
            break;
        case 2:
            n.c_cflag |= PARENB;
            break;
        case 3:
            n.c_cflag |= PARENB | CMSPAR | PARODD;
            break;  // mark: the parity bit is always 1
        case 4:
            n.c_cflag |= PARENB | CMSPAR;
            break;  // space: always 0
        default:
            break;
    }
    if (b.parityCheck)
        n.c_iflag |= INPCK;
    else
        n.c_iflag &= ~INPCK;

    if (b.stopBits == 0)
        n.c_cflag &= ~CSTOPB;
    else
        n.c_cflag |= CSTOPB;

    bool hardware = b.outxCtsFlow || b.rtsControl == kLineControlHandshake;
    if (hardware)
        n.c_cflag |= CRTSCTS;
    else
        n.c_cflag &= ~CRTSCTS;
    if (b.outX)
        n.c_iflag |= IXON;
    else
        n.c_iflag &= ~IXON;
    if (b.inX)
        n.c_iflag |= IXOFF;
    else
        n.c_iflag &= ~IXOFF;

    t = n;
    return true;
}

SerialControlBlock controlBlockFrom(const termios& t) {
    SerialControlBlock b;
    b.baudRate = baudRateOf(cfgetospeed(&t));
    switch (t.c_cflag & CSIZE) {
        case CS5:
            b.byteSize = 5;
            break;
        case CS6:
            b.byteSize = 6;
            break;
        case CS7:
            b.byteSize = 7;
            break;
        default:
            b.byteSize = 8;
            break;
    }
    if (!(t.c_cflag & PARENB))
        b.parity = 0;
    else if (t.c_cflag & CMSPAR)
        b.parity = (t.c_cflag & PARODD) ? 3 : 4;
    else
        b.parity = (t.c_cflag & PARODD) ? 1 : 2;
    b.parityCheck = (t.c_iflag & INPCK) != 0;
    if (!(t.c_cflag & CSTOPB))
        b.stopBits = 0;
    else
        b.stopBits = b.byteSize == 5 ? 1 : 2;
    bool hardware = (t.c_cflag & CRTSCTS) != 0;
    b.outxCtsFlow = b.outxDsrFlow = hardware;
    b.dtrControl = b.rtsControl = hardware ? kLineControlHandshake : kLineControlDisable;
    b.outX = (t.c_iflag & IXON) != 0;
    b.inX = (t.c_iflag & IXOFF) != 0;
    return b;
}

void makeRawForDeviceData(termios& t) {
    t.c_iflag &=
        ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | IUCLC | IMAXBEL);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ECHOE | ECHOK | ICANON | ISIG | IEXTEN);
    t.c_cflag |= CREAD | CLOCAL;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
}

}  // namespace sartovin

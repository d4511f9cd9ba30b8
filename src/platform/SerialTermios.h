#pragma once
// The serial line settings in the shape the serial class works with (a device-control block:
// rate, byte size, parity and stop-bit codes, flow-control fields) and their translation to and
// from termios. The translation is pure, so every line setting can be checked without a port:
// a pseudo-terminal accepts only 8N1 without flow control.

#include <termios.h>

#include <cstdint>

namespace sartovin {

/// DTR and RTS control modes of the control block.
enum : std::uint8_t { kLineControlDisable = 0, kLineControlEnable = 1, kLineControlHandshake = 2 };

/// The fields of a device-control block that the serial class reads and writes.
struct SerialControlBlock {
    std::uint32_t baudRate = 9600;  ///< bits per second
    std::uint8_t byteSize = 8;      ///< data bits, 5 to 8 on this platform
    std::uint8_t parity = 0;        ///< 0 none, 1 odd, 2 even, 3 mark, 4 space
    std::uint8_t stopBits = 0;      ///< 0 one, 1 one and a half, 2 two
    bool parityCheck = false;       ///< input parity checking
    bool outxCtsFlow = false;
    bool outxDsrFlow = false;
    std::uint8_t dtrControl = kLineControlEnable;
    std::uint8_t rtsControl = kLineControlEnable;
    bool outX = false;   ///< XON/XOFF on output
    bool inX = false;    ///< XON/XOFF on input
    char eventChar = 0;  ///< not carried by termios; kept by the port object
};

/// Writes the block's line settings into `t`, keeping every other field of `t`. Hardware flow
/// (CTS output flow, or RTS in handshake mode) becomes CRTSCTS; DSR flow and DTR handshake have
/// no termios counterpart and travel with it. Software flow becomes IXON (output) and IXOFF
/// (input). Parity checking becomes INPCK, the parity code PARENB/PARODD/CMSPAR; one and a half
/// stop bits are CSTOPB with 5 data bits, as the hardware defines them.
/// Returns false (and leaves `t` unchanged) for a rate termios has no constant for, a byte size
/// outside 5..8, a parity code above 4, a stop-bit code above 2, or 1.5 stop bits with more than
/// 5 data bits.
bool applyControlBlock(const SerialControlBlock& block, termios& t);

/// Reads the line settings back from `t` (the event character stays 0).
SerialControlBlock controlBlockFrom(const termios& t);

/// Puts `t` into raw mode for device data: no line editing, no signals, no echo, no CR/LF or
/// 8th-bit translation on input or output, no software flow, receiver on, modem lines ignored;
/// reads return at once (VMIN 0, VTIME 0). Rate, byte size, parity, stop bits and hardware flow
/// stay as they were.
void makeRawForDeviceData(termios& t);

/// The termios speed constant for a rate, or B0 when there is none.
speed_t speedConstantFor(std::uint32_t baudRate);
/// The rate of a termios speed constant, 0 when unknown.
std::uint32_t baudRateOf(speed_t speed);

}  // namespace sartovin

#include "device/GccUsbQuery.h"

namespace sartovin {

namespace {

constexpr int kCycles = 20;
constexpr unsigned kReadCapacity = 99;

void pumpPausePump(Interaction& ui, int ms) {
    ui.pump();
    ui.pause(ms);
    ui.pump();
}

}  // namespace

bool replyComplete(const std::string& reply) {
    // Settings and identification replies end with ";", the hard-clip limits with a carriage
    // return.
    return reply.find_first_of(";\r\n") != std::string::npos;
}

int gccUsbPortIndex(const std::string& portName) {
    for (int n = 0; n <= 3; ++n)
        if (portName.find("GCCUSB" + std::to_string(n)) != std::string::npos) return n;
    return -1;
}

bool gccUsbQuery(GccUsbPortApi& ports, GccUsbHandle handle, const std::string& command, Interaction& ui,
                 std::string& reply) {
    reply.clear();
    char buffer[kReadCapacity + 1];

    // 1. Drain what an earlier exchange left behind.
    bool drained = false;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        pumpPausePump(ui, 100);
        unsigned waiting = 0;
        if (ports.bytesAvailable(handle, waiting) < 0) return false;
        if (waiting == 0) {
            drained = true;
            break;
        }
        unsigned count = kReadCapacity;  // the count may be an estimate
        if (ports.read(handle, buffer, kReadCapacity, count) < 0) return false;
    }
    if (!drained) return false;

    // 2. The command, in one write.
    if (ports.write(handle, command.data(), static_cast<unsigned>(command.size())) < 0) return false;

    // 3. Wait for the first bytes of the reply.
    unsigned waiting = 0;
    for (int cycle = 0; cycle < kCycles && waiting == 0; ++cycle) {
        pumpPausePump(ui, 100);
        if (ports.bytesAvailable(handle, waiting) < 0) return false;
    }
    if (waiting == 0) return false;

    // 4. Collect until the reply's terminator has come. A reply may arrive in several transfers
    // with quiet looks between them, so a look that finds nothing ends the collection only once
    // the terminator is there, or after 20 quiet looks in a row; at most 20 reads.
    int reads = 0;
    int quiet = 0;
    while (reads < kCycles && quiet < kCycles) {
        if (waiting > 0) {
            // The count may be an estimate (a printer-class device cannot count its input):
            // read up to the buffer's capacity, the port returns what is there.
            unsigned count = kReadCapacity;
            if (ports.read(handle, buffer, kReadCapacity, count) < 0) return false;
            if (count > kReadCapacity) count = kReadCapacity;
            ++reads;
            buffer[count] = '\0';
            reply.append(buffer);  // the reply is text: it ends at a zero byte
            quiet = 0;
        } else if (replyComplete(reply)) {
            break;
        } else {
            ++quiet;
        }
        pumpPausePump(ui, 100);
        if (ports.bytesAvailable(handle, waiting) < 0) return false;
    }
    return !reply.empty();
}

}  // namespace sartovin

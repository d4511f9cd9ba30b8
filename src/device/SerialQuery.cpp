#include "device/SerialQuery.h"

#include "device/SerialWrite.h"

namespace sartovin {

bool serialQuery(CSerial& serial, const std::string& command, Interaction& ui, std::string& reply) {
    reply.clear();
    ui.pump();
    ui.pause(300);
    ui.pump();
    // The command goes out as text up to its terminating zero, and a line that takes nothing
    // ends the query instead of holding the program.
    const std::string text(command.c_str());
    std::uint32_t written = 0;
    if (serialWriteAll(serial, text, ui, {}, written) != 0) return false;
    if (written != command.size()) return false;
    for (int cycle = 0; cycle < 20; ++cycle) {
        ui.pump();
        ui.pause(100);
        ui.pump();
        char buffer[99];
        std::uint32_t got = 0;
        if (serial.Read(buffer, sizeof buffer, &got) != 0) break;  // the line is gone
        if (got == 0) {
            if (!reply.empty()) break;
            continue;
        }
        reply.append(buffer, got);
    }
    return !reply.empty();
}

}  // namespace sartovin

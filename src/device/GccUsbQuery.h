#pragma once
// Queries over a GCC USB port and the port-name rule that picks the port.

#include <string>

#include "platform/GccUsbPortApi.h"
#include "platform/Interaction.h"

namespace sartovin {

/// The first n in 0..3 for which "GCCUSB" followed by the digit n occurs in `portName`
/// ("GCCUSB3:" gives 3); -1 when there is none.
int gccUsbPortIndex(const std::string& portName);

/// True when `reply` holds its terminator (";", carriage return or line feed).
bool replyComplete(const std::string& reply);

/// Sends `command` on an open port and collects the reply, each step 100 ms apart:
/// drains what is waiting (at most 20 cycles; a device still sending after them fails the query
/// before the command goes out), writes the command, waits up to 20 cycles for the first reply
/// bytes, then collects until the reply's terminator has come (at most 20 reads, and at most 20
/// quiet looks in a row for the rest of a reply). Every read asks for the buffer's capacity, as
/// the bytes-available count may be an estimate. True when the reply is non-empty; any failing
/// port call fails the query.
bool gccUsbQuery(GccUsbPortApi& ports, GccUsbHandle handle, const std::string& command, Interaction& ui,
                 std::string& reply);

}  // namespace sartovin

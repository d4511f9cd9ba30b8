#pragma once
// One question to a serial cutter and its answer.

#include <string>

#include "device/CSerial.h"
#include "platform/Interaction.h"

namespace sartovin {

/// 300 ms, then the command as text (unlimited time-out; every byte must go out), then up to 20
/// cycles of 100 ms and a non-blocking read of up to 99 bytes appended to the reply. An empty
/// read ends the collection once the reply has begun; 20 cycles end it in any case, so neither a
/// silent nor a flooding device holds the program. True when the reply is non-empty.
/// `serial` must be open (Open leaves it reading without blocking).
bool serialQuery(CSerial& serial, const std::string& command, Interaction& ui, std::string& reply);

}  // namespace sartovin

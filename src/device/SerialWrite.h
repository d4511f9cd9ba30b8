#pragma once
// Writing a block to a serial cutter without ever waiting for good: the line may hold the data
// back (the cutter keeps CTS low or its buffer is full), so the block goes out in what the line
// takes, with the user interface breathing between the attempts.

#include <cstdint>
#include <functional>
#include <string>

#include "device/CSerial.h"
#include "platform/Interaction.h"

namespace sartovin {

/// How long a serial write may move no byte before it fails, ms.
inline constexpr int kSerialStallMs = 30000;
/// The wait between two attempts while the line takes nothing, ms.
inline constexpr int kSerialRetryMs = 100;

/// Result of serialWriteAll besides the port's own error codes.
inline constexpr std::int32_t kSerialWriteCancelled = 1223;  ///< the user stopped the write

/// Writes all of `bytes` to the open port. Between attempts that move nothing it processes the
/// user interface's messages and pauses kSerialRetryMs; `cancelled` (may be empty) and the
/// interface's stop request (allowed for the time of the write) are asked each time. 0 when everything was written; 1460 when no byte moved for kSerialStallMs;
/// kSerialWriteCancelled when `cancelled` said so; the port's error otherwise. On a stall or a
/// cancel the bytes still queued are discarded, so the port can be closed and used again at once.
/// `written` receives the bytes the line took.
std::int32_t serialWriteAll(CSerial& serial, const std::string& bytes, Interaction& ui,
                            const std::function<bool()>& cancelled, std::uint32_t& written);

}  // namespace sartovin

#pragma once
// Writing a byte block to a printer as one raw document.

#include <string>

#include "base/Texts.h"
#include "platform/Interaction.h"
#include "platform/PrinterHandle.h"

namespace sartovin {

/// The document name every job carries in the spooler.
inline constexpr const char* kSpoolerDocumentName = "Sartovin Job";

/// Starts the document "Sartovin Job" on `printer` and writes `block`. When the spooler takes
/// only part of it, the rest follows from the first byte not taken, after 1000 ms; after 30 such
/// waits without completing the write gives up (false, no message: the caller reports it).
/// A document that cannot be started, or a write the spooler refuses, shows text 365 (error
/// icon, caption "Sartovin") and gives false. The caller ends the document afterwards.
bool spoolerWrite(PrinterHandle& printer, const std::string& block, const Texts& texts, Interaction& ui);

}  // namespace sartovin

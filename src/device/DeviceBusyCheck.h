#pragma once
// The maker's display tool VLCD holds the cutter's port while it runs; nothing is sent then.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Texts.h"
#include "platform/Interaction.h"
#include "platform/ProcessList.h"
#include "platform/WindowList.h"

namespace sartovin {

/// The title of the first top-level window (topmost first) whose title begins with "VLCD"
/// (titles compared over at most 2000 characters). Where no display can be asked (`windows`
/// null or not available) a running process whose name begins with "VLCD" stands for the
/// window, with its name as title; `listProcesses` (may be empty) gives them, typically
/// `ProcessList::processes` of the system's list. nullopt when the tool is not running.
using ProcessLister = std::function<std::vector<ProcessInfo>()>;
std::optional<std::string> findDisplayTool(WindowList* windows, const ProcessLister& listProcesses);

/// True (and text 316 shown, exclamation icon, caption "Sartovin") when the display tool runs.
/// Bringing its window to the top is left to the user interface, which owns the display.
bool deviceBusy(WindowList* windows, const ProcessLister& listProcesses, const Texts& texts, Interaction& ui);

/// The display tool that serves a connection: "VLCD.exe" for GCC USB and serial ports,
/// "VLCD2.exe" for USB printer devices; for a printer by its port name ("GCCUSB" → "VLCD.exe",
/// "USB0" → "VLCD2.exe"); "" when no tool serves it. The tool is looked for in the program folder.
std::string displayToolFor(int portType, const std::string& printerPortName);

}  // namespace sartovin

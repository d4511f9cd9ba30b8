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

/// The first top-level window (topmost first) whose title begins with "VLCD" (titles compared
/// over at most 2000 characters). Where no display can be asked (`windows` null or not available)
/// a running process whose name begins with "VLCD" stands for the window, with its name as title,
/// its pid, and no window id; `listProcesses` (may be empty) gives them, typically
/// `ProcessList::processes` of the system's list. nullopt when the tool is not running.
using ProcessLister = std::function<std::vector<ProcessInfo>()>;
std::optional<WindowInfo> findDisplayToolWindow(WindowList* windows, const ProcessLister& listProcesses);

/// The title of findDisplayToolWindow's answer.
std::optional<std::string> findDisplayTool(WindowList* windows, const ProcessLister& listProcesses);

/// Asks the window manager to raise and activate the tool's window. False when there is no
/// display to ask or `tool` stands for a process only.
bool bringDisplayToolToFront(WindowList* windows, const WindowInfo& tool);

/// True when the display tool runs: text 316 is shown (exclamation icon, caption "Sartovin") and
/// the tool's window is brought to the front.
bool deviceBusy(WindowList* windows, const ProcessLister& listProcesses, const Texts& texts, Interaction& ui);

/// The display tool that serves a connection: "VLCD.exe" for GCC USB and serial ports,
/// "VLCD2.exe" for USB printer devices; for a printer by its port name ("GCCUSB" → "VLCD.exe",
/// "USB0" → "VLCD2.exe"); "" when no tool serves it. The tool is looked for in the program folder.
std::string displayToolFor(int portType, const std::string& printerPortName);

}  // namespace sartovin

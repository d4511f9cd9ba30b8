#pragma once
// The hand-over from CorelDRAW and Illustrator: make sure the drawing comes from exactly the host
// that started us, have CorelDRAW write the job file through its export macro, and read the job
// file. (Inkscape's hand-over is part of the SVG import, InkscapeHandOver.)

#include <functional>
#include <string>

#include "base/Settings.h"
#include "base/Texts.h"
#include "job/Job.h"
#include "platform/Interaction.h"
#include "platform/ProcessList.h"
#include "platform/WindowList.h"

namespace sartovin {

/// The CorelDRAW version a window title names, as the macro starters are named.
enum class CorelVersion { None, X3, X4, X5 };

/// "CorelDRAW X5" in the title gives X5, else "CorelDRAW X4" X4, else "CorelDRAW X3" X3.
CorelVersion corelVersionOfTitle(const std::string& title);

/// The export macro of the CorelDRAW whose program is `programPath`: the text before
/// "Programs\CorelDRW.exe" (letter case ignored) joined with "Draw\GMS\Sartovin.GMS". A Windows
/// path of a program run by Wine ("C:\...") is turned into the file under
/// `winePrefix`/dosdevices; a path with "/" separators keeps them.
std::string corelMacroPath(const std::string& programPath, const std::string& winePrefix);

class HostHandOver {
public:
    HostHandOver(WindowList& windows, ProcessList& processes, Interaction& ui, const Texts& texts,
                 Settings settings)
        : m_windows(windows),
          m_processes(processes),
          m_ui(ui),
          m_texts(texts),
          m_settings(std::move(settings)) {}

    /// CorelDRAW: deletes an old job file at `jobPath`, finds the one CorelDRAW window (301 when
    /// none, 302 when two different ones), checks its export macro (381 with an empty caption when
    /// the file is missing), shows progress step 1, runs the macro starter and reads the Corel-
    /// variant job file it leaves (readCorelJob; a missing file fails silently).
    bool corelHandOver(const std::string& jobPath, Job& job, JobState& state);

    /// Illustrator: an Illustrator window or process must be there and "AIVersion" set (329
    /// otherwise); then the Illustrator-variant job file the plug-in wrote is read.
    bool illustratorHandOver(const std::string& jobPath, Job& job, JobState& state);

    /// The program that stands in for the maker's macro starter libraries, started with the
    /// CorelDRAW version ("X3", "X4", "X5") and the macro entry "Datentransfer" and waited for (up
    /// to 120 s). Empty: none is configured; the hand-over then says so (text 393, naming the
    /// settings file where "CorelMacroStarter" goes) and fails.
    std::string m_corelMacroStarter;
    /// The Wine prefix whose dosdevices map drive letters of Windows program paths.
    std::string m_winePrefix;
    /// Shows a progress step of the start-up (step 1 before the job file is read).
    std::function<void(int step)> m_progressStep;

private:
    WindowList& m_windows;
    ProcessList& m_processes;
    Interaction& m_ui;
    const Texts& m_texts;
    Settings m_settings;
};

}  // namespace sartovin

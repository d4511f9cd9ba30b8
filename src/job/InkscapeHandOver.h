#pragma once
// The hand-over from Inkscape: find the open Inkscape and the drawing the user saved, let a hidden
// Inkscape convert a copy of it, and read that copy into the job model.

#include <functional>
#include <string>

#include "base/Settings.h"
#include "base/Texts.h"
#include "job/Job.h"
#include "job/JobImportContext.h"
#include "platform/Interaction.h"
#include "platform/ProcessList.h"
#include "platform/WindowList.h"

namespace sartovin {

/// Text ids of the hand-over.

/// Name of the temporary copy in the temporary folder.
inline constexpr const char* kSvgCopyName = "qxjob.svg";

/// What the hint dialog answered.
struct InkscapeHintAnswer {
    bool proceed = false;    ///< OK: go on; anything else ends the import
    bool hideAgain = false;  ///< "do not show again" was ticked
};

/// Shows the hint (text 344) modally. The GUI shows its own dialog with the check box.
using InkscapeHintDialog = std::function<InkscapeHintAnswer(const std::string& text)>;

/// Shows or replaces the start-up progress text.
using ProgressDisplay = std::function<void(const std::string& text)>;

class InkscapeHandOver {
public:
    InkscapeHandOver(WindowList& windows, ProcessList& processes, Interaction& ui, const Texts& texts,
                     Settings settings)
        : m_windows(windows),
          m_processes(processes),
          m_ui(ui),
          m_texts(texts),
          m_settings(std::move(settings)) {}

    /// The whole hand-over into `job` (empty) and `state`: checks that one Inkscape runs (341),
    /// finds its program, takes the drawing (the command-line file when there is one, else the SVG
    /// saved last; 343 when neither names an ".svg" file), copies it to tempFolder/qxjob.svg, shows
    /// the hint unless the preferences are in order and the user hid it, shows text 345, converts
    /// the copy with Inkscape, reads it and deletes it. Every failure has told the user before
    /// false is returned.
    bool importSvg(Job& job, JobState& state);

    /// The Inkscape program to use: the executable of the process owning the last Inkscape window
    /// counted (at most two windows with different titles containing " - Inkscape" are counted,
    /// topmost first), else "inkscape" on $PATH. Without a display, or when it shows no Inkscape
    /// window (Inkscape on Wayland), a running process named "inkscape" counts, and its executable
    /// is the program. "" when Inkscape is not running or no program is found.
    std::string findRunningInkscape();

    std::string m_tempFolder;      ///< where the copy goes (no final "/")
    std::string m_inputFileName;   ///< the drawing named on the command line, if any
    std::string m_userDataFolder;  ///< the user's data folder, ending in "/" (Inkscape 0.92's preferences)
    std::function<std::string()> m_lastSavedSvg;  ///< the recent-files lookup
    InkscapeHintDialog m_hintDialog;              ///< default: an OK/Cancel message box
    ProgressDisplay m_progress;                   ///< default: nothing shown
    int m_waitPasses = 500;                       ///< passes of 100 ms the conversion may take

private:
    bool fail(TextId textId);

    WindowList& m_windows;
    ProcessList& m_processes;
    Interaction& m_ui;
    const Texts& m_texts;
    Settings m_settings;
};

/// Reads an SVG file for the command line: with `runInkscape` a copy is converted by the Inkscape
/// found on $PATH first (341 when there is none, 343 when `path` is not an ".svg" file), without it
/// the file must already be in the reader's form. Messages go through ctx.ui. An empty
/// `tempFolder` stands for the temporary folder of SystemFolders.
bool importSvgFile(const std::string& path, bool runInkscape, Job& job, JobState& state,
                   JobImportContext& ctx, ProcessList& processes, const std::string& tempFolder);

/// importSvgFile with this machine's processes and the temporary folder of SystemFolders.
bool importSvgFile(const std::string& path, bool runInkscape, Job& job, JobState& state,
                   JobImportContext& ctx);

/// True when `path` ends in ".svg", letter case ignored: a drawing to hand to the SVG import.
bool hasSvgName(const std::string& path);

}  // namespace sartovin

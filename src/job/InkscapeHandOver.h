#pragma once
// The hand-over from Inkscape: find the open Inkscape and the drawing the user saved, let a hidden
// Inkscape convert a copy of it, and read that copy into the job model.

#include <functional>
#include <set>
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

/// Which converter turns an SVG drawing into paths.
enum class SvgConverterChoice {
    Automatic = 0,  ///< ours, unless the drawing holds text and Inkscape can be run
    Own = 1,        ///< always ours: text is left out after a question
    Inkscape = 2,   ///< always Inkscape
};

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
    /// saved last; 343 when neither names an ".svg" file), copies it to qxjob.svg in a private folder
    /// made below m_tempFolder for this run (removed afterwards) and
    /// converts the copy: with our converter as m_converter allows, else (text, or Inkscape
    /// chosen) with Inkscape after the hint (shown unless the preferences are in order and the
    /// user hid it) and text 345. The copy is read and deleted. Every failure has told the user
    /// before false is returned.
    bool importSvg(Job& job, JobState& state);

    /// The Inkscape program to use: the executable of the process owning the last Inkscape window
    /// counted (at most two windows with different titles containing " - Inkscape" are counted,
    /// topmost first), else "inkscape" on $PATH. Without a display, or when it shows no Inkscape
    /// window (Inkscape on Wayland), a running process named "inkscape" counts, and its executable
    /// is the program. "" when Inkscape is not running or no program is found.
    std::string findRunningInkscape();

    std::string m_tempFolder;      ///< where the run's private folder is made (no final "/")
    std::string m_inputFileName;   ///< the drawing named on the command line, if any
    std::set<std::string> m_selectedIds;  ///< ids of the objects selected in Inkscape (its "--id")
    std::string m_userDataFolder;  ///< the user's data folder, ending in "/" (Inkscape 0.92's preferences)
    std::function<std::string()> m_lastSavedSvg;                     ///< the recent-files lookup
    InkscapeHintDialog m_hintDialog;                                 ///< default: an OK/Cancel message box
    ProgressDisplay m_progress;                                      ///< default: nothing shown
    SvgConverterChoice m_converter = SvgConverterChoice::Automatic;  ///< see svgConverterChoiceOf
    int m_waitPasses = 500;  ///< passes of 100 ms the conversion may take

private:
    bool fail(TextId textId);

    WindowList& m_windows;
    ProcessList& m_processes;
    Interaction& m_ui;
    const Texts& m_texts;
    Settings m_settings;
};

/// The choice a setting value ("SvgConverter") or an option word ("auto", "own", "inkscape")
/// stands for; false for anything else.
bool svgConverterChoiceOf(int settingValue, SvgConverterChoice& choice);
bool svgConverterChoiceOf(const std::string& word, SvgConverterChoice& choice);

/// Converts the SVG drawing `bytes` with our converter and reads it. When the drawing holds text,
/// `textNeedsInkscape` is set and the user is asked (text 490, OK/Cancel, Cancel when nobody can
/// answer) whether to go on without it, unless `askAboutText` is false; then nothing is read and
/// false is returned, so that the caller can hand the drawing to Inkscape instead.
/// A file that is no SVG document gets the reader's message kSvgNotReadable.
bool convertAndReadSvg(const std::string& bytes, bool askAboutText, bool& textNeedsInkscape, Job& job,
                       JobState& state, JobImportContext& ctx);

/// Reads an SVG file for the command line and files named at start-up, with the converter
/// `choice` asks for: ours reads the file itself; Inkscape (the one on $PATH; 341 when there is
/// none, 343 when `path` is not an ".svg" file) converts a copy first. Automatic hands only
/// drawings with text to Inkscape, and only when there is one. Messages go through ctx.ui. An
/// empty `tempFolder` stands for the temporary folder of SystemFolders; Inkscape's files lie in a
/// private folder made below it for the run and removed afterwards.
bool importSvgFile(const std::string& path, SvgConverterChoice choice, Job& job, JobState& state,
                   JobImportContext& ctx, ProcessList& processes, const std::string& tempFolder);

/// importSvgFile with this machine's processes and the temporary folder of SystemFolders.
bool importSvgFile(const std::string& path, SvgConverterChoice choice, Job& job, JobState& state,
                   JobImportContext& ctx);

/// True when `path` ends in ".svg", letter case ignored: a drawing to hand to the SVG import.
bool hasSvgName(const std::string& path);

}  // namespace sartovin

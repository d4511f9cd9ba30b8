#pragma once
// The set-up that `sartovin plot` and `sartovin preview` share: start-up as the program named by
// the start mode, a private copy of the settings file (so nothing a batch run changes reaches the
// user's file), the plotter catalog and plotter, the drawing, the pages, and the options given on
// the command line applied through the pages' own rules.

#include <memory>
#include <optional>
#include <string>

#include "base/CTarnelWinCApp.h"
#include "base/StartMode.h"
#include "base/Texts.h"
#include "cli/Cli.h"
#include "job/InkscapeHandOver.h"
#include "platform/ConsoleInteraction.h"
#include "session/MainWindowModel.h"

namespace sartovin::cli {

struct BatchOptions {
    std::string programPath;
    std::optional<StartMode> startMode;  ///< none: the program name decides the edition, the file its kind
    std::string plotter, medium;
    std::optional<int> speed, force, repeat, columns, rows, right, front;
    std::optional<double> widthPercent, heightPercent;
    bool noInkscape = false;
    std::string svgConverter;  ///< "auto", "own" or "inkscape"; empty: the setting decides
};

/// The SVG converter a run uses: --no-inkscape means ours, --svg-converter names one, else the
/// setting "SvgConverter" of the settings file at `iniPath` decides.
SvgConverterChoice svgConverterFor(bool noInkscape, const std::string& word, const std::string& iniPath);

/// Takes the shared options from `args`. `cuttingValues` adds --speed, --force and --repeat.
/// False (with a message naming `command`) for a value that is not a number or no start mode.
bool takeBatchOptions(Args& args, BatchOptions& options, bool cuttingValues, const char* command);

class BatchRun {
public:
    explicit BatchRun(const char* command) : m_command(command) {}
    ~BatchRun();
    BatchRun(const BatchRun&) = delete;
    BatchRun& operator=(const BatchRun&) = delete;

    /// Runs the whole set-up for `input`. Returns 0 when the pages are open with every option
    /// applied, else the exit status (1 the files, 2 the options) after saying why on stderr.
    int setUp(const BatchOptions& options, const std::string& input);

    ConsoleInteraction ui;
    CTarnelWinCApp app;
    std::unique_ptr<Texts> texts;
    std::unique_ptr<MainWindowModel> model;

private:
    void noteClamped(const char* what, double asked, double got) const;

    const char* m_command;
    std::string m_settingsCopy;
};

}  // namespace sartovin::cli

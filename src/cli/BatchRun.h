#pragma once
// The set-up that `sartovin plot` and `sartovin preview` share: the command set-up on a private
// copy of the settings file (so nothing a batch run changes reaches the user's file), the drawing,
// the pages, and the options given on the command line applied through the pages' own rules.

#include <optional>
#include <string>

#include "cli/CommandSetup.h"
#include "job/InkscapeHandOver.h"

namespace sartovin::cli {

struct BatchOptions {
    CommonOptions common;  ///< none: the program name decides the edition, the file its kind
    std::string medium;
    std::optional<int> speed, force, repeat, columns, rows, right, front;
    std::optional<double> widthPercent, heightPercent;
    std::optional<int> rotation;         ///< --rotate: 0 none, 1 right, 2 left, 3 180
    std::optional<bool> mirror;          ///< --mirror / --no-mirror
    std::optional<double> weedingFrame;  ///< --weeding-frame MM (0: off)
    std::optional<double> overcut;       ///< --overcut MM (0: off)
    bool noInkscape = false;
    bool invert = false;            ///< laser edition: the layout's invert switch
    std::optional<int> resolution;  ///< laser edition: dots per inch instead of the definition file's
    std::string svgConverter;       ///< "auto", "own" or "inkscape"; empty: the setting decides
};

/// The SVG converter a run uses: --no-inkscape means ours, --svg-converter names one, else the
/// setting "SvgConverter" of the settings file at `iniPath` decides.
SvgConverterChoice svgConverterFor(bool noInkscape, const std::string& word, const std::string& iniPath);

/// Takes the shared options from `args` (with --invert). `cuttingValues` adds --speed, --force,
/// --repeat and --resolution.
/// False (with a message naming `command`) for a value that is not a number or no start mode.
bool takeBatchOptions(Args& args, BatchOptions& options, bool cuttingValues, const char* command);

class BatchRun : public CommandSetup {
public:
    explicit BatchRun(const char* command) : CommandSetup(command) {}

    /// Runs the whole set-up for `input`. With `identifyCutter` (a run that goes to the cutter) the
    /// attached USB cutters are identified first, and once the pages are open the connected cutter
    /// is asked what it is, as the main window's set-up does, before the options apply. Returns 0
    /// when the pages are open with every option applied, else the exit status (1 the files, 2 the
    /// options) after saying why on stderr.
    int setUp(const BatchOptions& options, const std::string& input, bool identifyCutter = false);

private:
    void noteClamped(const char* what, double asked, double got) const;
};

}  // namespace sartovin::cli

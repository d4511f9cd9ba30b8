#pragma once
// The `sartovin` command: one function per sub-command, each taking the arguments after its name.

#include <string>
#include <vector>

#include "base/CTarnelWinCApp.h"
#include "base/Texts.h"
#include "catalog/PlotterRecord.h"
#include "device/PlotterPortList.h"
#include "platform/Interaction.h"

namespace sartovin::cli {

using Args = std::vector<std::string>;

/// Runs start-up as the command line does (no language dialog) for `programPath`, or for the
/// command's own path when it is empty.
void startupForCommand(CTarnelWinCApp& app, const std::string& programPath, Interaction& ui);

/// The exit status of a command that ended with `status`: a settings write that failed during
/// the run and was not reported yet is said on stderr (text 450, naming the file), and any failed
/// settings write turns success into 1.
int finishCommand(int status);

/// Takes "--name VALUE" or "--name=VALUE" from `args` (removing it); true when present.
bool takeOption(Args& args, const std::string& name, std::string& value);
/// Takes a flag "--name" from `args`; true when present.
bool takeFlag(Args& args, const std::string& name);
/// Says "sartovin COMMAND: unknown option 'X'" on stderr for every argument left in `args` that
/// looks like an option ("-" alone names standard input); true when there was one.
bool reportUnknownOptions(const Args& args, const char* command);
/// Parses a whole decimal integer; false for anything else.
bool parseInt(const std::string& text, int& value);

/// The port configuration on a terminal: the list is shown and the user picks an item (-1 for
/// none); without a terminal the preselected item is taken, or none.
int choosePort(Interaction& ui, const Texts& texts, const PlotterPortList& list);
/// "serial port /dev/ttyUSB0", "print queue Cutter", ... for messages.
std::string describePort(const PlotterRecord& plotter);

int runStartupCommand(Args args);
int runTextCommand(Args args);
int runPlotCommand(Args args);
int runPortsCommand(Args args);
int runQueryCommand(Args args);
int runTestCutCommand(Args args);
int runInspectCommand(Args args);
/// `sartovin preview`: the laid-out drawing with its copies as a PNG picture.
int runPreviewCommand(Args args);
/// `sartovin marks`: the registration marks layer of an SVG drawing drawn or removed.
int runMarksCommand(Args args);

}  // namespace sartovin::cli

#pragma once
// The `sartovin` command: one function per sub-command, each taking the arguments after its name.

#include <string>
#include <vector>

#include "app/CTarnelWinCApp.h"
#include "platform/Interaction.h"

namespace sartovin::cli {

using Args = std::vector<std::string>;

/// Runs start-up as the command line does (no language dialog) for `programPath`, or for the
/// command's own path when it is empty.
void startupForCommand(CTarnelWinCApp& app, const std::string& programPath, Interaction& ui);

/// Takes "--name VALUE" or "--name=VALUE" from `args` (removing it); true when present.
bool takeOption(Args& args, const std::string& name, std::string& value);
/// Takes a flag "--name" from `args`; true when present.
bool takeFlag(Args& args, const std::string& name);
/// Parses a whole decimal integer; false for anything else.
bool parseInt(const std::string& text, int& value);

int runStartupCommand(Args args);
int runTextCommand(Args args);
int runPlotCommand(Args args);
int runInspectCommand(Args args);

}  // namespace sartovin::cli

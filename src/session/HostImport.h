#pragma once
// The main window's one import at start-up: the job from the host by the start mode (the
// CorelDRAW hand-over, the Inkscape hand-over, or the job file the Illustrator plug-in wrote), or
// the drawing named on the command line. What needs a display comes in through hooks.

#include <functional>
#include <string>

#include "base/CTarnelWinCApp.h"
#include "base/Texts.h"
#include "job/InkscapeHandOver.h"
#include "platform/Interaction.h"
#include "platform/ProcessList.h"
#include "platform/WindowList.h"

namespace sartovin {

class MainWindowModel;

struct HostImportHooks {
    InkscapeHintDialog hintDialog;                     ///< the Inkscape hint (text 344); empty: a message box
    std::function<void(const std::string&)> showText;  ///< the status window shows a start-up text
    std::function<void(int step)> showStep;            ///< the status window's start-up progress
};

/// Reads the job into `model` (its job and job state, before the pages open). False when there is
/// no job; the user has been told why.
bool importFromHost(const CTarnelWinCApp& app, MainWindowModel& model, WindowList& windows,
                    ProcessList& processes, const Texts& texts, Interaction& ui,
                    const HostImportHooks& hooks);

}  // namespace sartovin

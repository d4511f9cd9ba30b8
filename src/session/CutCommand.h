#pragma once
// The main window's plot command around the generation loop: the device-busy check, the status
// window's reset, the port check with the port configuration, the groups with delivery, and the
// end of the run. The window supplies what needs a display through hooks; the order of the steps
// and their pauses are kept here, so a test runs the command without a window.

#include <functional>
#include <string>

#include "plot/PlotContext.h"
#include "plot/PlotRun.h"

namespace sartovin {

class MainWindowModel;

struct CutCommandHooks {
    /// True when the cutter maker's display tool holds the port (the callee has shown text 316).
    std::function<bool()> deviceBusy;
    /// The USB printer identification run before the port configuration (may be empty).
    std::function<void()> identifyUsb;
    /// The port configuration dialog; it stores into the current plotter's record.
    std::function<void()> configurePort;
    /// Delivers one group's stream over the plotter's channel; false ends the run.
    GroupSink deliver;
};

struct CutCommandResult {
    bool started = false;  ///< the groups were run (the device was free and had a port)
    bool busy = false;     ///< stopped by the display tool (text 316)
    bool noPort = false;   ///< stopped with text 307 / 389
    PlotRunResult run;
};

/// Runs the plot command on the model's current plotter and pages. `plotStream` keeps the last
/// group's stream. Without a current plotter or open pages nothing happens.
CutCommandResult runCutCommand(MainWindowModel& model, PlotContext& context, const CutCommandHooks& hooks,
                               std::string& plotStream);

}  // namespace sartovin

#pragma once
// The plot command, as the window's Cut button and `sartovin plot` run it: the device-busy check,
// the status window's reset, the port check with the port configuration, the groups with their
// delivery over the plotter's port, and the end of the run with its pause. A front end supplies
// the status window (plot progress and delivery status) and the device session; everything else
// is the same for both, so a test runs the command without a window.

#include <string>

#include "catalog/PlotterRecord.h"
#include "device/DeliveryStatus.h"
#include "plot/PlotContext.h"
#include "plot/PlotRun.h"

namespace sartovin {

class DeviceSession;
class MainWindowModel;

struct CutCommandResult {
    bool started = false;       ///< the groups were run (the device was free and had a port)
    bool refused = false;       ///< nothing to run (no plotter or no pages)
    bool declined = false;      ///< the job leaves the medium and the user did not want it cut
    bool busy = false;          ///< stopped by the display tool (text 316)
    bool noPort = false;        ///< stopped with text 307 / 389
    std::size_t bytesSent = 0;  ///< bytes of the groups the device (or the sink) took
    PlotRunResult run;
    /// For a run that started: what reached the cutter, in the user's language ("N bytes sent to
    /// <port>", or that nothing was sent there).
    std::string outcome;
};

/// True for the catalog's generic HP-GL cutter: it gets only the commands every HP-GL cutter takes
/// (no set-up stroke, no speed, force, acceleration or offset commands, no maker's escape
/// sequences), so the cutter's own settings apply, and nobody asks it the maker's questions.
bool isGenericHpglCutter(const PlotterRecord& plotter);

/// The plotter's connection as the user knows it: the queue, device or port name, or the USB
/// cutter's model.
std::string portLabel(const PlotterRecord& plotter);

/// Runs the plot command on the model's current plotter and pages and delivers every group over
/// the plotter's port through `devices`. `status` (may be null) is the status window the delivery
/// writes to. `plotStream` keeps the last group's stream. The hobby cutters' mark reading goes
/// through `devices` as well. True when the groups ran and no delivery failed (a run the user
/// ended at a pause counts); `result` says what happened.
bool runCutCommand(MainWindowModel& model, DeviceSession& devices, PlotContext& context,
                   DeliveryStatus* status, std::string& plotStream, CutCommandResult& result);

/// The same command with every group handed to `sink` instead of a device (the command line's
/// --output): no device is asked, nothing is sent, and there is no port check.
bool runCutCommandToSink(MainWindowModel& model, PlotContext& context, const GroupSink& sink,
                         std::string& plotStream, CutCommandResult& result);

}  // namespace sartovin

#pragma once
// The GP-GL writer of the hobby edition's cutters: start values, the initialisation, the walk in
// the cutter's absolute frame of 20 units per mm, and the end. In registration-mark mode it first
// lets the cutter read the printed marks through a direct exchange with the device.

#include <string>

#include "plot/PlotContext.h"
#include "plot/PlotParameters.h"

namespace sartovin {

/// Produces the whole stream of pass `pass` (counted from 1) of group `groupIndex` into `output`,
/// which is emptied first. False when the job has no paths (text 303), the user cancelled, or in
/// marks mode when the user declined text 390, no USB device of the plotter's name is attached or
/// the reading commands could not be sent. The medium correction of the options is not used: the
/// offset sent is the tool's offset alone. Keeps no state between calls.
bool writeGpgl(int groupIndex, std::string& output, const PlotParameters& params, int pass,
               PlotContext& context);

}  // namespace sartovin

#pragma once
// The HP-GL writer of the standard edition's cutters: the maker's escape sequences where the device
// needs them (ESC.C1 internal settings, ESC.D registration-mark reading), the initialisation, the
// walk in relative coordinates of 40 units per mm, and the end move.

#include <string>
#include <vector>

#include "plot/PlotContext.h"
#include "plot/PlotParameters.h"

namespace sartovin {

/// Produces the whole stream of pass `pass` (counted from 1) of group `groupIndex` (−1 the whole
/// job, −2 the weeding-frame group, else a layer or colour-group index) into `output`, which is
/// emptied first. False when the job has no paths (text 303 shown) or the user cancelled (output
/// empty). Keeps no state between calls. Every byte is ASCII; ESC is byte 27.
bool writeHpgl(int groupIndex, std::string& output, const PlotParameters& params, int pass,
               PlotContext& context);

/// True for the models that take the ESC.C1 settings block: the description contains "Sable", or
/// "Expert" without "Pro".
bool takesInternalSettings(const std::string& modelDescription);

/// Index of `toolOffset` in the cutter's offset list by exact numeric comparison of each entry's
/// value, or −1 when no entry matches.
int offsetListIndex(const std::vector<std::string>& offsetList, double toolOffset);

}  // namespace sartovin

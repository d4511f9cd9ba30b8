#pragma once
// The generation loop of the plot run: the job is cut in one group, or with per-group parameters
// in one group per layer (or fill colour) plus the weeding-frame group; every group is generated
// pass by pass and its stream handed to the device as one block.

#include <functional>
#include <string>

#include "plot/PlotContext.h"
#include "plot/PlotParameters.h"

namespace sartovin {

/// Receives one group's bytes and delivers them to the cutter; false ends the run (the device
/// code shows its own message).
using GroupSink = std::function<bool(const std::string& bytes)>;

/// Builds one pass of the laser job (start modes 20 and above); same contract as the writers.
using LaserWriter =
    std::function<bool(int groupIndex, std::string& output, const PlotParameters& params, int pass)>;

struct PlotRunResult {
    int groupsRun = 0;            ///< groups generated (sent or not)
    int groupsSent = 0;           ///< groups handed to the sink
    bool stoppedAtPause = false;  ///< the user chose Cancel at the pause between groups
    bool sinkFailed = false;      ///< delivery failed; later groups were not generated
};

/// Runs the groups of `params` in order. Per group: the pause question (text 364) before every
/// group after the first when pausing is on, the passes (the writer of the edition, each pass
/// appended to `plotStream`), and when all passes succeeded and the stream is not empty the
/// delivery through `sink`: a standard-edition stream with one trailing zero byte, a hobby-edition
/// stream without, a laser job unchanged. A failed or cancelled group sends nothing and the run
/// goes on with the next group. `plotStream` keeps the last group's stream.
PlotRunResult runPlotGroups(const PlotParameters& params, PlotContext& context, const GroupSink& sink,
                            std::string& plotStream, const LaserWriter& laserWriter = {});

}  // namespace sartovin

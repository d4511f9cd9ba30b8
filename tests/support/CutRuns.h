#pragma once
// Reads a cutter stream the way the cutter cuts it: every pen-down run as a list of device points.
// HP-GL: PU/PD with PR (relative) or PA (absolute) moves, IN resets; escape sequences are passed
// over. GP-GL: "M x,y" moves and "D x,y[,x,y…]" cuts in absolute units, records ended by ETX.

#include <string>
#include <vector>

namespace sartovin::test {

struct StreamPoint {
    long x = 0;
    long y = 0;
    bool operator==(const StreamPoint&) const = default;
};

using CutRun = std::vector<StreamPoint>;

/// The pen-down runs of an HP-GL stream (only runs with at least one move).
std::vector<CutRun> hpglCutRuns(const std::string& stream);

/// The pen-down runs of a GP-GL stream.
std::vector<CutRun> gpglCutRuns(const std::string& stream);

}  // namespace sartovin::test

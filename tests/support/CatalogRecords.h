#pragma once
// Plotter, medium and tool records as the catalogs would hold them, for the tests of the code that
// reads them.

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/MediumRecord.h"
#include "catalog/PlotterRecord.h"
#include "catalog/ToolRecord.h"

namespace sartovin::test {

/// A cutter with the limits the tests reason about: media 50..600 × 50..5000 mm, margin 5 mm,
/// smallest job 10 × 10 mm, speed 10..80, force 20..400, all five quality values set.
inline PlotterRecord testPlotter(const std::string& name = "Jaguar V 61") {
    PlotterRecord p;
    p.name = name;
    p.minMediaWidth = 50, p.maxMediaWidth = 600;
    p.minMediaHeight = 50, p.maxMediaHeight = 5000;
    p.minMediaMargin = 5;
    p.minCutWidth = 10, p.minCutHeight = 10;
    p.maxCutWidth = 590, p.maxCutHeight = 4990;
    p.minCutSpeed = 10, p.maxCutSpeed = 80;
    p.minCutForce = 20, p.maxCutForce = 400;
    p.qualitySmallLetter = 0.5, p.qualityFine = 1, p.qualityNormal = 2, p.qualityFair = 3, p.qualityDraft = 4;
    return p;
}

/// A cutter medium (shown name `name`) with its force, speed, tool ("ToolIDName"), repetitions and
/// offset correction ("DeltaOffset", mm).
inline MediumRecord cutterMedium(const std::string& name, int force, int speed, const std::string& tool,
                                 int repetitions, double deltaOffset) {
    MediumRecord m;
    m.name = name;
    m.cutForce = static_cast<std::int16_t>(force);
    m.cutSpeed = static_cast<std::int16_t>(speed);
    m.toolIdName = tool;
    m.repeatCount = static_cast<std::int16_t>(repetitions);
    m.deltaOffset = deltaOffset;
    return m;
}

/// Two blades and a pen: "T1" 0.25 mm, "T2" 0.5 mm, "PEN" without offset.
inline std::vector<ToolRecord> testTools() {
    return {{"T1", "Messer 0,25", "Blade 0.25", 0.25},
            {"T2", "Messer 0,5", "Blade 0.5", 0.5},
            {"PEN", "Stift", "Pen", 0}};
}

}  // namespace sartovin::test

#pragma once
// Parameters and a context for the plot tests (the jobs come from the shared builders).

#include <gtest/gtest.h>

#include <string>

#include "job/Job.h"
#include "plot/PlotContext.h"
#include "plot/PlotParameters.h"
#include "plot/ScriptedPlotProgress.h"
#include "support/JobBuilders.h"
#include "support/ModelEnvironment.h"

namespace sartovin::test {

/// Options of the HP-GL initialisation case: speed 20, force 80, offset 0.25 + 0.05, line and
/// curve accelerations 3 and 1; the job at the origin of the medium.
inline PlotParameters baseParameters(const Job& job, StartMode startMode = 5) {
    PlotParameters p;
    p.startMode = startMode;
    p.job = &job;
    p.jobState.pathTotal = pathCount(job);
    p.speed = 20;
    p.force = 80;
    p.toolOffset = 0.25;
    p.offsetCorrection = 0.05;
    p.lineAcceleration = 3;
    p.curveAcceleration = 1;
    p.jobWidth = 10;
    p.jobHeight = 10;
    p.mediumWidth = 600;
    p.mediumHeight = 1000;
    p.groupCount = static_cast<int>(job.layers.size());
    return p;
}

/// What the writers are given: the texts they show, an interaction that records them, a progress
/// window and the plot context over them.
struct PlotEnvironment : ModelEnvironment {
    ScriptedPlotProgress progress;
    PlotContext context{ui, texts, progress, nullptr};
};

inline std::string esc(const std::string& rest) { return std::string(1, '\x1b') + rest; }
inline const std::string kEtx(1, '\x03');

}  // namespace sartovin::test

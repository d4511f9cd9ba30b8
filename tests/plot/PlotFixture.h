#pragma once
// Jobs, parameters and a context for the plot tests.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/Texts.h"
#include "job/Bezier.h"
#include "job/Job.h"
#include "platform/ScriptedInteraction.h"
#include "plot/PlotContext.h"
#include "plot/PlotParameters.h"
#include "plot/ScriptedPlotProgress.h"
#include "support/TempDir.h"

namespace sartovin::test {

inline PathSegment line(double x0, double y0, double x1, double y1, int handleState = 1) {
    PathSegment s;
    s.startX = s.ctrl1X = x0;
    s.startY = s.ctrl1Y = y0;
    s.endX = s.ctrl2X = x1;
    s.endY = s.ctrl2Y = y1;
    s.kind = kSegmentLine;
    s.length = std::hypot(x1 - x0, y1 - y0);
    s.handleState = handleState;
    return s;
}

inline PathSegment curve(double x0, double y0, double c1x, double c1y, double c2x, double c2y, double x1,
                         double y1) {
    PathSegment s;
    s.startX = x0;
    s.startY = y0;
    s.ctrl1X = c1x;
    s.ctrl1Y = c1y;
    s.ctrl2X = c2x;
    s.ctrl2Y = c2y;
    s.endX = x1;
    s.endY = y1;
    s.kind = kSegmentCurve;
    s.length = segmentLength(s);
    s.handleState = 1;
    return s;
}

/// A path through `points` (mm) made of straight segments.
inline JobPath polyline(std::initializer_list<std::pair<double, double>> points, bool closed) {
    JobPath path;
    path.closed = closed;
    const std::pair<double, double>* prev = nullptr;
    for (const auto& p : points) {
        if (prev) path.segments.push_back(line(prev->first, prev->second, p.first, p.second));
        prev = &p;
    }
    return path;
}

/// The 10 mm square drawn from the origin: +x, +y, −x, −y.
inline JobPath square10(bool closed = true) {
    return polyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, closed);
}

inline JobObject objectWith(JobPath path, bool selected = true) {
    JobObject o;
    o.selected = selected;
    o.paths.push_back(std::move(path));
    return o;
}

inline JobLayer layerWith(std::string name, std::vector<JobObject> objects) {
    JobLayer l;
    l.name = std::move(name);
    l.objects = std::move(objects);
    return l;
}

inline int pathCount(const Job& job) {
    int n = 0;
    for (const auto& l : job.layers)
        for (const auto& o : l.objects) n += static_cast<int>(o.paths.size());
    return n;
}

/// A job of one layer holding one object with `path`.
inline Job jobWith(JobPath path) {
    Job job;
    job.layers.push_back(layerWith("Ebene 1", {objectWith(std::move(path))}));
    return job;
}

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

/// A text folder with the English texts the writers show.
class PlotEnvironment {
public:
    PlotEnvironment()
        : m_written(writeTexts(m_dir)),
          texts(m_dir.path(), 2000),
          context{interaction, texts, progress, nullptr} {}

    ScriptedInteraction interaction;
    ScriptedPlotProgress progress;

private:
    static bool writeTexts(const TempDir& dir) {
        writeFile(dir.file("2000.txt"),
                  "[2000]\n"
                  "2303=No objects for cutting found !\n"
                  "2304=Do you want to cancel the curent job ?\n"
                  "2316=Please stop the VLCD application first.\n"
                  "2364=Next layer ?\n"
                  "2390=Position the cutter at the first mark\n"
                  "2392=Reading marks ...\n");
        return true;
    }
    TempDir m_dir;
    bool m_written;

public:
    Texts texts;
    PlotContext context;
};

inline std::string esc(const std::string& rest) { return std::string(1, '\x1b') + rest; }
inline const std::string kEtx(1, '\x03');

}  // namespace sartovin::test

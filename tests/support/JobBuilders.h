#pragma once
// Builders for small jobs in millimetres, shaped as an import leaves them: every segment carries its
// arc length and a handle state, every object its bounds where a builder knows them.

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "job/Bezier.h"
#include "job/Job.h"
#include "job/JobModel.h"

namespace sartovin::test {

/// A straight segment from (x0, y0) to (x1, y1): the controls sit on the ends, the length is the
/// distance. `handleState` 1 is an anchor with handles, 2 a corner (the Illustrator host's mark).
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

/// A cubic curve from (x0, y0) over the controls (c1x, c1y) and (c2x, c2y) to (x1, y1), measured as
/// an import measures it.
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

/// A path through `points` made of straight segments.
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

/// Sets the bounds an object states in its file.
inline void setBounds(JobObject& o, double x1, double y1, double x2, double y2) {
    o.boundsX1 = x1, o.boundsY1 = y1, o.boundsX2 = x2, o.boundsY2 = y2;
}

/// An object of one path.
inline JobObject objectWith(JobPath path, bool selected = true) {
    JobObject o;
    o.selected = selected;
    o.paths.push_back(std::move(path));
    return o;
}

/// A closed rectangle (four straight segments, counter-clockwise from the lower left) with its
/// bounds, filled with `fill`; not selected in the host.
inline JobObject rectangle(double left, double bottom, double right, double top, std::uint32_t fill = 0,
                           int colourKind = kColourRgb) {
    JobObject o = objectWith(
        polyline({{left, bottom}, {right, bottom}, {right, top}, {left, top}, {left, bottom}}, true), false);
    o.fillColour = fill;
    o.colourKind = colourKind;
    setBounds(o, left, bottom, right, top);
    return o;
}

inline JobLayer layerWith(std::string name, std::vector<JobObject> objects) {
    JobLayer l;
    l.name = std::move(name);
    l.objects = std::move(objects);
    return l;
}

/// Sub-paths over all layers and objects.
inline int pathCount(const Job& job) {
    int n = 0;
    for (const auto& l : job.layers)
        for (const auto& o : l.objects) n += static_cast<int>(o.paths.size());
    return n;
}

/// A job of one layer ("Ebene 1") holding one selected object with `path`.
inline Job jobWith(JobPath path) {
    Job job;
    job.layers.push_back(layerWith("Ebene 1", {objectWith(std::move(path))}));
    return job;
}

/// The job the pages work on: the live job, the reference copy the layout transforms from and the
/// state an import leaves beside them.
struct PageJob {
    Job live, reference;
    JobState state;

    /// Call once the live layers are in place: sets the extent the import found and takes the
    /// reference copy.
    void imported(const JobExtent& extent) {
        state.extent = extent;
        JobExtent referenceExtent;
        makeReferenceCopy(live, state.extent, reference, referenceExtent);
    }
};

}  // namespace sartovin::test

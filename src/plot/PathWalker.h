#pragma once
// The common walk of both cutter writers: which paths of the job are cut, in which order, where on
// the medium and how often, and how every path becomes integer moves in device units. The device
// language is the emitter's business; the walk is written once.
//
// Axes: job x becomes device X (along the feed), job y device Y (across). The X start is the
// layout's distance from the front medium edge, the Y start the distance from the right edge.
//
// Scale: the layout forms heightPercent from the job's x span and widthPercent from its y span, so
// job x is scaled by heightPercent and job y by widthPercent; with different percentages the cut
// then matches the sizes the layout page shows.

#include <cstdint>
#include <string>

#include "plot/CurveFlattener.h"
#include "plot/Overcut.h"
#include "plot/PathEmitter.h"
#include "plot/PlotContext.h"
#include "plot/PlotParameters.h"
#include "plot/StrokeWriter.h"

namespace sartovin {

class PathWalker {
public:
    /// `out` receives the pass; `unitsPerMm` is 40 (HP-GL) or 20 (GP-GL). All referenced objects
    /// must outlive the walker.
    PathWalker(const PlotParameters& params, PlotContext& context, PathEmitter& emitter, std::string& out,
               int unitsPerMm);

    /// Start of a pass, step 1: when the job holds no path at all, shows text 303 with the warning
    /// icon and returns false.
    bool checkJobHasPaths();

    /// Reserves the output for the whole pass, estimated from the job checked by checkJobHasPaths().
    void reserveOutput();

    /// X0 / Y0 from the X and Y start in mm: the overcut margin and, in marks mode, the mark
    /// reductions applied.
    void placeStart(double xStartMm, double yStartMm);

    /// Progress at the start of pass `pass` (counted from 1).
    void startProgress(int pass);

    /// Cuts every copy of group `groupIndex` (−1 all, −2 the weeding-frame group, else a layer or
    /// colour-group index) with its weeding frames. False when the user cancelled: the output is
    /// then empty.
    bool walk(int groupIndex);

    /// End of the pass: the end move, the progress, the 400 ms wait, and on the last pass the
    /// status window hidden.
    void finishPass(int groupIndex, int pass);

    /// Asks text 304 when the cancel button was pressed. False when the user confirmed the cancel
    /// (output emptied, status window hidden); true to go on.
    bool checkCancel();

    int x0() const { return m_x0; }
    int y0() const { return m_y0; }
    double sx() const { return m_sx; }
    double sy() const { return m_sy; }
    StrokeWriter& pen() { return m_pen; }

private:
    bool cutObject(const JobObject& object);
    bool cutPath(const JobPath& path);
    void cutLine(const PathSegment& s, int flags);
    void cutCurve(const PathSegment& s, int flags);
    void switchAcceleration(bool curve);
    void cutFrame(int cornerX, int cornerY);
    void advanceProgress();

    const PlotParameters& m_params;
    PlotContext& m_context;
    PathEmitter& m_emitter;
    std::string& m_out;
    StrokeWriter m_pen;
    Overcut m_overcut;
    CurveFlattener m_flattener;
    QualityValues m_quality;
    double m_u = 40;
    double m_sx = 1;
    double m_sy = 1;
    int m_g = 0;  // weeding-frame distance in use, mm
    int m_x0 = 0, m_y0 = 0;
    int m_originX = 0, m_originY = 0;
    int m_lastRow = 0, m_lastColumn = 0;
    int m_previousKind = 0;
    bool m_closed = false;
    int m_pathStartX = 0;  ///< where the current path began (device units): a closed path ends there
    int m_pathStartY = 0;
    bool m_lastWasCurve = false;
    bool m_switchAcceleration = false;
    std::int64_t m_paths = 0;
    std::int64_t m_lineSegments = 0;
    std::int64_t m_curveSegments = 0;
    std::int64_t m_position = 0;
};

}  // namespace sartovin

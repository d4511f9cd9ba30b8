#pragma once
// Overcuts: a drag knife lags behind its holder, so at sharp corners it cuts a little beyond the
// corner and comes back with the pen up, each straight segment is entered a little before its
// start, and closed paths are cut a little past their closing point. The blade offset itself is
// left to the cutter.
//
// The overcut length is o = 4 × "Overcut" device units ("Overcut" in tenths of a millimetre, so o
// is the length in HP-GL units of 40 per mm; GP-GL uses the same number of its own units).
//
// CorelDRAW host modes (1, 10, 20) are treated like the other hosts: the auxiliary point pairs of
// the Corel export carry tangent directions whose meaning only the export macro knows, so corners
// on curves are decided from the segment kinds as for every other host.

#include "base/StartMode.h"
#include "job/Job.h"
#include "plot/CurveFlattener.h"
#include "plot/StrokeWriter.h"

namespace sartovin {

/// Flags the walk hands to the overcut rules for each call.
enum SegmentFlags : int {
    kFlagLine = 1,         ///< straight segment
    kFlagCurve = 2,        ///< curve segment
    kFlagFirst = 4,        ///< first segment of the path
    kFlagLast = 8,         ///< last segment of the path
    kFlagCurvePoint = 16,  ///< the first emitted point inside a curve
    kFlagCurveEnd = 32,    ///< after the last point of a curve
};

/// The Illustrator host (standard and laser editions) marks corners itself: a segment whose start
/// anchor has no handles (handle state 2) begins at a corner. Other hosts' corners are found by angle.
bool decidesCornersByHandles(StartMode startMode);

class Overcut {
public:
    /// `overcutTenths` is "Overcut"; `minOvercutAngle` is clamped to 1..90 degrees.
    Overcut(StartMode startMode, int overcutTenths, int minOvercutAngle);

    /// Overcut length in device units.
    int length() const { return m_o; }

    /// One step of the overcut rules for the move (dx, dy) of the segment `segment` (device
    /// units): emits the corner strokes and, when the move is not (0, 0), the move itself.
    /// `previousKind` is the kind of the segment cut before (1 line, 2 curve; 0 before the first).
    /// Returns the new pen-down state. A path start (kFlagFirst) resets all state.
    bool overcutStep(StrokeWriter& pen, int dx, int dy, int flags, int previousKind, bool closed,
                     const PathSegment& segment);

    /// The writer's closing extension after the last segment of a closed path when the pen is
    /// still down: cuts about the overcut's length along the path's first segment of non-zero
    /// length and returns with the pen up. `u` is the writer's unit per mm, sx / sy the scales.
    void closingExtension(StrokeWriter& pen, const JobPath& path, CurveFlattener& flattener,
                          const QualityValues& quality, double u, double sx, double sy) const;

private:
    void clearPending() {
        m_px = m_py = 0;
        m_rx = m_ry = 0;
    }

    StartMode m_startMode = 5;
    int m_overcutTenths = 0;
    int m_o = 0;
    int m_minAngle = 7;
    double m_thetaPrev = 0;  // degrees, 0 ≤ θ < 360
    int m_px = 0, m_py = 0;  // pending overshoot at the end of the last move
    int m_rx = 0, m_ry = 0;  // and its return
    int m_ax = 0, m_ay = 0;  // start lead of a closed path
    bool m_closing = false;
    int m_firstMarker = 0;  // first segment: handleState (Illustrator) or kind
    bool m_force = false;
};

}  // namespace sartovin

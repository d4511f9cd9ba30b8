#pragma once
// The job geometry transform of the layout page: the live job is recomputed from the untouched
// reference copy whenever the rotation or the mirror changes, so that turning back and forth never
// accumulates rounding errors.
//
// The reference drawing starts at (0, 0) and spans SX along x and SY along y (its imported spans,
// millimetres). A rotation turns it within that box, so the result again starts at (0, 0).

#include <cstdint>

#include "job/Job.h"

namespace sartovin {

/// Rotation list entries (also the values of "Rotate").
enum Rotation : std::int16_t { kRotateNone = 0, kRotateRight = 1, kRotateLeft = 2, kRotate180 = 3 };

/// A stored or chosen rotation: 0 to 3 as they are, anything else reads as kRotateNone.
Rotation rotationOf(int value);

/// The quarter turns (90° right or left) exchange the drawing's spans.
bool isQuarterTurn(int rotation);

/// Whether two rotations lie in the same group, {none, 180°} or {90° right, 90° left}. Moving
/// between the groups exchanges the job's width and length.
bool sameRotationGroup(int a, int b);

/// Sets the working spans of `extent` for `rotation` from its imported spans: spanX = SX and
/// spanY = SY for none and 180°, exchanged for the quarter turns; maxX = spanX, maxY = spanY and
/// minX = minY = 0. The imported spans are not touched.
void setWorkingExtent(JobExtent& extent, int rotation);

/// A point in job coordinates (millimetres, x to the right, y upwards).
struct JobPoint {
    double x = 0;
    double y = 0;
};

/// One rotation and mirror of the reference drawing over its spans SX (x) and SY (y).
class JobTransform {
public:
    /// `rotation` outside 0 to 3 acts as none.
    JobTransform(int rotation, bool mirror, double spanX, double spanY);

    /// Where the reference point p lands:
    ///   none (x, y), 90° right (y, SX − x), 90° left (SY − y, x), 180° (SX − x, SY − y);
    /// with mirror the new y is then replaced by E − y, E being the new y span (SY for none and
    /// 180°, SX for the quarter turns).
    JobPoint map(JobPoint p) const;

    /// Rewrites every segment point (start, end and both control points) of `live` from the same
    /// point of `reference`, and the object bounds (copied, x and y exchanged for the quarter
    /// turns). `live` is a copy of `reference` in structure; only what both hold is touched, so a
    /// mismatch never reads or writes past an array.
    void apply(const Job& reference, Job& live) const;

private:
    Rotation m_rotation = kRotateNone;
    bool m_mirror = false;
    double m_spanX = 0;
    double m_spanY = 0;
};

}  // namespace sartovin

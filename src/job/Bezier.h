#pragma once
// The cubic Bezier evaluator and the arc length of a segment. Import stores the length in every
// segment; plot generation flattens curves with the same evaluator, so both agree to the last bit.

#include "job/Job.h"

namespace sartovin {

struct BezierPoint {
    double x = 0;
    double y = 0;
};

/// One coordinate of B(t) = P0 + 3t(P1 − P0) + 3t²(P0 − 2P1 + P2) + t³(P3 − P0 + 3P1 − 3P2),
/// evaluated in exactly this form (the cutter output is compared byte for byte, so the order of
/// the operations is part of the result). t is normally 0..1; other values are evaluated as given.
double bezierCoordinate(double p0, double p1, double p2, double p3, double t);

/// B(t) of a segment: P0 = start, P1 = ctrl1, P2 = ctrl2, P3 = end.
BezierPoint bezierPoint(const PathSegment& segment, double t);

/// Number of chords the arc length is summed over.
inline constexpr int kArcLengthChords = 32;

/// Length of a segment in mm: when ctrl1 equals start and ctrl2 equals end (exact comparison) the
/// straight distance from start to end, otherwise the sum of the 32 chords between B(k/32) and
/// B((k+1)/32). The segment kind is not consulted, so a curve whose handles sit on its anchors
/// measures as the line it draws.
double segmentLength(const PathSegment& segment);

}  // namespace sartovin

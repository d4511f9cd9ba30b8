#include "job/Bezier.h"

#include <cmath>

namespace sartovin {

double bezierCoordinate(double p0, double p1, double p2, double p3, double t) {
    return p0 + 3 * t * (p1 - p0) + 3 * t * t * (p0 - 2 * p1 + p2) + t * t * t * (p3 - p0 + 3 * p1 - 3 * p2);
}

BezierPoint bezierPoint(const PathSegment& s, double t) {
    return {bezierCoordinate(s.startX, s.ctrl1X, s.ctrl2X, s.endX, t),
            bezierCoordinate(s.startY, s.ctrl1Y, s.ctrl2Y, s.endY, t)};
}

double segmentLength(const PathSegment& s) {
    if (s.ctrl1X == s.startX && s.ctrl1Y == s.startY && s.ctrl2X == s.endX && s.ctrl2Y == s.endY) {
        double dx = s.endX - s.startX;
        double dy = s.endY - s.startY;
        return std::sqrt(dx * dx + dy * dy);
    }
    double length = 0;
    BezierPoint previous = bezierPoint(s, 0.0);
    for (int k = 1; k <= kArcLengthChords; ++k) {
        BezierPoint next = bezierPoint(s, static_cast<double>(k) / kArcLengthChords);
        double dx = next.x - previous.x;
        double dy = next.y - previous.y;
        length += std::sqrt(dx * dx + dy * dy);
        previous = next;
    }
    return length;
}

}  // namespace sartovin

#include "plot/CurveFlattener.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "job/Bezier.h"
#include "plot/DeviceUnits.h"

namespace sartovin {

namespace {

// Cells of the quality table: points per mm, longest step (mm), smallest move (mm).
constexpr QualityValues kFive[5] = {{7, 1, 0.1}, {5, 2, 0.2}, {4, 4, 0.4}, {3, 6, 0.5}, {0.8, 8, 0.6}};
constexpr QualityValues kFour[4] = {{6, 2, 0.2}, {4, 4, 0.4}, {3, 6, 0.5}, {0.8, 8, 0.6}};
constexpr QualityValues kOther[2] = {{3, 2, 0.4}, {1, 6, 0.5}};
constexpr QualityValues kNoOptions = {1, 6, 0.5};
constexpr QualityValues kLaser = {5, 2, 0.2};

// The thinning thresholds are 40 units per mm for both writers.
constexpr double kThinningUnits = 40.0;

}  // namespace

QualityValues qualityValuesFor(int entryCount, int index, bool optionsPresent, StartMode startMode) {
    if (startMode.isLaser()) return kLaser;
    if (!optionsPresent || index < 0) return kNoOptions;
    if (entryCount == 5) return index < 5 ? kFive[index] : kNoOptions;
    if (entryCount == 4) return index < 4 ? kFour[index] : kNoOptions;
    return index < 2 ? kOther[index] : kNoOptions;
}

void CurveFlattener::addPoint(const PathSegment& s, double t, double u, double sx, double sy) {
    BezierPoint p = bezierPoint(s, t);
    m_points.push_back({nearestUnits(p.x * u * sx), nearestUnits(p.y * u * sy)});
}

void CurveFlattener::flatten(const PathSegment& s, const QualityValues& q, double u, double sx, double sy) {
    m_points.clear();
    m_coarse = false;
    double ppm = q.pointsPerMm;
    const double length = s.length * sx;  // the x factor only
    int n = 1;
    double dt = 1;
    if (ppm >= 1) {
        if (length * ppm > 1) {
            dt = 1 / (length * ppm);
            n = static_cast<int>(std::min(length * ppm + 0.99999, 1e9));
        }
    } else if (length > 1) {
        if (length * ppm > 2.7) {
            dt = 1 / (length * ppm);
            n = static_cast<int>(std::min(length * ppm + 0.99999, 1e9));
        } else {
            dt = 1 / length;
            n = static_cast<int>(std::min(length + 0.99999, 1e9));
        }
    }
    const bool many = n + 1 > 30;
    if (many) {
        if (length / 30 <= q.maxStep) {
            n = 30;
            dt = 1.0 / 30;
        } else {
            // A broken drawing with a curve kilometres long must not exhaust memory.
            n = std::max(1, static_cast<int>(std::min(length / q.maxStep, 1e6)));
            dt = 1.0 / n;
            m_coarse = true;
        }
    }
    m_dt = dt;
    if (many) {
        m_a = static_cast<int>(kThinningUnits * q.minMove);
        m_b = static_cast<int>(kThinningUnits * q.maxStep);
    } else {
        m_a = 4;
        m_b = static_cast<int>(kThinningUnits * dt);
    }
    m_points.reserve(static_cast<std::size_t>(n) + 1);
    const double endAt = 1 - dt / 2;
    for (int k = 0; k <= n; ++k) {
        const double t = k * dt;
        if (t >= endAt || k == n) {
            // The end is the segment's own end point, not an evaluation near t = 1.
            m_points.push_back({nearestUnits(s.endX * u * sx), nearestUnits(s.endY * u * sy)});
            break;
        }
        addPoint(s, t, u, sx, sy);
    }
}

void CurveFlattener::flattenForOvercut(const PathSegment& s, const QualityValues& q, double u, double sx,
                                       double sy, int overcutTenths) {
    m_points.clear();
    m_coarse = false;
    const double length = s.length * sx;
    const double ppm = q.pointsPerMm;
    if (!(length > 0) || !(ppm > 0)) {
        m_dt = 1;
    } else {
        m_dt = 1 / (length * ppm);
    }
    const double o = overcutTenths / 10.0;
    int count = static_cast<int>(std::min(std::min(length, o) * ppm + 0.5, 1e6)) + 1;
    count = std::max(count, 2);
    m_a = 4;
    m_b = static_cast<int>(kThinningUnits * m_dt);
    if (count > 30) {
        m_a = static_cast<int>(kThinningUnits * q.minMove);
        m_b = static_cast<int>(kThinningUnits * q.maxStep);
    }
    m_points.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        const double t = k * m_dt;
        if (t >= 1) {
            m_points.push_back({nearestUnits(s.endX * u * sx), nearestUnits(s.endY * u * sy)});
            break;
        }
        addPoint(s, t, u, sx, sy);
    }
}

void CurveFlattener::thin() {
    m_kept.clear();
    const std::size_t count = m_points.size();
    if (count < 2) return;
    m_kept.reserve(count);
    DevicePoint last = m_points[0];
    for (std::size_t i = 1; i < count; ++i) {
        const DevicePoint& p = m_points[i];
        const int dx = p.x - last.x;
        const int dy = p.y - last.y;
        const int a = std::abs(dx);
        const int b = std::abs(dy);
        bool keep = i <= 1 || i == count - 1;
        if (!keep) {
            const DevicePoint& next = m_points[i + 1];
            keep = (dx > 0 && next.x < p.x) || (dx < 0 && next.x > p.x) || (dy > 0 && next.y < p.y) ||
                   (dy < 0 && next.y > p.y) || (a >= m_a && (a >= m_b || b >= m_a)) ||
                   (a < m_a && b >= m_a && b >= m_b);
        }
        if (keep) {
            m_kept.push_back(p);
            last = p;
        }
    }
}

}  // namespace sartovin

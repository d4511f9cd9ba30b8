#pragma once
// Turns one cubic Bezier segment into the device points a cutter follows, and thins them so that
// the stream carries no more moves than the chosen quality needs. Both writers use it; the buffers
// are kept between curves of one pass so that long jobs do not allocate per curve.

#include <vector>

#include "base/StartMode.h"
#include "job/Job.h"

namespace sartovin {

/// Curve resolution of a quality entry: points per mm, the longest step (mm) and the smallest move
/// worth sending (mm).
struct QualityValues {
    double pointsPerMm = 1;
    double maxStep = 6;
    double minMove = 0.5;
};

/// The quality table: by the number of list entries (5, 4, other) and the selected index. The
/// laser edition (start mode 20 and above) always uses 5, 2, 0.2; without the options window, or
/// for an index the list does not have, 1, 6, 0.5 apply.
QualityValues qualityValuesFor(int entryCount, int index, bool optionsPresent, StartMode startMode);

struct DevicePoint {
    int x = 0;
    int y = 0;
    bool operator==(const DevicePoint&) const = default;
};

class CurveFlattener {
public:
    /// Flattens `segment` (its stored arc length, mm, scaled by sx only) into points in device
    /// units relative to the copy origin: `unitsPerMm` × scale, rounded half away from zero. At
    /// most 31 points unless the curve is longer than 30 × maxStep.
    void flatten(const PathSegment& segment, const QualityValues& quality, double unitsPerMm, double sx,
                 double sy);

    /// The start of the curve only, about the overcut's length (`overcutTenths` / 10 mm) long: the
    /// closing extension of a closed path whose first segment is a curve.
    void flattenForOvercut(const PathSegment& segment, const QualityValues& quality, double unitsPerMm,
                           double sx, double sy, int overcutTenths);

    /// Keeps the points worth sending: point 0 (the curve's start) is never kept; the first and
    /// last points, turning points in x or y and moves reaching the thresholds are.
    void thin();

    const std::vector<DevicePoint>& points() const { return m_points; }
    /// The points thin() kept, in order.
    const std::vector<DevicePoint>& kept() const { return m_kept; }
    /// Thinning thresholds in device units (factor 40 for both writers).
    int thresholdA() const { return m_a; }
    int thresholdB() const { return m_b; }
    double parameterStep() const { return m_dt; }
    /// The curve was longer than 30 × maxStep and got coarser steps (nothing in the output reads it).
    bool coarse() const { return m_coarse; }

private:
    void addPoint(const PathSegment& s, double t, double unitsPerMm, double sx, double sy);

    std::vector<DevicePoint> m_points;
    std::vector<DevicePoint> m_kept;
    int m_a = 4;
    int m_b = 0;
    double m_dt = 1;
    bool m_coarse = false;
};

}  // namespace sartovin

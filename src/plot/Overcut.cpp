#include "plot/Overcut.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "plot/DeviceUnits.h"

namespace sartovin {

namespace {

bool isCorelOrInkscape(StartMode m) { return m.isCorel() || m.isInkscape(); }

}  // namespace

bool decidesCornersByHandles(StartMode m) { return m == 2 || m == 21; }

Overcut::Overcut(StartMode startMode, int overcutTenths, int minOvercutAngle)
    : m_startMode(startMode),
      m_overcutTenths(overcutTenths),
      m_o(4 * overcutTenths),
      m_minAngle(std::clamp(minOvercutAngle, 1, 90)) {}

bool Overcut::overcutStep(StrokeWriter& pen, int dx, int dy, int flags, int previousKind, bool closed,
                          const PathSegment& segment) {
    m_force = false;
    const bool byHandles = decidesCornersByHandles(m_startMode);

    // End of a curve in the middle of a path: the writer passes (0, 0), so this only drops the
    // overshoot; the curve's own corners were decided at its first point.
    if ((flags & kFlagCurveEnd) && !(flags & kFlagLast)) {
        m_px = dx;
        m_py = dy;
        m_rx = -dx;
        m_ry = -dy;
        return pen.penDown();
    }

    // Direction of the move and the overcut vector along it.
    double theta = m_thetaPrev;
    double ox = 0, oy = 0;
    if (dx == 0 && dy == 0) {
    } else if (dx == 0) {
        theta = dy > 0 ? 90 : 270;
        oy = dy > 0 ? m_o : -m_o;
    } else if (dy == 0) {
        theta = dx > 0 ? 0 : 180;
        ox = dx > 0 ? m_o : -m_o;
    } else {
        theta = std::atan2(static_cast<double>(dy), static_cast<double>(dx)) * 180.0 / std::numbers::pi;
        if (theta < 0) theta += 360;
        if (theta >= 360) theta -= 360;
        const double len = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
        ox = m_o * dx / len;
        oy = m_o * dy / len;
    }
    const bool hasO = ox != 0 || oy != 0;
    const int tox = truncUnits(ox);
    const int toy = truncUnits(oy);
    const bool start = (flags & kFlagFirst) != 0;
    const int kind = (flags & kFlagCurve) ? kSegmentCurve : kSegmentLine;

    if (start) {
        m_thetaPrev = 0;
        clearPending();
        m_closing = false;
        if (closed) {
            m_ax = tox;
            m_ay = toy;
            m_closing = hasO;
            m_firstMarker = byHandles ? segment.handleState : kind;
        }
    } else if (flags & kFlagCurvePoint) {
        // A curve that follows a line begins at a corner; a curve after a curve is smooth.
        if (byHandles && segment.handleState == 2)
            m_force = true;
        else if (previousKind == kSegmentLine)
            m_force = true;
        else
            clearPending();
    } else {
        if ((byHandles && segment.handleState != 2) ||
            (previousKind == kSegmentCurve && kind == kSegmentCurve))
            clearPending();
        double turn = std::fabs(theta - m_thetaPrev);
        if (turn > 180) turn = 360 - turn;
        if (turn <= m_minAngle) clearPending();
    }

    if (flags & kFlagLast) {
        // A closing point between two smooth pieces is no corner: no closing strokes there.
        if (byHandles) {
            if (segment.handleState != 2 && m_firstMarker != 2) m_closing = false;
        } else if (kind != kSegmentLine && m_firstMarker != kSegmentLine) {
            m_closing = false;
        }
    }

    const bool pending = m_px != 0 || m_py != 0;
    if ((!start && pending && !(flags & kFlagCurveEnd)) || m_force || kind == kSegmentLine) {
        if (pending) {
            // Overshoot the corner just passed and come back with the pen up.
            pen.strokeCut(m_px, m_py);
            pen.strokeMove(m_rx, m_ry);
        }
        if (hasO) {
            // Enter the new direction o before the corner.
            pen.strokeMove(-tox, -toy);
            pen.strokeCut(tox, toy);
        }
    }

    if (dx != 0 || dy != 0) pen.cutBy(dx, dy);

    if (!(flags & kFlagLast)) {
        m_px = tox;
        m_py = toy;
        m_rx = -tox;
        m_ry = -toy;
        if (byHandles && segment.handleState != 2) clearPending();
        if ((flags & kFlagCurvePoint) && isCorelOrInkscape(m_startMode)) clearPending();
    } else {
        clearPending();
        if (m_closing) {
            if (hasO) pen.cutAndReturn(tox, toy);
            if (m_ax != 0 || m_ay != 0) pen.cutAndReturn(m_ax, m_ay);
            pen.lift();
        }
    }

    // Tiny curve moves carry no usable direction.
    if (!(kind == kSegmentCurve && std::abs(dx) + std::abs(dy) <= 2)) m_thetaPrev = theta;
    if (flags & kFlagCurvePoint) clearPending();
    return pen.penDown();
}

void Overcut::closingExtension(StrokeWriter& pen, const JobPath& path, CurveFlattener& flattener,
                               const QualityValues& quality, double u, double sx, double sy) const {
    const PathSegment* first = nullptr;
    for (const PathSegment& s : path.segments) {
        if (s.length > 0) {
            first = &s;
            break;
        }
    }
    if (first == nullptr) return;
    const int backX = pen.x();
    const int backY = pen.y();
    if (first->kind != kSegmentCurve && !decidesCornersByHandles(m_startMode)) {
        // Along the first segment's direction, "Overcut" tenths of a mm long; the constant 40 is
        // the HP-GL unit, which makes the length 4 × "Overcut" units in either writer.
        const int a = nearestUnits((first->endX - first->startX) * 40 * sx);
        const int b = nearestUnits((first->endY - first->startY) * 40 * sy);
        const double l = first->length;
        const double v = m_overcutTenths;
        const int cx = truncUnits(4.0 * a * v / (40.0 * l));
        const int cy = truncUnits(4.0 * b * v / (40.0 * l));
        if (cx != 0 || cy != 0) pen.cutBy(cx, cy);
    } else {
        flattener.flattenForOvercut(*first, quality, u, sx, sy, m_overcutTenths);
        flattener.thin();
        DevicePoint last = flattener.points().empty() ? DevicePoint{} : flattener.points().front();
        for (const DevicePoint& p : flattener.kept()) {
            const int mx = p.x - last.x;
            const int my = p.y - last.y;
            if (mx != 0 || my != 0) pen.cutBy(mx, my);
            last = p;
        }
    }
    pen.moveUpTo(backX, backY);
}

}  // namespace sartovin

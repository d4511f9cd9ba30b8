#include "plot/PathWalker.h"

#include <algorithm>
#include <cmath>

#include "job/JobModel.h"
#include "plot/DeviceUnits.h"

namespace sartovin {

namespace {

// Waits about 400 ms at the end of every pass while the interface stays responsive: 40 rounds of
// message processing and 10 ms.
void endOfPassWait(Interaction& interaction) {
    for (int i = 0; i < 40; ++i) {
        interaction.pump();
        interaction.pause(10);
    }
}

}  // namespace

PathWalker::PathWalker(const PlotParameters& params, PlotContext& context, PathEmitter& emitter,
                       std::string& out, int unitsPerMm)
    : m_params(params),
      m_context(context),
      m_emitter(emitter),
      m_out(out),
      m_pen(out, emitter),
      m_overcut(params.startMode, params.overcut, params.minOvercutAngle),
      m_quality(qualityValuesFor(params.qualityEntryCount, params.qualityIndex, params.optionsPresent,
                                 params.startMode)),
      m_u(unitsPerMm),
      m_sx(scaleFactor(params.heightPercent)),
      m_sy(scaleFactor(params.widthPercent)),
      m_g(params.gridOn && !params.jobState.marksMode ? params.gridDistance : 0),
      m_switchAcceleration(!params.usePlotterSettings &&
                           params.lineAcceleration != params.curveAcceleration) {}

bool PathWalker::checkJobHasPaths() {
    std::int64_t paths = 0;
    m_lineSegments = m_curveSegments = 0;
    if (m_params.job != nullptr) {
        for (const JobLayer& layer : m_params.job->layers) {
            for (const JobObject& object : layer.objects) {
                paths += static_cast<std::int64_t>(object.paths.size());
                for (const JobPath& path : object.paths)
                    for (const PathSegment& s : path.segments)
                        ++(s.kind == kSegmentCurve ? m_curveSegments : m_lineSegments);
            }
        }
    }
    if (paths == 0) {
        m_context.interaction.messageBox(m_context.texts.text(TextId::NoObjects), kProgramCaption,
                                         MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    m_paths = m_params.jobState.pathTotal > 0 ? m_params.jobState.pathTotal : paths;
    return true;
}

void PathWalker::reserveOutput() {
    // Typical bytes per segment: a move of about a dozen, four times that with overcut strokes, a
    // flattened curve some ten moves. Reserving once avoids most regrowth of long streams; beyond
    // the estimate the string grows geometrically, never by rebuilding.
    const std::int64_t perLine = m_params.overcutOn ? 56 : 14;
    const std::int64_t copies = std::max(1, m_params.jobState.marksMode ? 1 : m_params.copyTotal);
    const std::int64_t estimate = copies * (m_lineSegments * perLine + m_curveSegments * 160) + 512;
    m_out.reserve(static_cast<std::size_t>(std::min<std::int64_t>(estimate, std::int64_t{256} << 20)));
}

void PathWalker::placeStart(double xStartMm, double yStartMm) {
    // The overcut margin keeps the early entry of the first segment on the medium.
    const int margin = m_params.overcutOn ? m_params.overcut / 10 + 1 : 0;
    if (xStartMm < margin) xStartMm += margin;
    if (yStartMm < margin) yStartMm += margin;
    m_x0 = nearestUnits(xStartMm * m_u);
    m_y0 = nearestUnits(yStartMm * m_u);
    if (m_params.jobState.marksMode) {
        const MarkMeasurements& m = m_params.marks;
        if (m_params.rotation == 0) {
            m_x0 -= truncUnits(m_u * m.firstMarkWidth);
            m_y0 -= truncUnits(m_u * m.secondMarkHeight);
        } else {
            m_x0 -= truncUnits(m_u * m.secondMarkHeight);
            m_y0 -= truncUnits(m_u * m.markStrokeX / 2);
        }
    }
}

void PathWalker::startProgress(int pass) {
    PlotProgress& progress = m_context.progress;
    const std::int64_t copies = m_params.copyTotal;
    if (pass <= 1) {
        progress.setRange(0, m_paths * m_params.repeatCount * copies);
        const std::string calculating = m_context.texts.text(TextId::CalculatingPlotData);
        progress.setText(calculating.empty() ? std::string(kCalculatingText) : calculating);
        progress.show();
        m_position = 1;
    } else {
        m_position = m_paths * copies * (pass - 1);
    }
    progress.setPosition(m_position);
}

void PathWalker::advanceProgress() { m_context.progress.setPosition(++m_position); }

bool PathWalker::checkCancel() {
    PlotProgress& progress = m_context.progress;
    if (!progress.cancelRequested()) return true;
    progress.hide();
    m_context.interaction.pump();
    MessageAnswer answer =
        m_context.interaction.messageBox(m_context.texts.text(TextId::AskCancelJob), kProgramCaption,
                                         MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No);
    if (answer == MessageAnswer::Yes) {
        m_out.clear();
        progress.hide();
        return false;
    }
    progress.clearCancel();
    progress.show();
    return true;
}

bool PathWalker::walk(int groupIndex) {
    const PlotParameters& p = m_params;
    const Job& job = *p.job;
    const double length = p.jobHeight;  // along X
    const double width = p.jobWidth;    // along Y
    const double g = m_g;
    const double pitchX = p.distanceV + length + 2 * g;
    const double pitchY = p.distanceH + width + 2 * g;
    const bool frames = p.cutFrame.value_or(p.gridOn) && (groupIndex == -1 || groupIndex == -2);
    int placed = 0;
    for (int r = 0; r < p.rows; ++r) {
        for (int c = 0; c < p.columns; ++c) {
            if (placed >= p.copyTotal) return true;
            // Registration marks belong to one printed sheet: only the first copy is cut.
            if (p.jobState.marksMode && (r != 0 || c != 0)) return true;
            const int column = p.positionMode == kPositionBottomLeft ? p.columns - 1 - c : c;
            m_originX = m_x0 + truncUnits(m_u * (r * pitchX + g));
            m_originY = m_y0 + truncUnits(m_u * (column * pitchY + g));
            const int cornerX = m_x0 + truncUnits(m_u * r * pitchX);
            const int cornerY = m_y0 + truncUnits(m_u * column * pitchY);
            if (groupIndex == -2 && frames) m_pen.frameGroupMove(m_originX, m_originY, cornerX, cornerY);

            if (!forEachGroupObject(job, p.selectionMode, groupIndex,
                                    [&](const JobObject& object) { return cutObject(object); }))
                return false;
            if (frames) cutFrame(cornerX, cornerY);
            ++placed;
            m_lastRow = r;
            m_lastColumn = column;
        }
    }
    return true;
}

bool PathWalker::cutObject(const JobObject& object) {
    for (const JobPath& path : object.paths) {
        advanceProgress();
        if (object.selected || m_params.allObjects) {
            if (!cutPath(path)) return false;
        }
        m_context.interaction.pump();
    }
    return true;
}

bool PathWalker::cutPath(const JobPath& given) {
    if (given.segments.empty()) return true;
    // Every reader closes its closed paths; a job made elsewhere may not, and a closed outline must
    // still be cut closed (a sticker that is cut on three sides stays in the vinyl).
    JobPath closedCopy;
    const JobPath* chosen = &given;
    if (given.closed) {
        const PathSegment& a = given.segments.front();
        const PathSegment& b = given.segments.back();
        if (std::hypot(a.startX - b.endX, a.startY - b.endY) > kClosingTolerance) {
            closedCopy = given;
            closeSubPath(closedCopy);
            chosen = &closedCopy;
        }
    }
    const JobPath& path = *chosen;
    const auto& segments = path.segments;
    // The last segment that is cut: zero-length segments after it are skipped and carry nothing.
    std::size_t last = 0;
    for (std::size_t i = 0; i < segments.size(); ++i)
        if (i == 0 || segments[i].length != 0) last = i;
    const bool overcut = m_params.overcutOn;
    m_closed = path.closed;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (!checkCancel()) return false;
        const PathSegment& s = segments[i];
        if (i > 0 && s.length == 0) continue;
        const bool curve = s.kind == kSegmentCurve;
        const int flags =
            (curve ? kFlagCurve : kFlagLine) | (i == 0 ? kFlagFirst : 0) | (i == last ? kFlagLast : 0);
        if (i == 0) {
            const int tx = m_originX + nearestUnits(s.startX * m_u * m_sx);
            const int ty = m_originY + nearestUnits(s.startY * m_u * m_sy);
            // Paths that join are cut without lifting the pen.
            if (tx != m_pen.x() || ty != m_pen.y()) m_pen.moveUpTo(tx, ty);
            m_pathStartX = tx;
            m_pathStartY = ty;
        }
        switchAcceleration(curve);
        if (curve)
            cutCurve(s, flags);
        else
            cutLine(s, flags);
        m_previousKind = decidesCornersByHandles(m_params.startMode) && s.handleState == 2
                             ? kSegmentLine
                             : (curve ? kSegmentCurve : kSegmentLine);
    }
    if (overcut && path.closed && m_pen.penDown())
        m_overcut.closingExtension(m_pen, path, m_flattener, m_quality, m_u, m_sx, m_sy);
    return true;
}

void PathWalker::switchAcceleration(bool curve) {
    if (curve != m_lastWasCurve && m_switchAcceleration)
        m_emitter.acceleration(m_out, curve ? m_params.curveAcceleration : m_params.lineAcceleration);
    m_lastWasCurve = curve;
}

void PathWalker::cutLine(const PathSegment& s, int flags) {
    // Each move is rounded from the segment's own end points; the small differences this leaves
    // are taken up by the last move of a closed path, which ends exactly where the path began.
    int mx = nearestUnits((s.endX - s.startX) * m_u * m_sx);
    int my = nearestUnits((s.endY - s.startY) * m_u * m_sy);
    if (m_closed && (flags & kFlagLast)) {
        mx = m_pathStartX - m_pen.x();
        my = m_pathStartY - m_pen.y();
    }
    if (!m_params.overcutOn) {
        m_pen.cutBy(mx, my);
        return;
    }
    // A segment shorter than the overcut gets no strokes of its own.
    if (s.length > m_overcut.length() / 40.0) {
        m_overcut.overcutStep(m_pen, mx, my, flags, m_previousKind, m_closed, s);
    } else {
        m_overcut.overcutStep(m_pen, 0, 0, flags, m_previousKind, m_closed, s);
        m_pen.cutBy(mx, my);
    }
}

void PathWalker::cutCurve(const PathSegment& s, int flags) {
    m_flattener.flatten(s, m_quality, m_u, m_sx, m_sy);
    m_flattener.thin();
    const bool overcut = m_params.overcutOn;
    const bool longCurve = s.length > m_overcut.length() / 40.0;
    // Moves run from point to point of the curve (point 0 first), not from the pen's position.
    DevicePoint previous = m_flattener.points().front();
    bool first = true;
    const auto& kept = m_flattener.kept();
    const bool closesPath = m_closed && (flags & kFlagLast);
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const DevicePoint& p = kept[i];
        int mx = p.x - previous.x;
        int my = p.y - previous.y;
        previous = p;
        if (closesPath && i + 1 == kept.size()) {
            // The closing curve ends exactly where the path began (see cutLine).
            mx = m_pathStartX - m_pen.x();
            my = m_pathStartY - m_pen.y();
        }
        if (overcut && first) {
            first = false;
            const int pointFlags = (flags | kFlagCurvePoint) & ~kFlagLast;
            if (longCurve) {
                m_overcut.overcutStep(m_pen, mx, my, pointFlags, m_previousKind, m_closed, s);
            } else {
                m_overcut.overcutStep(m_pen, 0, 0, pointFlags, m_previousKind, m_closed, s);
                if (mx != 0 || my != 0) m_pen.cutBy(mx, my);
            }
            continue;
        }
        if (mx != 0 || my != 0) m_pen.cutBy(mx, my);
    }
    if (overcut) m_overcut.overcutStep(m_pen, 0, 0, flags | kFlagCurveEnd, m_previousKind, m_closed, s);
}

void PathWalker::cutFrame(int cornerX, int cornerY) {
    const double g = m_g;
    // The frame lies g millimetres outside the copy on every side.
    const int wx = truncUnits(m_u * (m_params.jobHeight + 2 * g));
    const int wy = truncUnits(m_u * (m_params.jobWidth + 2 * g));
    if (!m_params.overcutOn) {
        m_pen.frameStartAt(cornerX, cornerY);
        m_pen.cutBy(wx, 0);
        m_pen.cutBy(0, wy);
        m_pen.cutBy(-wx, 0);
        m_pen.cutBy(0, -wy);
        return;
    }
    // Every side is entered and left with the overcut, so it is cut o beyond both its corners.
    const int o = m_overcut.length();
    m_pen.moveUpTo(cornerX, cornerY);
    m_pen.strokeMove(0, -o);
    m_pen.strokeCut(0, o);
    m_pen.cutBy(0, wy);
    m_pen.strokeCut(0, o);
    m_pen.strokeMove(0, -o);

    m_pen.strokeMove(-o, 0);
    m_pen.strokeCut(o, 0);
    m_pen.cutBy(wx, 0);
    m_pen.strokeCut(o, 0);
    m_pen.strokeMove(-o, 0);

    m_pen.strokeMove(0, o);
    m_pen.strokeCut(0, -o);
    m_pen.cutBy(0, -wy);
    m_pen.strokeCut(0, -o);
    m_pen.strokeMove(0, o);

    m_pen.strokeMove(o, 0);
    m_pen.strokeCut(-o, 0);
    m_pen.cutBy(-wx, 0);
    m_pen.strokeCut(-o, 0);
    m_pen.strokeMove(o, 0);
}

void PathWalker::finishPass(int groupIndex, int pass) {
    const PlotParameters& p = m_params;
    const double g = m_g;
    // Only a layer or colour group can be followed by another group; the frame group is the last.
    const bool anotherGroup = groupIndex >= 0 && (groupIndex < p.groupCount - 1 || p.frameGroupFollows);
    int tx = 0, ty = 0;
    bool liftOnly = false;
    if (pass < p.repeatCount || anotherGroup) {
        // The next pass or group starts from the device origin.
    } else if (p.jobState.marksMode) {
        liftOnly = true;
    } else if (p.endPosition == 1) {
        const int r = m_lastRow;
        tx = m_x0 +
             truncUnits(m_u * (r * p.distanceV + (r + 1) * (p.jobHeight + 2 * g) + p.endPositionDistance));
    } else if (p.endPosition == 2) {
        const bool bottomLeft = p.positionMode == kPositionBottomLeft;
        const int k = (p.copyTotal > p.columns || bottomLeft) ? p.columns - 1 : m_lastColumn;
        const double distance = bottomLeft ? 0 : p.endPositionDistance;
        ty = m_y0 + truncUnits(m_u * (k * p.distanceH + (k + 1) * (p.jobWidth + 2 * g) + distance));
    }
    m_emitter.endOfPass(m_out, tx - m_pen.x(), ty - m_pen.y(), tx, ty, liftOnly);
    m_context.progress.setPosition(m_paths * p.copyTotal * pass);
    endOfPassWait(m_context.interaction);
    if (pass >= p.repeatCount) m_context.progress.hide();
}

}  // namespace sartovin

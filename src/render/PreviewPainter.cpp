#include "render/PreviewPainter.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

#include "base/StartMode.h"
#include "job/Bezier.h"

namespace sartovin {

namespace {

int pixels(double mm, double pxPerMm) { return std::max(1, static_cast<int>(std::lround(mm * pxPerMm))); }

// Chords per curve: about one per two pixels of the control polygon, enough for a smooth look at
// any zoom without drawing thousands of points for a tiny curve.
int chordsFor(const PathSegment& s, double pxPerMmAlong, double pxPerMmAcross) {
    auto d = [&](double x0, double y0, double x1, double y1) {
        return std::hypot((x1 - x0) * pxPerMmAlong, (y1 - y0) * pxPerMmAcross);
    };
    const double poly = d(s.startX, s.startY, s.ctrl1X, s.ctrl1Y) +
                        d(s.ctrl1X, s.ctrl1Y, s.ctrl2X, s.ctrl2Y) + d(s.ctrl2X, s.ctrl2Y, s.endX, s.endY);
    return std::clamp(static_cast<int>(poly / 2.0), 2, 200);
}

}  // namespace

QSize PreviewPainter::copySize(const PreviewScene& scene, double pxPerMm) {
    return {pixels(scene.copyWidth(), pxPerMm), pixels(scene.copyLength(), pxPerMm)};
}

QImage PreviewPainter::renderCopy(const Job& job, const PreviewScene& scene, double pxPerMm) {
    const QSize size = copySize(scene, pxPerMm);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    drawCopy(p, job, scene, pxPerMm, QRect(QPoint(0, 0), size));
    return image;
}

void PreviewPainter::drawCopy(QPainter& p, const Job& job, const PreviewScene& scene, double pxPerMm,
                              const QRect& part) {
    const QSize size = copySize(scene, pxPerMm);
    const double w = size.width();
    const double h = size.height();
    const double g = scene.frameDistance;
    p.save();
    p.setClipRect(part, Qt::IntersectClip);
    p.fillRect(part, Qt::white);

    // Job area: across [g, g + width] from the copy's right edge, along [g, g + length] from its
    // front (lower) edge.
    const QRectF area(w - (g + scene.jobWidth) * pxPerMm, h - (g + scene.jobLength) * pxPerMm,
                      scene.jobWidth * pxPerMm, scene.jobLength * pxPerMm);
    const bool inverted = scene.startMode.isLaser() && scene.invert;
    p.fillRect(area, inverted ? jobAreaInverted() : jobArea());

    // A job point (x along, y across) lands at u = w − (g + y·sy)·s, v = h − (g + x·sx)·s.
    const double kx = scene.scaleAlong * pxPerMm;
    const double ky = scene.scaleAcross * pxPerMm;
    auto at = [&](double x, double y) { return QPointF(w - g * pxPerMm - y * ky, h - g * pxPerMm - x * kx); };
    // A path is drawn when its control points' box, a pixel wider on every side for the pen,
    // meets the part: the curve lies within that box.
    const QRectF visible = QRectF(part).adjusted(-2, -2, 2, 2);
    auto meetsPart = [&](const JobPath& path) {
        double minX = path.segments.front().startX, maxX = minX;
        double minY = path.segments.front().startY, maxY = minY;
        for (const PathSegment& s : path.segments) {
            for (double x : {s.startX, s.ctrl1X, s.ctrl2X, s.endX}) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
            for (double y : {s.startY, s.ctrl1Y, s.ctrl2Y, s.endY}) {
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
        }
        // A straight line has a box of no width or height: compare the edges, not the areas.
        const QPointF a = at(maxX, maxY), b = at(minX, minY);
        return std::max(a.x(), b.x()) >= visible.left() && std::min(a.x(), b.x()) <= visible.right() &&
               std::max(a.y(), b.y()) >= visible.top() && std::min(a.y(), b.y()) <= visible.bottom();
    };

    QPen pen(Qt::black, 1);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    // The laser edition shows an inverted job as the engraver burns it: lines invert what lies
    // under them instead of being painted black.
    if (inverted) p.setCompositionMode(QPainter::RasterOp_NotDestination);
    QPolygonF line;
    for (const JobLayer& layer : job.layers) {
        for (const JobObject& object : layer.objects) {
            for (const JobPath& path : object.paths) {
                if (path.segments.empty() || !meetsPart(path)) continue;
                line.clear();
                const PathSegment& first = path.segments.front();
                line << at(first.startX, first.startY);
                for (const PathSegment& s : path.segments) {
                    // A segment that does not start where the previous one ended starts anew.
                    const QPointF start = at(s.startX, s.startY);
                    const QPointF gap = start - line.back();
                    if (std::abs(gap.x()) + std::abs(gap.y()) > 0.01) {
                        if (line.size() > 1) p.drawPolyline(line);
                        line.clear();
                        line << start;
                    }
                    if (s.kind == kSegmentCurve) {
                        const int n = chordsFor(s, kx, ky);
                        for (int i = 1; i < n; ++i) {
                            const BezierPoint b = bezierPoint(s, static_cast<double>(i) / n);
                            line << at(b.x, b.y);
                        }
                    }
                    line << at(s.endX, s.endY);
                }
                if (path.closed && line.size() > 1 && line.front() != line.back()) line << line.front();
                if (line.size() > 1) p.drawPolyline(line);
            }
        }
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);

    // The frame is an outline only: a filled rectangle would cover the paths just drawn.
    const QRectF frame(0, 0, w - 1, h - 1);
    if (scene.frameOn) {
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(frame);
    } else if (scene.marksMode) {
        p.setPen(QPen(marksFrame(), 1));
        p.drawRect(frame);
    }
    p.restore();
}

QRect PreviewPainter::copyRect(const PreviewScene& scene, const PreviewCell& cell, double pxPerMm,
                               QPointF origin) {
    const QSize size = copySize(scene, pxPerMm);
    const double left = origin.x() - (scene.cellRight(cell) + scene.copyWidth()) * pxPerMm;
    const double top = origin.y() - (scene.cellFront(cell) + scene.copyLength()) * pxPerMm;
    return {static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)), size.width(),
            size.height()};
}

QRectF PreviewPainter::mediumRect(const PreviewScene& scene, double pxPerMm, QPointF origin) {
    const double w = scene.mediumWidth * pxPerMm;
    const double h = scene.mediumLength * pxPerMm;
    return {origin.x() - w, origin.y() - h, w, h};
}

namespace {

void paintMedium(QPainter& painter, const PreviewScene& scene, double pxPerMm, QPointF origin) {
    const QRectF medium = PreviewPainter::mediumRect(scene, pxPerMm, origin);
    const QRectF outline(medium.left(), medium.top(), std::max(0.0, medium.width() - 1),
                         std::max(0.0, medium.height() - 1));
    if (scene.startMode.isHobby()) {
        painter.fillRect(medium, PreviewPainter::mediumFill());
        painter.setPen(QPen(PreviewPainter::mediumOutline(), 1));
    } else {
        painter.setPen(QPen(PreviewPainter::mediumOutlineOther(), 1));
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(outline);
}

}  // namespace

void PreviewPainter::paint(QPainter& painter, const PreviewScene& scene, const QImage& copy, double pxPerMm,
                           QPointF origin, const QRect& clip) {
    painter.save();
    painter.setClipRect(clip);
    paintMedium(painter, scene, pxPerMm, origin);
    if (!copy.isNull()) {
        for (const PreviewCell& cell : scene.cells) {
            const QRect r = copyRect(scene, cell, pxPerMm, origin);
            if (!r.intersects(clip)) continue;
            painter.drawImage(r.topLeft(), copy);
        }
    }
    painter.restore();
}

void PreviewPainter::paintDirect(QPainter& painter, const PreviewScene& scene, const Job& job, double pxPerMm,
                                 QPointF origin, const QRect& clip) {
    painter.save();
    painter.setClipRect(clip);
    paintMedium(painter, scene, pxPerMm, origin);
    for (const PreviewCell& cell : scene.cells) {
        const QRect r = copyRect(scene, cell, pxPerMm, origin);
        const QRect part = r & clip;
        if (part.isEmpty()) continue;
        painter.save();
        painter.translate(r.topLeft());
        drawCopy(painter, job, scene, pxPerMm, part.translated(-r.topLeft()));
        painter.restore();
    }
    painter.restore();
}

QPointF PreviewPainter::previewOrigin(const PreviewScene& scene, double pxPerMm, int marginPx,
                                      double lengthLimitMm) {
    double along = scene.extentAlong();
    if (lengthLimitMm > 0) along = std::min(along, lengthLimitMm);
    return {marginPx + scene.extentAcross() * pxPerMm, marginPx + along * pxPerMm};
}

QImage PreviewPainter::renderPreview(const Job* job, const PreviewScene& scene, double pxPerMm, int marginPx,
                                     double lengthLimitMm) {
    const QPointF origin = previewOrigin(scene, pxPerMm, marginPx, lengthLimitMm);
    const QSize size(static_cast<int>(std::ceil(origin.x())) + marginPx,
                     static_cast<int>(std::ceil(origin.y())) + marginPx);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (job == nullptr) return image;
    QPainter p(&image);
    paintDirect(p, scene, *job, pxPerMm, origin, image.rect());
    return image;
}

}  // namespace sartovin

#pragma once
// Painting of the preview on any paint device: the medium area, one copy of the job rendered once
// into an image, and that image placed at every copy's position.
//
// Screen mapping (what the user sees is what the cutter cuts): the plotter's origin, the right
// corner of the front medium edge, is the lower right corner of the drawn medium. The medium feed
// (device X, the job's x after layout, the layout's length) runs up the screen; the head direction
// (device Y, the job's y, the layout's width) runs to the left. A drawing laid out with the
// default rotation (90° right) therefore appears upright, as in the drawing program.

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>

#include "pages/PreviewScene.h"

class QPainter;

namespace sartovin {

class PreviewPainter {
public:
    // Colours of the preview (the window's own palette).
    static QColor mediumFill() { return QColor(0xFF, 0xFF, 0xE6); }          ///< pale yellow, hobby edition
    static QColor mediumOutline() { return QColor(0x00, 0x00, 0xFF); }       ///< blue
    static QColor mediumOutlineOther() { return QColor(0xC8, 0xC8, 0xC8); }  ///< grey, other editions
    static QColor jobArea() { return QColor(0xF0, 0xF0, 0xF0); }             ///< light grey
    static QColor jobAreaInverted() { return QColor(0x0A, 0x0A, 0x0A); }     ///< laser edition, inverted
    static QColor marksFrame() { return QColor(0x64, 0x64, 0x64); }          ///< dark grey

    /// Renders one copy at `pxPerMm` pixels per millimetre: white, the job area in light grey, the
    /// job's paths in black (curves flattened), the weeding frame or the marks frame. The image is
    /// copySize() pixels large.
    static QImage renderCopy(const Job& job, const PreviewScene& scene, double pxPerMm);
    /// Draws what renderCopy() renders with the copy's top left corner at the painter's origin,
    /// only within `part` (copy pixels): paths wholly outside it are skipped, so drawing a small
    /// part of a large copy costs little more than reading the job.
    static void drawCopy(QPainter& painter, const Job& job, const PreviewScene& scene, double pxPerMm,
                         const QRect& part);
    /// Size of one copy's image in pixels (at least 1 × 1).
    static QSize copySize(const PreviewScene& scene, double pxPerMm);

    /// The rectangle of a copy in the painter's pixels, for a medium whose plotter origin (lower
    /// right corner) lies at `origin`.
    static QRect copyRect(const PreviewScene& scene, const PreviewCell& cell, double pxPerMm, QPointF origin);
    /// The medium's rectangle in the painter's pixels.
    static QRectF mediumRect(const PreviewScene& scene, double pxPerMm, QPointF origin);

    /// Paints the medium and places `copy` at every cell of the scene, within `clip`. A null
    /// `copy` paints the medium only.
    static void paint(QPainter& painter, const PreviewScene& scene, const QImage& copy, double pxPerMm,
                      QPointF origin, const QRect& clip);
    /// Paints the medium and draws the visible part of every copy straight onto the painter,
    /// within `clip`: no image of a whole copy is made, whatever the zoom.
    static void paintDirect(QPainter& painter, const PreviewScene& scene, const Job& job, double pxPerMm,
                            QPointF origin, const QRect& clip);

    /// The whole preview as an image: white, with `marginPx` around the scene's extent. Without a
    /// job only the white background is drawn, as in the window. A positive `lengthLimitMm` cuts
    /// the picture off that far up from the front edge (a roll of 50 m need not be drawn whole).
    static QImage renderPreview(const Job* job, const PreviewScene& scene, double pxPerMm, int marginPx = 20,
                                double lengthLimitMm = 0);
    /// Where renderPreview() puts the plotter origin.
    static QPointF previewOrigin(const PreviewScene& scene, double pxPerMm, int marginPx = 20,
                                 double lengthLimitMm = 0);
};

}  // namespace sartovin

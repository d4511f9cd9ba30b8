#include "widgets/COXRulerBar.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace sartovin {

COXRulerBar::COXRulerBar(bool horizontal, QWidget* parent) : QWidget(parent), m_horizontal(horizontal) {
    setAutoFillBackground(false);
    if (horizontal)
        setFixedHeight(kThickness);
    else
        setFixedWidth(kThickness);
}

void COXRulerBar::setCalibration(int units, double unitsPerInch) {
    m_units = units;
    if (unitsPerInch > 0) m_unitsPerInch = unitsPerInch;
    update();
}

void COXRulerBar::setMapping(double originPx, double pixelsPerUnit, bool reversed) {
    m_originPx = originPx;
    m_pixelsPerUnit = pixelsPerUnit > 0 ? pixelsPerUnit : m_pixelsPerUnit;
    m_reversed = reversed;
    update();
}

double COXRulerBar::pixelOf(double units) const {
    return m_originPx + (m_reversed ? -units : units) * m_pixelsPerUnit;
}

void COXRulerBar::setUnits(Units units) {
    m_display = units;
    update();
}

QSize COXRulerBar::sizeHint() const { return m_horizontal ? QSize(100, kThickness) : QSize(kThickness, 100); }

void COXRulerBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::Mid));
    if (m_horizontal)
        p.drawLine(0, height() - 1, width(), height() - 1);
    else
        p.drawLine(width() - 1, 0, width() - 1, height());

    // One major tick per centimetre or inch with a label, minor ticks per millimetre or eighth of
    // an inch; labels are thinned out so that they never crowd at small zoom levels.
    const bool inches = m_display == Units::Inches;
    const double majorUnits = inches ? m_unitsPerInch : m_unitsPerInch / 2.54;
    const int minorPerMajor = inches ? 8 : 10;
    const double majorPx = majorUnits * m_pixelsPerUnit;
    if (majorPx <= 0) return;
    // Label every 1, 2, 5, 10, 20, 50 ... majors, the first step that leaves 40 pixels per label.
    long labelEvery = 1;
    for (int i = 0; majorPx * labelEvery < 40 && labelEvery < 1000000; ++i)
        labelEvery = (i % 3 == 1) ? labelEvery / 2 * 5 : labelEvery * 2;
    const bool drawMinor = majorPx / minorPerMajor >= 4;

    const int length = m_horizontal ? width() : height();
    // The ruler value range visible on the bar.
    double a = (0 - m_originPx) / m_pixelsPerUnit * (m_reversed ? -1 : 1);
    double b = (length - m_originPx) / m_pixelsPerUnit * (m_reversed ? -1 : 1);
    if (a > b) std::swap(a, b);
    const long first = static_cast<long>(std::floor(a / majorUnits)) - 1;
    const long last = static_cast<long>(std::ceil(b / majorUnits)) + 1;

    QFont f = font();
    f.setPointSizeF(7);
    p.setFont(f);
    p.setPen(palette().color(QPalette::WindowText));
    const int t = kThickness;
    for (long major = first; major <= last; ++major) {
        for (int minor = 0; minor < minorPerMajor; ++minor) {
            if (minor != 0 && !drawMinor) continue;
            const double units = (major + static_cast<double>(minor) / minorPerMajor) * majorUnits;
            const double px = pixelOf(units);
            if (px < -1 || px > length + 1) continue;
            const int tick = minor == 0 ? t / 2 : (minor == minorPerMajor / 2 ? t / 3 : t / 5);
            const int pos = static_cast<int>(std::lround(px));
            if (m_horizontal)
                p.drawLine(pos, t - tick, pos, t - 1);
            else
                p.drawLine(t - tick, pos, t - 1, pos);
            if (minor == 0 && major % labelEvery == 0) {
                const QString label = QString::number(major);
                if (m_horizontal) {
                    p.drawText(QPointF(pos + 2, t / 2.0), label);
                } else {
                    p.save();
                    p.translate(t / 2.0, pos - 2);
                    p.rotate(-90);
                    p.drawText(QPointF(0, 0), label);
                    p.restore();
                }
            }
        }
    }
}

}  // namespace sartovin

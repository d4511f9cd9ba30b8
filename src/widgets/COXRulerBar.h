#pragma once
// A ruler bar beside a scroll window: ticks and labels in centimetres or inches along one edge.
// The ruler counts in its own units (the preview uses tenths of a millimetre, 254 to the inch);
// the owner tells it where unit 0 lies on the bar, in which direction the units grow and how
// many pixels one unit takes at the current zoom.

#include <QWidget>

namespace sartovin {

class COXRulerBar : public QWidget {
    Q_OBJECT
public:
    enum class Units { Centimeters, Inches };

    /// `horizontal`: a bar above the view (ticks run left–right); otherwise beside it.
    explicit COXRulerBar(bool horizontal, QWidget* parent = nullptr);

    bool isHorizontal() const { return m_horizontal; }

    /// The ruler's extent in its units and how many of them make an inch (2540 and 254.0 for
    /// ten inches counted in tenths of a millimetre). `unitsPerInch` must be positive.
    void setCalibration(int units, double unitsPerInch);
    int calibrationUnits() const { return m_units; }
    double unitsPerInch() const { return m_unitsPerInch; }

    /// Where unit 0 lies on the bar (pixels from its left or top end), the pixels per unit, and
    /// whether the units grow towards the left / upwards (`reversed`) or to the right / down.
    void setMapping(double originPx, double pixelsPerUnit, bool reversed);
    double originPx() const { return m_originPx; }
    double pixelsPerUnit() const { return m_pixelsPerUnit; }
    bool reversed() const { return m_reversed; }

    /// The bar position of a ruler value, in pixels.
    double pixelOf(double units) const;

    void setUnits(Units units);
    Units units() const { return m_display; }

    /// Thickness of the bar across its length, pixels.
    static constexpr int kThickness = 20;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_horizontal = true;
    int m_units = 2540;
    double m_unitsPerInch = 254.0;
    double m_originPx = 0;
    double m_pixelsPerUnit = 0.1;
    bool m_reversed = false;
    Units m_display = Units::Centimeters;
};

}  // namespace sartovin

#pragma once
// The scroll-and-zoom window of the widget set: a viewport over a content of a fixed size at
// 100 %, zoom levels from 10 % to 1000 %, ruler bars along the top and left edges, and a context
// menu with the zoom levels, fitting, smooth scrolling and the ruler choices.
//
// A derived window paints the content itself (paintEvent on the viewport, shifted by
// contentOffset()). Every zoom request, from the menu, the wheel or setZoomPercent(), goes through
// the virtual zoomRequested(); the default applies it at once, a derived window may wrap the
// application (the preview coalesces its redraws there).

#include <QAbstractScrollArea>
#include <QSizeF>

#include <vector>

class QMenu;
class QVariantAnimation;

namespace sartovin {

class COXRulerBar;

class COXScrollWnd : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit COXScrollWnd(QWidget* parent = nullptr);
    ~COXScrollWnd() override;

    /// The zoom levels of the menu, percent: 10, 25, 50, 100 … 1000.
    static const std::vector<int>& zoomLevels();
    static constexpr int kMinZoom = 10;
    static constexpr int kMaxZoom = 1000;

    /// Current zoom, percent (kMinZoom..kMaxZoom).
    int zoomPercent() const { return m_zoom; }
    /// Requests a zoom (clamped to the range) through zoomRequested().
    void setZoomPercent(int percent);

    /// Content size in pixels at 100 %; the scrollable size is this times the zoom.
    void setContentSize(const QSizeF& sizeAt100);
    QSizeF contentSize() const { return m_content; }
    /// Top-left corner of the content in viewport coordinates (negative when scrolled; centred
    /// when the zoomed content is smaller than the viewport).
    QPoint contentOffset() const;
    /// Scrolls so that the content point `point` (pixels at the current zoom) lies at the
    /// viewport position `at`, as far as the scroll ranges allow.
    void scrollContentPointTo(const QPointF& point, const QPointF& at);

    /// The largest zoom (whole percent, within the range) at which the content fits the viewport.
    int fitZoomPercent() const;
    /// "Zoom to content": requests fitZoomPercent(); a window whose content has a part that
    /// matters most may fit that instead.
    virtual void zoomToContent();
    /// "Always fit window": the zoom follows the window size.
    void setAlwaysFitWindow(bool on);
    bool alwaysFitWindow() const { return m_alwaysFit; }
    /// "Smooth scrolling": wheel and page steps glide instead of jumping.
    void setSmoothScrolling(bool on) { m_smooth = on; }
    bool smoothScrolling() const { return m_smooth; }

    /// Ruler bars: "Horizontal" and "Vertical" shown or hidden, "Inches" or "Centimeters".
    void setRulersVisible(bool horizontal, bool vertical);
    bool horizontalRulerVisible() const { return m_showHRuler; }
    bool verticalRulerVisible() const { return m_showVRuler; }
    void setRulerInches(bool inches);
    bool rulerInches() const { return m_inches; }
    COXRulerBar* horizontalRuler() const { return m_hRuler; }
    COXRulerBar* verticalRuler() const { return m_vRuler; }

    /// A new context menu with the zoom and ruler entries, checked and enabled as they stand.
    /// The caller owns it. Entries that the window does not offer ("Use track zoom") are shown
    /// disabled.
    QMenu* createContextMenu(QWidget* parent);

signals:
    /// The zoom was applied (old and new percent differ).
    void zoomChanged(int percent);

protected:
    /// Every zoom request ends here; the default applies it. `percent` is already clamped.
    virtual void zoomRequested(int percent);
    /// Applies a zoom: scroll ranges, rulers, keeps the viewport centre on the same content
    /// point, emits zoomChanged. Repaints the viewport unless repaints on zoom are off.
    void applyZoom(int percent);
    /// A derived window that schedules its own repaint after zooming switches this off.
    void setRepaintOnZoom(bool on) { m_repaintOnZoom = on; }
    /// Called whenever the content moved under the viewport or the zoom changed: the rulers
    /// follow. The default does nothing.
    virtual void updateRulers() {}

    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void updateScrollBars();
    void placeRulers();
    void glideTo(int hValue, int vValue);

    QSizeF m_content{0, 0};
    int m_zoom = 100;
    bool m_alwaysFit = false;
    bool m_smooth = false;
    bool m_showHRuler = true;
    bool m_showVRuler = true;
    bool m_inches = false;
    bool m_repaintOnZoom = true;
    bool m_applyingZoom = false;
    COXRulerBar* m_hRuler = nullptr;
    COXRulerBar* m_vRuler = nullptr;
    QVariantAnimation* m_glide = nullptr;
};

}  // namespace sartovin

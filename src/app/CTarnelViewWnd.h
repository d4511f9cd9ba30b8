#pragma once
// The preview window: the medium and the laid-out job with all its copies, as they will be cut.
// It only displays; the layout page positions the job. The main window hands it the layout,
// options, job and job state once (setSources) and calls updateLayout() after every change.
//
// Painting renders one copy into an image only when the layout or the zoom changed; every copy is
// then one image copy. A copy larger than kMaxCopyImagePixels is instead drawn straight into the
// area being painted, so no bitmap grows with the zoom or the job. Zoom changes are coalesced: the first starts a 100 ms timer, and the
// window repaints once when it fires.

#include <QImage>
#include <QTimer>

#include "base/StartMode.h"
#include "pages/PreviewScene.h"
#include "widgets/COXScrollWnd.h"

namespace sartovin {

class LayoutModel;
class OptionsModel;

class CTarnelViewWnd : public COXScrollWnd {
    Q_OBJECT
public:
    explicit CTarnelViewWnd(QWidget* parent = nullptr);
    ~CTarnelViewWnd() override;

    /// The models the preview shows; none is owned, all must outlive the window (or be replaced
    /// first). A null `job` means no job is loaded: the window shows only its background.
    void setSources(const LayoutModel* layout, const OptionsModel* options, const Job* job,
                    const JobState* state, StartMode startMode);

    /// "Update layout": re-reads the layout values and the client size, recomputes the copy
    /// metrics, the display scale and the scrollable size, and repaints with a fresh copy image.
    void updateLayout();

    /// One repaint `delayMs` milliseconds from now (0: at the next event loop pass); a request
    /// while one is pending restarts it.
    void requestRedraw(int delayMs);

    /// The screen's width in pixels and in millimetres, from which 100 % shows true size. Read
    /// from the window's screen; a screen that reports no physical size counts as 96 dpi.
    void setScreenSize(int widthPx, double widthMm);
    /// Pixels per millimetre at 100 %.
    double displayScale() const { return m_displayScale; }
    /// Pixels per millimetre at the current zoom.
    double pixelsPerMm() const { return m_displayScale * zoomPercent() / 100.0; }

    /// "Zoom to content": the zoom at which every copy of the job, with some of the medium
    /// around it, fills the view, scrolled so that the job lies in its middle. Without a job the
    /// whole content is fitted.
    void zoomToContent() override;
    /// The copies of the job and a margin of medium around them, in millimetres from the top left
    /// corner of the content; empty without a job or copies.
    QRectF jobAreaMm() const;

    /// The scene last computed, and where the plotter origin lies in viewport pixels.
    const PreviewScene& scene() const { return m_scene; }
    QPointF originInViewport() const;

    /// How often one copy was rendered and how often the viewport was painted (for tests and
    /// diagnostics).
    int renderCount() const { return m_renderCount; }
    /// Bytes held by the copy image (0 while copies are drawn straight into the window).
    qint64 copyImageBytes() const { return m_copy.sizeInBytes(); }
    /// The largest copy kept as an image: 4 M pixels, 16 MB.
    static constexpr qint64 kMaxCopyImagePixels = 4'000'000;
    int paintCount() const { return m_paintCount; }
    bool zoomTimerActive() const { return m_zoomTimer.isActive(); }

protected:
    void zoomRequested(int percent) override;
    void updateRulers() override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void readScreen();
    void computeScene();
    void updateContentSize();
    QPointF originInContent() const;

    const LayoutModel* m_layout = nullptr;
    const OptionsModel* m_options = nullptr;
    const Job* m_job = nullptr;
    const JobState* m_state = nullptr;
    StartMode m_startMode = 1;

    PreviewScene m_scene;
    double m_displayScale = 96.0 / 25.4;
    bool m_screenGiven = false;
    int m_previousZoom = 100;
    QImage m_copy;
    double m_copyScale = 0;       ///< pixels per mm the copy image was rendered at
    bool m_reRender = true;       ///< render the copy again at the next paint
    bool m_layoutChanged = true;  ///< recompute the scene at the next paint
    bool m_busyInZoom = false;    ///< suppresses nested zoom handling
    bool m_scrolledToOrigin = false;
    bool m_fitPending = false;  ///< "Zoom to content" waits for a view large enough to fit into
    QTimer m_zoomTimer;
    QTimer m_redrawTimer;
    int m_renderCount = 0;
    int m_paintCount = 0;
};

}  // namespace sartovin

#include "app/CTarnelViewWnd.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cmath>

#include "render/PreviewPainter.h"
#include "widgets/COXRulerBar.h"

namespace sartovin {

namespace {

// White space around the medium in the scrollable area, mm.
constexpr double kMarginMm = 5.0;
// The rulers count tenths of a millimetre: 254 to the inch, 2540 for ten inches.
constexpr int kRulerUnits = 2540;
constexpr double kRulerUnitsPerInch = 254.0;
constexpr int kZoomCoalesceMs = 100;
constexpr int kLeastFitRoom = 100;  // pixels; a smaller view would fit the job at a useless zoom

}  // namespace

CTarnelViewWnd::CTarnelViewWnd(QWidget* parent) : COXScrollWnd(parent) {
    setWindowTitle(QStringLiteral("Layout"));
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    // Repaints after zooming come from the coalescing timer, not from the zoom itself.
    setRepaintOnZoom(false);
    for (COXRulerBar* ruler : {horizontalRuler(), verticalRuler()})
        ruler->setCalibration(kRulerUnits, kRulerUnitsPerInch);
    setRulersVisible(true, true);

    m_zoomTimer.setSingleShot(true);
    m_zoomTimer.setInterval(kZoomCoalesceMs);
    connect(&m_zoomTimer, &QTimer::timeout, this, [this] { viewport()->update(); });
    m_redrawTimer.setSingleShot(true);
    connect(&m_redrawTimer, &QTimer::timeout, this, [this] { viewport()->update(); });
    readScreen();
}

CTarnelViewWnd::~CTarnelViewWnd() = default;

void CTarnelViewWnd::setSources(const LayoutModel* layout, const OptionsModel* options, const Job* job,
                                const JobState* state, StartMode startMode) {
    m_layout = layout;
    m_options = options;
    m_job = job;
    m_state = state;
    m_startMode = startMode;
    m_layoutChanged = m_reRender = true;
    m_scrolledToOrigin = false;
}

void CTarnelViewWnd::setScreenSize(int widthPx, double widthMm) {
    if (widthPx <= 0 || !(widthMm > 0)) return;
    m_screenGiven = true;
    m_displayScale = widthPx / widthMm;
    m_reRender = true;
    updateContentSize();
}

void CTarnelViewWnd::readScreen() {
    if (m_screenGiven) return;
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    double scale = 96.0 / 25.4;
    if (s != nullptr && s->physicalSize().width() > 0 && s->geometry().width() > 0)
        scale = s->geometry().width() / s->physicalSize().width();
    if (scale != m_displayScale) {
        m_displayScale = scale;
        m_reRender = true;
    }
}

void CTarnelViewWnd::computeScene() {
    if (m_layout != nullptr && m_options != nullptr && m_state != nullptr)
        m_scene = previewSceneOf(*m_layout, *m_options, *m_state, m_startMode);
    else
        m_scene = PreviewScene{};
    m_layoutChanged = false;
}

void CTarnelViewWnd::updateLayout() {
    // Qt has already delivered the window's size before any call can reach us, so unlike a
    // message loop there is nothing to flush first; the current viewport size is the client size.
    readScreen();
    computeScene();
    m_reRender = true;
    updateContentSize();
    viewport()->update();
}

QPointF CTarnelViewWnd::originInContent() const {
    const double s = pixelsPerMm();
    return {(kMarginMm + m_scene.extentAcross()) * s, (kMarginMm + m_scene.extentAlong()) * s};
}

QPointF CTarnelViewWnd::originInViewport() const { return originInContent() + QPointF(contentOffset()); }

void CTarnelViewWnd::updateContentSize() {
    if (m_job == nullptr || m_layout == nullptr) {
        setContentSize(QSizeF(0, 0));
        return;
    }
    const double s = m_displayScale;
    setContentSize(
        QSizeF((m_scene.extentAcross() + 2 * kMarginMm) * s, (m_scene.extentAlong() + 2 * kMarginMm) * s));
    if (!m_scrolledToOrigin) {
        // Open on the plotter's origin, where the first copy lies.
        m_scrolledToOrigin = true;
        horizontalScrollBar()->setValue(horizontalScrollBar()->maximum());
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    }
    updateRulers();
}

void CTarnelViewWnd::zoomRequested(int percent) {
    if (m_busyInZoom) return;
    m_busyInZoom = true;
    m_layoutChanged = true;
    applyZoom(percent);
    const int level = zoomPercent();
    if (level != m_previousZoom && !m_zoomTimer.isActive()) {
        m_reRender = true;
        m_zoomTimer.start();
    }
    m_previousZoom = level;
    m_busyInZoom = false;
}

QRectF CTarnelViewWnd::jobAreaMm() const {
    if (m_job == nullptr || m_layout == nullptr || m_scene.cells.empty()) return {};
    // The origin (the right corner of the front medium edge) in content millimetres; copies lie
    // to its left and behind it.
    const double originX = kMarginMm + m_scene.extentAcross();
    const double originY = kMarginMm + m_scene.extentAlong();
    QRectF area;
    for (const PreviewCell& c : m_scene.cells) {
        const double right = originX - m_scene.cellRight(c);
        const double front = originY - m_scene.cellFront(c);
        area |=
            QRectF(QPointF(right - m_scene.copyWidth(), front - m_scene.copyLength()), QPointF(right, front));
    }
    if (area.isEmpty()) return {};
    // Some medium around the job shows where it lies.
    const double margin = std::max(10.0, 0.08 * std::max(area.width(), area.height()));
    area.adjust(-margin, -margin, margin, margin);
    const QRectF content(0, 0, m_scene.extentAcross() + 2 * kMarginMm, m_scene.extentAlong() + 2 * kMarginMm);
    return area.intersected(content);
}

void CTarnelViewWnd::zoomToContent() {
    if (m_layoutChanged) computeScene();
    const QRectF area = jobAreaMm();
    if (area.isEmpty() || !(m_displayScale > 0)) {
        COXScrollWnd::zoomToContent();
        return;
    }
    // The room the view has once the rulers and both scroll bars take theirs.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const QSize room =
        maximumViewportSize() - QSize(COXRulerBar::kThickness + bar, COXRulerBar::kThickness + bar);
    // A view not laid out yet (or squeezed to a sliver) fits once it has room.
    m_fitPending = room.width() < kLeastFitRoom || room.height() < kLeastFitRoom;
    if (m_fitPending) return;
    const double fit = std::min(room.width() / (area.width() * m_displayScale),
                                room.height() / (area.height() * m_displayScale));
    setZoomPercent(std::clamp(static_cast<int>(std::floor(fit * 100.0)), kMinZoom, kMaxZoom));
    m_scrolledToOrigin = true;
    const double s = pixelsPerMm();
    scrollContentPointTo(area.center() * s, QPointF(viewport()->width() / 2.0, viewport()->height() / 2.0));
    updateRulers();
}

void CTarnelViewWnd::requestRedraw(int delayMs) { m_redrawTimer.start(std::max(0, delayMs)); }

void CTarnelViewWnd::updateRulers() {
    // Both rulers read from the plotter's origin: across from the right medium edge (growing to
    // the left), along from the front edge (growing upwards), in tenths of a millimetre, the
    // same distances the layout page's position edits show.
    const QPointF origin = originInViewport();
    const double perUnit = pixelsPerMm() / 10.0;
    horizontalRuler()->setMapping(origin.x(), perUnit, true);
    verticalRuler()->setMapping(origin.y(), perUnit, true);
}

void CTarnelViewWnd::paintEvent(QPaintEvent* event) {
    ++m_paintCount;
    QPainter p(viewport());
    p.fillRect(event->rect(), Qt::white);
    if (m_job == nullptr || m_layout == nullptr || m_options == nullptr || m_state == nullptr) return;

    if (m_layoutChanged) computeScene();
    const double s = pixelsPerMm();
    // A copy small enough is rendered once into an image that every copy reuses; a larger one
    // (a long job, a high zoom) is drawn straight into the exposed area, so the memory the
    // preview takes stays bounded at any zoom and job size.
    const QSize copySize = PreviewPainter::copySize(m_scene, s);
    if (qint64(copySize.width()) * copySize.height() > kMaxCopyImagePixels) {
        m_copy = QImage();
        if (m_reRender) ++m_renderCount;
        PreviewPainter::paintDirect(p, m_scene, *m_job, s, originInViewport(), event->rect());
        m_reRender = false;
        return;
    }
    // A copy image of another scale would land wrongly sized, so a stale image is rendered anew
    // even when no flag asked for it (a paint that the window system asked for mid-zoom).
    if (m_reRender || m_copy.isNull() || m_copyScale != s) {
        m_copy = PreviewPainter::renderCopy(*m_job, m_scene, s);
        m_copyScale = s;
        ++m_renderCount;
    }
    PreviewPainter::paint(p, m_scene, m_copy, s, originInViewport(), event->rect());
    m_reRender = false;
}

void CTarnelViewWnd::resizeEvent(QResizeEvent* event) {
    // A view resting on the plotter's origin (scrolled to the right and to the bottom) stays
    // there when the window grows or shrinks: that is where the copies begin.
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    const bool atRight = h->value() == h->maximum();
    const bool atBottom = v->value() == v->maximum();
    COXScrollWnd::resizeEvent(event);
    if (atRight) h->setValue(h->maximum());
    if (atBottom) v->setValue(v->maximum());
    updateRulers();
    if (m_fitPending) zoomToContent();
}

void CTarnelViewWnd::showEvent(QShowEvent* event) {
    COXScrollWnd::showEvent(event);
    const double before = m_displayScale;
    readScreen();
    if (before != m_displayScale) updateContentSize();
}

// The preview offers no dragging or selection: positioning belongs to the layout page.
void CTarnelViewWnd::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->ignore();  // the context menu follows
        return;
    }
    event->accept();
}
void CTarnelViewWnd::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }
void CTarnelViewWnd::mouseMoveEvent(QMouseEvent* event) { event->accept(); }
void CTarnelViewWnd::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

}  // namespace sartovin

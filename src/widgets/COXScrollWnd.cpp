#include "widgets/COXScrollWnd.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QMenu>
#include <QResizeEvent>
#include <QScrollBar>
#include <QVariantAnimation>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "widgets/COXRulerBar.h"

namespace sartovin {

namespace {

// The menu texts of the widget set (its own English string table).
constexpr const char* kZoomMenu = "Zoom";
constexpr const char* kZoomToContent = "Zoom to content";
constexpr const char* kAlwaysFit = "Always fit window";
constexpr const char* kTrackZoom = "Use track zoom";
constexpr const char* kSmoothScrolling = "Smooth scrolling";
constexpr const char* kRulerBars = "Ruler bars";
constexpr const char* kHorizontal = "Horizontal";
constexpr const char* kVertical = "Vertical";
constexpr const char* kInches = "Inches";
constexpr const char* kCentimeters = "Centimeters";

constexpr int kGlideMs = 120;

}  // namespace

COXScrollWnd::COXScrollWnd(QWidget* parent) : QAbstractScrollArea(parent) {
    m_hRuler = new COXRulerBar(true, this);
    m_vRuler = new COXRulerBar(false, this);
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    m_glide = new QVariantAnimation(this);
    m_glide->setDuration(kGlideMs);
    connect(m_glide, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        const QPointF p = v.toPointF();
        horizontalScrollBar()->setValue(static_cast<int>(std::lround(p.x())));
        verticalScrollBar()->setValue(static_cast<int>(std::lround(p.y())));
    });
    placeRulers();
}

COXScrollWnd::~COXScrollWnd() = default;

const std::vector<int>& COXScrollWnd::zoomLevels() {
    static const std::vector<int> levels{10, 25, 50, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000};
    return levels;
}

void COXScrollWnd::setZoomPercent(int percent) { zoomRequested(std::clamp(percent, kMinZoom, kMaxZoom)); }

void COXScrollWnd::zoomRequested(int percent) { applyZoom(percent); }

void COXScrollWnd::applyZoom(int percent) {
    percent = std::clamp(percent, kMinZoom, kMaxZoom);
    if (percent == m_zoom) return;
    // Keep the content point under the viewport centre where it is.
    const QSize vp = viewport()->size();
    const QPoint offset = contentOffset();
    const QPointF centre(vp.width() / 2.0, vp.height() / 2.0);
    const QPointF atOld = centre - QPointF(offset);
    const double ratio = static_cast<double>(percent) / m_zoom;
    m_applyingZoom = true;
    m_zoom = percent;
    updateScrollBars();
    scrollContentPointTo(atOld * ratio, centre);
    m_applyingZoom = false;
    updateRulers();
    if (m_repaintOnZoom) viewport()->update();
    emit zoomChanged(m_zoom);
}

void COXScrollWnd::setContentSize(const QSizeF& sizeAt100) {
    m_content = sizeAt100;
    updateScrollBars();
    if (m_alwaysFit) setZoomPercent(fitZoomPercent());
    updateRulers();
}

QPoint COXScrollWnd::contentOffset() const {
    const QSize vp = viewport()->size();
    const double w = m_content.width() * m_zoom / 100.0;
    const double h = m_content.height() * m_zoom / 100.0;
    const int x = w < vp.width() ? static_cast<int>((vp.width() - w) / 2) : -horizontalScrollBar()->value();
    const int y = h < vp.height() ? static_cast<int>((vp.height() - h) / 2) : -verticalScrollBar()->value();
    return {x, y};
}

void COXScrollWnd::scrollContentPointTo(const QPointF& point, const QPointF& at) {
    horizontalScrollBar()->setValue(static_cast<int>(std::lround(point.x() - at.x())));
    verticalScrollBar()->setValue(static_cast<int>(std::lround(point.y() - at.y())));
}

int COXScrollWnd::fitZoomPercent() const {
    if (m_content.width() <= 0 || m_content.height() <= 0) return m_zoom;
    const QSize vp = maximumViewportSize() - QSize(m_showVRuler ? COXRulerBar::kThickness : 0,
                                                   m_showHRuler ? COXRulerBar::kThickness : 0);
    const double fx = vp.width() / m_content.width();
    const double fy = vp.height() / m_content.height();
    const int percent = static_cast<int>(std::floor(std::min(fx, fy) * 100.0));
    return std::clamp(percent, kMinZoom, kMaxZoom);
}

void COXScrollWnd::zoomToContent() { setZoomPercent(fitZoomPercent()); }

void COXScrollWnd::setAlwaysFitWindow(bool on) {
    m_alwaysFit = on;
    if (on) zoomToContent();
}

void COXScrollWnd::setRulersVisible(bool horizontal, bool vertical) {
    m_showHRuler = horizontal;
    m_showVRuler = vertical;
    placeRulers();
    updateScrollBars();
    updateRulers();
}

void COXScrollWnd::setRulerInches(bool inches) {
    m_inches = inches;
    const auto units = inches ? COXRulerBar::Units::Inches : COXRulerBar::Units::Centimeters;
    m_hRuler->setUnits(units);
    m_vRuler->setUnits(units);
}

QMenu* COXScrollWnd::createContextMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    QMenu* zoom = menu->addMenu(QString::fromUtf8(kZoomMenu));
    auto* levels = new QActionGroup(zoom);
    for (int level : zoomLevels()) {
        QAction* a = zoom->addAction(QStringLiteral("%1%").arg(level));
        a->setCheckable(true);
        a->setChecked(level == m_zoom);
        a->setEnabled(!m_alwaysFit);
        levels->addAction(a);
        connect(a, &QAction::triggered, this, [this, level] { setZoomPercent(level); });
    }
    zoom->addSeparator();
    QAction* toContent = zoom->addAction(QString::fromUtf8(kZoomToContent));
    toContent->setEnabled(!m_alwaysFit);
    connect(toContent, &QAction::triggered, this, [this] { zoomToContent(); });

    QAction* fit = menu->addAction(QString::fromUtf8(kAlwaysFit));
    fit->setCheckable(true);
    fit->setChecked(m_alwaysFit);
    connect(fit, &QAction::toggled, this, [this](bool on) { setAlwaysFitWindow(on); });
    // Zooming by dragging a rectangle would need the mouse, which a display-only view leaves alone.
    QAction* track = menu->addAction(QString::fromUtf8(kTrackZoom));
    track->setCheckable(true);
    track->setEnabled(false);
    QAction* smooth = menu->addAction(QString::fromUtf8(kSmoothScrolling));
    smooth->setCheckable(true);
    smooth->setChecked(m_smooth);
    connect(smooth, &QAction::toggled, this, [this](bool on) { setSmoothScrolling(on); });

    QMenu* rulers = menu->addMenu(QString::fromUtf8(kRulerBars));
    QAction* h = rulers->addAction(QString::fromUtf8(kHorizontal));
    h->setCheckable(true);
    h->setChecked(m_showHRuler);
    connect(h, &QAction::toggled, this, [this](bool on) { setRulersVisible(on, m_showVRuler); });
    QAction* v = rulers->addAction(QString::fromUtf8(kVertical));
    v->setCheckable(true);
    v->setChecked(m_showVRuler);
    connect(v, &QAction::toggled, this, [this](bool on) { setRulersVisible(m_showHRuler, on); });
    rulers->addSeparator();
    auto* unitGroup = new QActionGroup(rulers);
    QAction* inches = rulers->addAction(QString::fromUtf8(kInches));
    QAction* cm = rulers->addAction(QString::fromUtf8(kCentimeters));
    for (QAction* a : {inches, cm}) {
        a->setCheckable(true);
        unitGroup->addAction(a);
    }
    inches->setChecked(m_inches);
    cm->setChecked(!m_inches);
    connect(inches, &QAction::triggered, this, [this] { setRulerInches(true); });
    connect(cm, &QAction::triggered, this, [this] { setRulerInches(false); });
    return menu;
}

void COXScrollWnd::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    placeRulers();
    updateScrollBars();
    if (m_alwaysFit) setZoomPercent(fitZoomPercent());
    updateRulers();
}

void COXScrollWnd::scrollContentsBy(int, int) {
    updateRulers();
    // While a zoom is applied the derived window decides when the viewport repaints.
    if (!m_applyingZoom || m_repaintOnZoom) viewport()->update();
}

void COXScrollWnd::wheelEvent(QWheelEvent* event) {
    const QPoint steps = event->angleDelta() / 120;
    if (event->modifiers() & Qt::ControlModifier) {
        // Ctrl + wheel walks the menu's zoom levels.
        if (steps.y() == 0) return;
        const auto& levels = zoomLevels();
        int target = m_zoom;
        if (steps.y() > 0) {
            auto it = std::upper_bound(levels.begin(), levels.end(), m_zoom);
            target = it == levels.end() ? kMaxZoom : *it;
        } else {
            auto it = std::lower_bound(levels.begin(), levels.end(), m_zoom);
            target = it == levels.begin() ? kMinZoom : *(it - 1);
        }
        setZoomPercent(target);
        event->accept();
        return;
    }
    if (!m_smooth) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    QScrollBar* hs = horizontalScrollBar();
    QScrollBar* vs = verticalScrollBar();
    const bool sideways = (event->modifiers() & Qt::ShiftModifier) || steps.y() == 0;
    const int dy = sideways ? 0 : -steps.y() * vs->singleStep() * 3;
    const int dx = sideways ? -(steps.y() != 0 ? steps.y() : steps.x()) * hs->singleStep() * 3 : 0;
    glideTo(std::clamp(hs->value() + dx, hs->minimum(), hs->maximum()),
            std::clamp(vs->value() + dy, vs->minimum(), vs->maximum()));
    event->accept();
}

void COXScrollWnd::glideTo(int hValue, int vValue) {
    m_glide->stop();
    m_glide->setStartValue(QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value()));
    m_glide->setEndValue(QPointF(hValue, vValue));
    m_glide->start();
}

void COXScrollWnd::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}

bool COXScrollWnd::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ContextMenu) {
        contextMenuEvent(static_cast<QContextMenuEvent*>(event));
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void COXScrollWnd::updateScrollBars() {
    const QSize vp = viewport()->size();
    const int w = static_cast<int>(std::ceil(m_content.width() * m_zoom / 100.0));
    const int h = static_cast<int>(std::ceil(m_content.height() * m_zoom / 100.0));
    QScrollBar* hs = horizontalScrollBar();
    QScrollBar* vs = verticalScrollBar();
    hs->setRange(0, std::max(0, w - vp.width()));
    hs->setPageStep(std::max(1, vp.width()));
    vs->setRange(0, std::max(0, h - vp.height()));
    vs->setPageStep(std::max(1, vp.height()));
}

void COXScrollWnd::placeRulers() {
    const int t = COXRulerBar::kThickness;
    const int left = m_showVRuler ? t : 0;
    const int top = m_showHRuler ? t : 0;
    setViewportMargins(left, top, 0, 0);
    const QRect vp = viewport()->geometry();
    m_hRuler->setVisible(m_showHRuler);
    m_vRuler->setVisible(m_showVRuler);
    if (m_showHRuler) m_hRuler->setGeometry(vp.left(), vp.top() - t, vp.width(), t);
    if (m_showVRuler) m_vRuler->setGeometry(vp.left() - t, vp.top(), t, vp.height());
}

}  // namespace sartovin

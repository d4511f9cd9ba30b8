// The scroll-and-zoom window and its ruler bars.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QScrollBar>
#include <QWheelEvent>

#include <cstdlib>

#include "support/QtTestApplication.h"
#include "widgets/COXRulerBar.h"
#include "widgets/COXScrollWnd.h"

namespace sartovin {
namespace {

// One application object for the whole test program, shared with the window tests.
QApplication& ensureApplication() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return test::testApplication();
}

QStringList texts(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions())
        if (!a->isSeparator()) out << a->text();
    return out;
}

QAction* action(const QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text() == text) return a;
    return nullptr;
}

class WidgetsScrollWndTest : public ::testing::Test {
protected:
    WidgetsScrollWndTest() {
        wnd.resize(420, 320);
        wnd.setRulersVisible(false, false);
        wnd.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        wnd.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        wnd.setContentSize(QSizeF(800, 400));
    }
    // The application must exist before the first widget, also when a test runs on its own.
    QApplication& app = ensureApplication();
    COXScrollWnd wnd;
};

TEST_F(WidgetsScrollWndTest, ZoomIsClampedAndScalesTheScrollableSize) {
    std::vector<int> seen;
    QObject::connect(&wnd, &COXScrollWnd::zoomChanged, [&](int z) { seen.push_back(z); });
    wnd.setZoomPercent(5000);
    EXPECT_EQ(wnd.zoomPercent(), 1000);
    wnd.setZoomPercent(1);
    EXPECT_EQ(wnd.zoomPercent(), 10);
    wnd.setZoomPercent(10);  // unchanged: no notification
    EXPECT_EQ(seen, (std::vector<int>{1000, 10}));
    wnd.setZoomPercent(200);
    const QSize vp = wnd.viewport()->size();
    EXPECT_EQ(wnd.horizontalScrollBar()->maximum(), 1600 - vp.width());
    EXPECT_EQ(wnd.verticalScrollBar()->maximum(), 800 - vp.height());
    // Content smaller than the viewport lies in its middle.
    wnd.setZoomPercent(25);
    EXPECT_EQ(wnd.contentOffset(), QPoint((vp.width() - 200) / 2, (vp.height() - 100) / 2));
}

TEST_F(WidgetsScrollWndTest, ZoomToContentAndAlwaysFitFollowTheWindow) {
    wnd.show();
    wnd.zoomToContent();
    const QSize vp = wnd.viewport()->size();
    const int expected = static_cast<int>(std::min(vp.width() / 800.0, vp.height() / 400.0) * 100);
    EXPECT_EQ(wnd.zoomPercent(), expected);
    wnd.setZoomPercent(400);
    wnd.setAlwaysFitWindow(true);
    EXPECT_EQ(wnd.zoomPercent(), expected);
    wnd.resize(840, 640);
    EXPECT_GT(wnd.zoomPercent(), expected);
    EXPECT_LE(wnd.contentSize().width() * wnd.zoomPercent() / 100.0, wnd.viewport()->width());
}

TEST_F(WidgetsScrollWndTest, ControlWheelWalksTheMenuLevels) {
    wnd.setZoomPercent(100);
    QWheelEvent up(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(wnd.viewport(), &up);
    EXPECT_EQ(wnd.zoomPercent(), 200);
    QWheelEvent down(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::ControlModifier, Qt::NoScrollPhase, false);
    wnd.setZoomPercent(37);
    QCoreApplication::sendEvent(wnd.viewport(), &down);
    EXPECT_EQ(wnd.zoomPercent(), 25);
}

TEST_F(WidgetsScrollWndTest, ContextMenuOffersTheZoomAndRulerChoices) {
    wnd.setZoomPercent(300);
    std::unique_ptr<QMenu> menu(wnd.createContextMenu(nullptr));
    EXPECT_EQ(texts(menu.get()),
              (QStringList{"Zoom", "Always fit window", "Use track zoom", "Smooth scrolling", "Ruler bars"}));
    QMenu* zoom = action(menu.get(), "Zoom")->menu();
    EXPECT_EQ(texts(zoom), (QStringList{"10%", "25%", "50%", "100%", "200%", "300%", "400%", "500%", "600%",
                                        "700%", "800%", "900%", "1000%", "Zoom to content"}));
    EXPECT_TRUE(action(zoom, "300%")->isChecked());
    EXPECT_FALSE(action(menu.get(), "Use track zoom")->isEnabled());
    action(zoom, "50%")->trigger();
    EXPECT_EQ(wnd.zoomPercent(), 50);

    QMenu* rulers = action(menu.get(), "Ruler bars")->menu();
    EXPECT_EQ(texts(rulers), (QStringList{"Horizontal", "Vertical", "Inches", "Centimeters"}));
    action(rulers, "Vertical")->trigger();
    EXPECT_TRUE(wnd.verticalRulerVisible());
    action(rulers, "Inches")->trigger();
    EXPECT_TRUE(wnd.rulerInches());
    EXPECT_EQ(wnd.verticalRuler()->units(), COXRulerBar::Units::Inches);
    action(menu.get(), "Smooth scrolling")->trigger();
    EXPECT_TRUE(wnd.smoothScrolling());
}

TEST(WidgetsRulerBarTest, MapsItsUnitsToPixelsInEitherDirection) {
    ensureApplication();
    COXRulerBar ruler(true);
    ruler.setCalibration(2540, 254.0);
    ruler.setMapping(500, 0.4, true);  // 4 pixels per mm, growing to the left
    EXPECT_DOUBLE_EQ(ruler.pixelOf(0), 500);
    EXPECT_DOUBLE_EQ(ruler.pixelOf(100), 460);  // 10 mm
    ruler.setMapping(20, 0.4, false);
    EXPECT_DOUBLE_EQ(ruler.pixelOf(254), 20 + 101.6);  // one inch
    ruler.resize(600, COXRulerBar::kThickness);
    for (auto units : {COXRulerBar::Units::Centimeters, COXRulerBar::Units::Inches}) {
        ruler.setUnits(units);
        EXPECT_FALSE(ruler.grab().toImage().isNull());
    }
}

}  // namespace
}  // namespace sartovin

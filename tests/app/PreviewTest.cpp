// The preview: what it paints for a laid-out job with copies, weeding frame and marks, and when
// it renders and repaints.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>

#include <cstdlib>
#include <memory>

#include "app/CTarnelViewWnd.h"
#include "app/MainWindowTestSupport.h"
#include "base/Settings.h"
#include "base/Texts.h"
#include "job/JobModel.h"
#include "layout/LayoutModel.h"
#include "pages/OptionsModel.h"
#include "pages/PreviewScene.h"
#include "platform/ScriptedInteraction.h"
#include "render/PreviewPainter.h"
#include "session/DrawingImport.h"
#include "session/MainWindowModel.h"
#include "support/CatalogRecords.h"
#include "support/JobBuilders.h"
#include "support/TempDir.h"
#include "support/TextFiles.h"

namespace sartovin {
namespace {

using test::TempDir;

// One application object for the whole test program, shared with the window tests.
QApplication& ensureApplication() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return test::testApplication();
}

void processEventsFor(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

bool isBlack(QRgb c) { return qRed(c) < 60 && qGreen(c) < 60 && qBlue(c) < 60; }

// A 100 × 50 mm rectangle (x along the drawing's width) with a short stroke along x at y = 20,
// laid out on a 600 × 1000 mm medium of the test cutter (margin 5 mm).
class PreviewTest : public ::testing::Test {
protected:
    PreviewTest() : settings(dir.file("Sartovin.ini")), texts(dir.path(), 2000) {
        ensureApplication();
        test::writeEnglishTexts(dir);
        JobLayer layer;
        layer.name = "Layer 1";
        layer.objects.push_back(test::rectangle(0, 0, 100, 50));
        JobObject stroke;
        JobPath path;
        path.segments.push_back(test::line(10, 20, 30, 20));
        stroke.paths.push_back(path);
        layer.objects.push_back(stroke);
        live.layers.push_back(layer);
        state.extent = {50, 100, 50, 100, 100, 50, 0, 0};
        JobExtent referenceExtent;
        makeReferenceCopy(live, state.extent, reference, referenceExtent);
    }

    void open(StartMode startMode = 1) {
        layout = std::make_unique<LayoutModel>(settings, texts, ui, startMode, live, reference, state);
        layout->setPlotter(test::testPlotter());
        layout->open();
        layout->setMediumHeight(1000);
        options = std::make_unique<OptionsModel>(settings, texts, ui, startMode);
        options->attach(layout.get(), nullptr);
        options->open({});
        options->setPlotter(test::testPlotter());
        this->startMode = startMode;
    }

    // Five columns of the 100 mm wide job across, two rows along, 10 mm apart.
    void tenCopies() {
        layout->setDistanceH(10);
        layout->setCopiesEdit(5);
        layout->setRowsEdit(2);
        ASSERT_EQ(layout->columns(), 5);
        ASSERT_EQ(layout->rows(), 2);
        ASSERT_EQ(layout->copyTotal(), 10);
    }

    PreviewScene scene() const { return previewSceneOf(*layout, *options, state, startMode); }

    TempDir dir;
    Settings settings;
    Texts texts;
    ScriptedInteraction ui;
    Job live, reference;
    JobState state;
    std::unique_ptr<LayoutModel> layout;
    std::unique_ptr<OptionsModel> options;
    StartMode startMode = 1;
};

TEST_F(PreviewTest, TenCopiesAreTheSameImageAtTheLayoutsPositions) {
    open();
    tenCopies();
    const double s = 2;  // pixels per mm
    const PreviewScene sc = scene();
    ASSERT_EQ(sc.cells.size(), 10u);
    const QImage copy = PreviewPainter::renderCopy(live, sc, s);
    ASSERT_EQ(copy.size(), QSize(200, 100));  // 100 mm across, 50 mm along
    const QImage picture = PreviewPainter::renderPreview(&live, sc, s);
    const QPointF origin = PreviewPainter::previewOrigin(sc, s);

    // Each copy from the layout's own numbers: its right edge positionRight + column × (width +
    // gap) left of the origin, its front edge positionFront + row × (length + gap) above it.
    int greyInCopies = 0;
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 5; ++column) {
            const double right = origin.x() - (layout->positionRight() + column * (100 + 10)) * s;
            const double front = origin.y() - (layout->positionFront() + row * (50 + 10)) * s;
            const QRect r(qRound(right - 200), qRound(front - 100), 200, 100);
            EXPECT_EQ(picture.copy(r), copy) << "copy at row " << row << ", column " << column;
        }
    }
    for (int y = 0; y < copy.height(); ++y)
        for (int x = 0; x < copy.width(); ++x)
            greyInCopies += copy.pixel(x, y) == PreviewPainter::jobArea().rgb();
    // No job area anywhere else: exactly ten copies.
    int greyInPicture = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            greyInPicture += picture.pixel(x, y) == PreviewPainter::jobArea().rgb();
    EXPECT_EQ(greyInPicture, 10 * greyInCopies);
}

TEST_F(PreviewTest, TheFeedRunsUpAndTheHeadDirectionToTheLeft) {
    open();
    layout->setRotation(0);  // the live job is the drawing as drawn
    const double s = 2;
    const PreviewScene sc = scene();
    const QImage copy = PreviewPainter::renderCopy(live, sc, s);
    // Unrotated, the drawing's 100 mm x span runs along the feed: 50 mm across, 100 mm along.
    ASSERT_EQ(copy.size(), QSize(100, 200));
    const int w = copy.width(), h = copy.height();
    // The stroke from x 10 to 30 at y 20: 20 mm left of the right edge, 10 to 30 mm above the front.
    EXPECT_TRUE(isBlack(copy.pixel(w - 40, h - 40)));
    EXPECT_FALSE(isBlack(copy.pixel(w - 40, h - 10)));
    EXPECT_FALSE(isBlack(copy.pixel(w - 40, h - 70)));
    EXPECT_FALSE(isBlack(copy.pixel(40, h - 40)));

    // The default 90° right turns the drawing upright on the screen: the stroke now runs across,
    // 20 mm above the front and 10 to 30 mm from the left edge of the job.
    layout->setRotation(1);
    const QImage upright = PreviewPainter::renderCopy(live, scene(), s);
    ASSERT_EQ(upright.size(), QSize(200, 100));
    EXPECT_TRUE(isBlack(upright.pixel(40, upright.height() - 40)));
    EXPECT_FALSE(isBlack(upright.pixel(upright.width() - 40, upright.height() - 40)));
}

TEST_F(PreviewTest, TheWeedingFrameEnlargesEveryCopyByTwiceItsDistance) {
    open();
    tenCopies();
    const double s = 2;
    const QSize plain = PreviewPainter::copySize(scene(), s);
    options->setInt(OptionField::GridDistance, 5);
    options->setGridOn(true);
    const PreviewScene framed = scene();
    EXPECT_EQ(PreviewPainter::copySize(framed, s), plain + QSize(2 * 5 * 2, 2 * 5 * 2));
    const QImage copy = PreviewPainter::renderCopy(live, framed, s);
    // The black frame on the border, white between frame and job, the job 5 mm inside.
    EXPECT_TRUE(isBlack(copy.pixel(0, 0)));
    EXPECT_TRUE(isBlack(copy.pixel(copy.width() - 1, copy.height() / 2)));
    EXPECT_EQ(copy.pixel(5, copy.height() / 2), QColor(Qt::white).rgb());
    EXPECT_EQ(copy.pixel(15, 15), PreviewPainter::jobArea().rgb());
    // The frames are placed one frame size apart, beginning at the position.
    const QPointF origin(1000, 1000);
    const QRect second = PreviewPainter::copyRect(framed, framed.cells[1], s, origin);
    EXPECT_EQ(second.right() + 1, qRound(1000 - (layout->positionRight() + 110 + 10) * s));
}

TEST_F(PreviewTest, MarksJobsShowOneCopyInTheMarksFrameWithoutWeedingFrame) {
    open();
    tenCopies();
    options->setGridOn(true);
    state.marksMode = true;
    const PreviewScene sc = scene();
    ASSERT_EQ(sc.cells.size(), 1u);
    EXPECT_FALSE(sc.frameOn);
    const QImage copy = PreviewPainter::renderCopy(live, sc, 2);
    EXPECT_EQ(copy.pixel(0, copy.height() / 2), PreviewPainter::marksFrame().rgb());
}

TEST_F(PreviewTest, PartialRowsLieWhereTheCutterPutsThem) {
    open();
    layout->setMediumWidth(250);  // two 100 mm copies across
    layout->setAutoDistribute(true);
    layout->setCopiesEdit(5);
    ASSERT_EQ(layout->columns(), 2);
    ASSERT_EQ(layout->rows(), 3);
    PreviewScene sc = scene();
    ASSERT_EQ(sc.cells.size(), 5u);
    // The fifth copy starts the third row at the right edge ...
    EXPECT_EQ(sc.cells[4].row, 2);
    EXPECT_EQ(sc.cells[4].column, 0);
    // ... and at the left edge with "unten links", whose columns are cut from the far side.
    layout->setPositionMode(2);
    sc = scene();
    EXPECT_EQ(sc.cells[4].row, 2);
    EXPECT_EQ(sc.cells[4].column, 1);
}

TEST_F(PreviewTest, HobbyEditionShowsTheMediumInPaleYellowWithABlueOutline) {
    open(12);
    const PreviewScene sc = scene();
    const QImage picture = PreviewPainter::renderPreview(&live, sc, 0.5);
    const QRectF medium = PreviewPainter::mediumRect(sc, 0.5, PreviewPainter::previewOrigin(sc, 0.5));
    // The hobby edition's default placement is the back left corner; the front right is free.
    const QPoint free(qRound(medium.right() - 10), qRound(medium.bottom() - 10));
    EXPECT_EQ(picture.pixel(free), QColor(255, 255, 230).rgb());
    EXPECT_EQ(picture.pixel(qRound(medium.left()), free.y()), QColor(0, 0, 255).rgb());
    // The standard edition leaves the medium white inside a grey outline.
    open(1);
    const PreviewScene standard = scene();
    const QImage plain = PreviewPainter::renderPreview(&live, standard, 0.5);
    const QRectF m = PreviewPainter::mediumRect(standard, 0.5, PreviewPainter::previewOrigin(standard, 0.5));
    EXPECT_EQ(plain.pixel(qRound(m.left() + 10), qRound(m.top() + 10)), QColor(Qt::white).rgb());
    EXPECT_EQ(plain.pixel(qRound(m.left()), qRound(m.top() + 10)), QColor(200, 200, 200).rgb());
}

TEST_F(PreviewTest, AnInvertedLaserJobShowsLightLinesOnADarkArea) {
    open(21);
    layout->setRotation(0);
    layout->setInvert(true);
    const QImage copy = PreviewPainter::renderCopy(live, scene(), 2);
    const int w = copy.width(), h = copy.height();
    EXPECT_EQ(copy.pixel(w / 2, h / 2), PreviewPainter::jobAreaInverted().rgb());
    // The stroke inverts the dark area under it.
    EXPECT_EQ(copy.pixel(w - 40, h - 40), QColor(0xF5, 0xF5, 0xF5).rgb());
    // Outside the laser edition the same switch changes nothing.
    open(1);
    layout->setRotation(0);
    layout->setInvert(true);
    EXPECT_EQ(PreviewPainter::renderCopy(live, scene(), 2).pixel(w / 2, h / 2),
              PreviewPainter::jobArea().rgb());
}

// ---- the window ---------------------------------------------------------------------------------

class PreviewWindowTest : public PreviewTest {
protected:
    void makeWindow(const Job* job) {
        wnd = std::make_unique<CTarnelViewWnd>();
        wnd->resize(800, 600);
        wnd->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        wnd->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        wnd->setScreenSize(1000, 250);  // 4 pixels per mm at 100 %
        wnd->setSources(layout.get(), options.get(), job, &state, startMode);
        wnd->setZoomPercent(25);  // 1 pixel per mm
        wnd->updateLayout();
    }

    std::unique_ptr<CTarnelViewWnd> wnd;
};

TEST_F(PreviewWindowTest, StaysOnThePlottersOriginWhenTheWindowIsResized) {
    open();
    makeWindow(&live);
    wnd->show();
    processEventsFor(50);
    ASSERT_EQ(wnd->verticalScrollBar()->value(), wnd->verticalScrollBar()->maximum());
    wnd->resize(500, 400);
    processEventsFor(50);
    EXPECT_EQ(wnd->horizontalScrollBar()->value(), wnd->horizontalScrollBar()->maximum());
    EXPECT_EQ(wnd->verticalScrollBar()->value(), wnd->verticalScrollBar()->maximum());
    // The origin is inside the view: the first copy can be seen.
    const QPointF origin = wnd->originInViewport();
    EXPECT_LE(origin.x(), wnd->viewport()->width());
    EXPECT_LE(origin.y(), wnd->viewport()->height());
}

TEST_F(PreviewWindowTest, WithoutAJobOnlyTheBackgroundIsShown) {
    open();
    makeWindow(nullptr);
    const QImage shot = wnd->viewport()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            ASSERT_EQ(shot.pixel(x, y) & 0xFFFFFF, 0xFFFFFFu) << x << "," << y;
    EXPECT_EQ(wnd->renderCount(), 0);
}

TEST_F(PreviewWindowTest, RendersTheCopyOnlyWhenTheLayoutOrZoomChanged) {
    open();
    tenCopies();
    makeWindow(&live);
    EXPECT_DOUBLE_EQ(wnd->displayScale(), 4.0);
    EXPECT_DOUBLE_EQ(wnd->pixelsPerMm(), 1.0);
    const QImage first = wnd->viewport()->grab().toImage();
    EXPECT_EQ(wnd->renderCount(), 1);
    // Ten copies from one render, at the positions the layout gives, seen from the window.
    const QPointF origin = wnd->originInViewport();
    const QImage copy = PreviewPainter::renderCopy(live, wnd->scene(), 1.0);
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 5; ++column) {
            const QRect r(qRound(origin.x() - (layout->positionRight() + column * 110) - 100),
                          qRound(origin.y() - (layout->positionFront() + row * 60) - 50), 100, 50);
            if (QRect(QPoint(0, 0), first.size()).contains(r)) {
                EXPECT_EQ(first.copy(r).convertToFormat(QImage::Format_RGB32), copy) << row << "," << column;
            }
        }
    // Scrolling and repainting reuse the image.
    wnd->verticalScrollBar()->setValue(wnd->verticalScrollBar()->value() - 30);
    wnd->viewport()->grab();
    wnd->viewport()->grab();
    EXPECT_EQ(wnd->renderCount(), 1);
    EXPECT_GE(wnd->paintCount(), 3);
    // A layout change renders once more.
    layout->setDistanceH(20);
    wnd->updateLayout();
    wnd->viewport()->grab();
    wnd->viewport()->grab();
    EXPECT_EQ(wnd->renderCount(), 2);
}

TEST_F(PreviewWindowTest, AtHighZoomNoImageOfAWholeCopyIsKeptAndTheViewLooksTheSame) {
    open();
    tenCopies();
    makeWindow(&live);
    wnd->viewport()->grab();
    EXPECT_GT(wnd->copyImageBytes(), 0);  // 100 × 50 pixels at 1 pixel per mm
    // At 1000 % one copy would be 4000 × 2000 pixels: it is drawn straight into the window.
    wnd->setZoomPercent(1000);
    wnd->updateLayout();
    // The first copy's stroke (turned upright: 20 mm up, 70 to 90 mm from the copy's right edge) in
    // the middle of the view.
    wnd->horizontalScrollBar()->setValue(wnd->horizontalScrollBar()->maximum());
    wnd->verticalScrollBar()->setValue(wnd->verticalScrollBar()->maximum());
    const QPointF origin = wnd->originInViewport();
    const QPointF stroke(origin.x() - (layout->positionRight() + 80) * 40.0,
                         origin.y() - (layout->positionFront() + 20) * 40.0);
    wnd->horizontalScrollBar()->setValue(wnd->horizontalScrollBar()->value() + qRound(stroke.x()) - 400);
    wnd->verticalScrollBar()->setValue(wnd->verticalScrollBar()->value() + qRound(stroke.y()) - 300);
    const QImage shot = wnd->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(wnd->copyImageBytes(), 0);
    ASSERT_DOUBLE_EQ(wnd->pixelsPerMm(), 40.0);

    // What the window shows is what placing a whole copy image would show.
    QImage expected(shot.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter p(&expected);
        PreviewPainter::paint(p, wnd->scene(), PreviewPainter::renderCopy(live, wnd->scene(), 40.0), 40.0,
                              wnd->originInViewport(), expected.rect());
    }
    EXPECT_EQ(shot, expected);
    int black = 0, grey = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb rgb = shot.pixel(x, y) & 0xFFFFFF;
            black += rgb == 0;
            grey += rgb == (PreviewPainter::jobArea().rgb() & 0xFFFFFF);
        }
    EXPECT_GT(grey, 1000) << "a copy's job area is in view";
    EXPECT_GT(black, 100) << "and the job's lines";
}

TEST_F(PreviewWindowTest, TwoZoomChangesWithinTheCoalescingTimeRepaintOnce) {
    open();
    tenCopies();
    makeWindow(&live);
    wnd->show();
    processEventsFor(150);
    const int renders = wnd->renderCount();
    const int paints = wnd->paintCount();
    ASSERT_GE(renders, 1);

    // No events run between the two changes, so the second one always falls within the timer's
    // 100 ms, however busy the machine is.
    wnd->setZoomPercent(50);
    wnd->setZoomPercent(100);
    EXPECT_TRUE(wnd->zoomTimerActive());
    EXPECT_EQ(wnd->paintCount(), paints);  // nothing repainted before the timer
    processEventsFor(300);
    EXPECT_EQ(wnd->zoomPercent(), 100);
    EXPECT_EQ(wnd->renderCount(), renders + 1);
    EXPECT_EQ(wnd->paintCount(), paints + 1);

    // Changes further apart repaint each time.
    wnd->setZoomPercent(200);
    processEventsFor(200);
    wnd->setZoomPercent(300);
    processEventsFor(200);
    EXPECT_EQ(wnd->renderCount(), renders + 3);
}

TEST_F(PreviewWindowTest, MouseInputChangesNothing) {
    open();
    tenCopies();
    makeWindow(&live);
    const QImage before = wnd->viewport()->grab().toImage();
    const int right = layout->positionRight(), front = layout->positionFront();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(100, 100), QPointF(100, 100), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, QPointF(300, 200), QPointF(300, 200), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(300, 200), QPointF(300, 200), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    for (QMouseEvent* e : {&press, &move, &release}) QCoreApplication::sendEvent(wnd->viewport(), e);
    EXPECT_EQ(layout->positionRight(), right);
    EXPECT_EQ(layout->positionFront(), front);
    EXPECT_EQ(wnd->viewport()->grab().toImage(), before);
}

// A screenshot of the sticker sheet with ten copies, for a person to look at.
TEST(PreviewScreenshot, StickerSheetWithTenCopies) {
    ensureApplication();
    TempDir dir;
    test::ScopedEnv config("XDG_CONFIG_HOME", dir.file("cfg"));
    test::ScopedEnv data("XDG_DATA_DIRS", dir.file("share"));
    test::ScopedEnv tmp("TMPDIR", dir.file(""));
    CTarnelWinCApp app;
    app.startMode = 2;
    app.dataFolder = std::string(SARTOVIN_DATA_DIR) + "/";
    app.iniPath = dir.file("Sartovin.ini");
    app.plotterCatalogPath = app.dataFolder + "Plotter.csv";
    app.mediaCatalogPath = app.dataFolder + "Media.csv";
    app.toolsCatalogPath = app.dataFolder + "Tools.csv";
    app.languageId = 2000;
    ScriptedInteraction ui;
    Texts texts(app.dataFolder, app.languageId);
    MainWindowModel model(app, ui, texts, app.iniPath);
    ASSERT_TRUE(model.loadPlotters());
    JobImportContext ctx{texts, ui};
    DrawingImportOptions importOptions;
    importOptions.startMode = 2;
    importOptions.svgConverter = SvgConverterChoice::Own;
    importOptions.tempFolder = dir.path();
    DrawingImportResult imported;
    ASSERT_TRUE(importDrawing(std::string(SARTOVIN_SOURCE_DIR) + "/examples/stickers.qxj", importOptions,
                              model.job(), model.jobState(), ctx, imported))
        << imported.why;
    model.openPages();
    LayoutModel& layout = model.layout();
    layout.setMediumHeight(1200);
    layout.setDistanceH(5);
    layout.setCopiesEdit(2);  // two 184 mm copies across the 720 mm medium, five rows along
    layout.setRowsEdit(5);
    ASSERT_EQ(layout.copyTotal(), 10);

    CTarnelViewWnd wnd;
    wnd.resize(900, 700);
    wnd.setScreenSize(1920, 508);  // a 24" screen, 96 dpi
    wnd.setSources(&layout, &model.options(), &model.job(), &model.jobState(), app.startMode);
    wnd.updateLayout();
    wnd.zoomToContent();
    wnd.show();
    processEventsFor(300);
    QDir().mkpath(QStringLiteral(SARTOVIN_BINARY_DIR "/screenshots"));
    ASSERT_TRUE(wnd.grab().save(QStringLiteral(SARTOVIN_BINARY_DIR "/screenshots/preview-stickers-10.png")));
    EXPECT_EQ(wnd.scene().cells.size(), 10u);
    // At 50 % on the origin, the first copies at the lower right.
    wnd.setZoomPercent(50);
    processEventsFor(300);
    wnd.horizontalScrollBar()->setValue(wnd.horizontalScrollBar()->maximum());
    wnd.verticalScrollBar()->setValue(wnd.verticalScrollBar()->maximum());
    processEventsFor(100);
    ASSERT_TRUE(
        wnd.grab().save(QStringLiteral(SARTOVIN_BINARY_DIR "/screenshots/preview-stickers-10-zoom50.png")));
    EXPECT_EQ(wnd.zoomPercent(), 50);
}

}  // namespace
}  // namespace sartovin

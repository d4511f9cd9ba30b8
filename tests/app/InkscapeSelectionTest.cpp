// The objects selected in Inkscape arrive with the drawing: the Layer page offers to cut only
// them, and Cut sends only their outlines.

#include <gtest/gtest.h>

#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <cstdlib>

#include "app/CLayerTab.h"
#include "app/MainWindowTestSupport.h"
#include "support/CutRuns.h"

namespace sartovin::test {
namespace {

// A rectangle and a group of two circles selected, another rectangle not.
const char* kDrawing =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"200mm\" height=\"100mm\" viewBox=\"0 0 200 100\">\n"
    "<rect id=\"chosen\" x=\"10\" y=\"10\" width=\"20\" height=\"20\"/>\n"
    "<g id=\"pair\"><circle cx=\"60\" cy=\"20\" r=\"8\"/><circle cx=\"90\" cy=\"20\" r=\"8\"/></g>\n"
    "<rect id=\"other\" x=\"120\" y=\"10\" width=\"60\" height=\"60\"/>\n"
    "</svg>\n";

// Cut runs of a stream, without the cutter's blade initialisation (a short stroke before the job).
int outlines(const std::string& stream) {
    int runs = 0;
    for (const CutRun& r : hpglCutRuns(stream))
        if (r.size() > 2 || std::labs(r[1].x - r[0].x) + std::labs(r[1].y - r[0].y) > 120) ++runs;
    return runs;
}

class InkscapeSelectionTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { testApplication(); }
};

TEST_P(InkscapeSelectionTest, OnlyTheSelectedObjectsAreCutWhenTheUserSaysSo) {
    TempDir dir;
    const std::string drawing = dir.file("drawing.svg");
    writeFile(drawing, kDrawing);
    MainWindowHarness h("SartovinIs", GetParam(), drawing);
    h.app.selectedObjectIds = {"chosen", "pair"};
    h.spooler.add("Cutter");
    h.setting("State", "Plotter", "Jaguar IV 61");
    h.setting("Jaguar IV 61", "PortType", "3");
    h.setting("Jaguar IV 61", "Port", "Cutter");
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult) << testing::PrintToString(h.ui.messageTexts());
    w.tabs()->setCurrentIndex(2);
    auto* onlyMarked = w.layerPage()->findChild<QRadioButton*>("onlySelected");
    ASSERT_NE(onlyMarked, nullptr);
    EXPECT_TRUE(onlyMarked->isEnabled());
    EXPECT_EQ(onlyMarked->text().toStdString(),
              GetParam() == 1000 ? "Nur in Inkscape markierte Objekte" : "Only in Inkscape marked objects");

    w.cutButton()->click();
    onlyMarked->click();
    // For a person to look at, beside the other pictures of the window, once the preview is drawn.
    QEventLoop settle;
    QTimer::singleShot(500, &settle, &QEventLoop::quit);
    settle.exec();
    QDir().mkpath(QStringLiteral(SARTOVIN_BINARY_DIR "/screenshots"));
    w.grab().save(QStringLiteral(SARTOVIN_BINARY_DIR "/screenshots/inkscape-selection-%1.png").arg(GetParam()));
    w.cutButton()->click();
    const auto& docs = h.spooler.queues["Cutter"].documents;
    ASSERT_EQ(docs.size(), 2u) << testing::PrintToString(h.ui.messageTexts());
    EXPECT_EQ(outlines(docs[0]), 4);
    EXPECT_EQ(outlines(docs[1]), 3);
}

TEST_P(InkscapeSelectionTest, WithoutASelectionOnlyAllObjectsCanBeChosen) {
    TempDir dir;
    const std::string drawing = dir.file("drawing.svg");
    writeFile(drawing, kDrawing);
    MainWindowHarness h("SartovinIs", GetParam(), drawing);
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult) << testing::PrintToString(h.ui.messageTexts());
    auto* onlyMarked = w.layerPage()->findChild<QRadioButton*>("onlySelected");
    ASSERT_NE(onlyMarked, nullptr);
    EXPECT_FALSE(onlyMarked->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Languages, InkscapeSelectionTest, ::testing::Values(1000, 2000));

}  // namespace
}  // namespace sartovin::test

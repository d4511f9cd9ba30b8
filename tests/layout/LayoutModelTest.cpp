#include "layout/LayoutModel.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/Settings.h"
#include "base/Texts.h"
#include "job/JobModel.h"
#include "platform/Profile.h"
#include "platform/ScriptedInteraction.h"
#include "support/CatalogRecords.h"
#include "support/JobBuilders.h"
#include "support/TempDir.h"
#include "support/TextFiles.h"

namespace sartovin {
namespace {

using test::TempDir;

// A drawing of one 100 × 50 mm rectangle: SX = 100 (along the feed), SY = 50 (across).
class LayoutModelTest : public ::testing::Test {
protected:
    LayoutModelTest() : settings(dir.file("Sartovin.ini")), texts(dir.path(), 2000) {
        test::writeEnglishTexts(dir);
        JobLayer layer;
        layer.name = "Layer 1";
        layer.objects.push_back(test::rectangle(0, 0, 100, 50));
        live.layers.push_back(layer);
        state.extent = {50, 100, 50, 100, 100, 50, 0, 0};
        JobExtent referenceExtent;
        makeReferenceCopy(live, state.extent, reference, referenceExtent);
    }

    LayoutModel& open(StartMode startMode = 1, const PlotterRecord& plotter = test::testPlotter()) {
        model = std::make_unique<LayoutModel>(settings, texts, ui, startMode, live, reference, state);
        model->setPlotter(plotter);
        model->open();
        return *model;
    }

    std::string key(const char* name) const { return settings.readString("State", name, "<absent>"); }

    TempDir dir;
    Settings settings;
    Texts texts;
    ScriptedInteraction ui;
    Job live, reference;
    JobState state;
    std::unique_ptr<LayoutModel> model;
};

const PathSegment& firstSegment(const Job& job) { return job.layers[0].objects[0].paths[0].segments[0]; }

TEST_F(LayoutModelTest, OpeningWithoutKeysTakesThePlotterDefaultsAndTurnsRight) {
    LayoutModel& m = open();
    EXPECT_EQ(m.mediumWidth(), 600);
    EXPECT_EQ(m.mediumHeight(), 5000);
    EXPECT_DOUBLE_EQ(m.usableWidth(), 590);
    EXPECT_EQ(m.rotation(), 1);
    // Rotated by 90°, the drawing's x span now runs across the medium.
    EXPECT_DOUBLE_EQ(m.importedWidth(), 100);
    EXPECT_DOUBLE_EQ(m.importedHeight(), 50);
    EXPECT_DOUBLE_EQ(m.jobWidth(), 100);
    EXPECT_DOUBLE_EQ(m.widthPercent(), 100);
    EXPECT_TRUE(m.proportional());
    EXPECT_EQ(m.columns(), 1);
    EXPECT_EQ(m.rows(), 1);
    EXPECT_EQ(m.copyTotal(), 1);
    EXPECT_EQ(m.positionMode(), 1);  // "unten rechts" in the standard edition
    EXPECT_EQ(m.positionRight(), 5);
    EXPECT_EQ(m.positionFront(), 5);
    EXPECT_TRUE(m.previewNeedsRedraw());
    // Nothing is stored merely by opening.
    EXPECT_EQ(key("Rotate"), "<absent>");
}

TEST_F(LayoutModelTest, StoredRotationBeyondTheListBecomesNone) {
    settings.setRotate(7);
    LayoutModel& m = open();
    EXPECT_EQ(m.rotation(), 0);
    EXPECT_DOUBLE_EQ(m.importedWidth(), 50);
    EXPECT_DOUBLE_EQ(m.importedHeight(), 100);
}

TEST_F(LayoutModelTest, RotationAndMirrorRewriteTheLiveJobAndTheExtentFromTheReference) {
    LayoutModel& m = open();
    for (int rotation = 0; rotation < 4; ++rotation) {
        for (bool mirror : {false, true}) {
            SCOPED_TRACE(testing::Message() << "rotation " << rotation << " mirror " << mirror);
            m.setMirror(mirror);
            m.setRotation(rotation);
            // The bottom edge of the rectangle runs from (0, 0) to (SX, 0) in the reference.
            const JobPoint end = JobTransform(rotation, mirror, 100, 50).map({100, 0});
            EXPECT_DOUBLE_EQ(firstSegment(live).endX, end.x);
            EXPECT_DOUBLE_EQ(firstSegment(live).endY, end.y);
            const bool quarter = rotation == 1 || rotation == 2;
            EXPECT_DOUBLE_EQ(state.extent.spanX, quarter ? 50 : 100);
            EXPECT_DOUBLE_EQ(m.importedWidth(), quarter ? 100 : 50);
            EXPECT_EQ(m.previousRotation(), rotation);
        }
    }
    EXPECT_EQ(key("Rotate"), "3");
    EXPECT_EQ(key("Mirror"), "1");
    m.setRotation(5);  // beyond the list: none
    EXPECT_EQ(key("Rotate"), "0");
}

TEST_F(LayoutModelTest, QuarterTurnExchangesSizesAndKeepsTheScale) {
    settings.setRotate(0);
    LayoutModel& m = open();
    ASSERT_TRUE(m.changeSize(SizeField::WidthPercent, 50));
    EXPECT_DOUBLE_EQ(m.jobWidth(), 25);
    EXPECT_DOUBLE_EQ(m.jobHeight(), 50);
    m.setRotation(1);
    EXPECT_DOUBLE_EQ(m.importedWidth(), 100);
    EXPECT_DOUBLE_EQ(m.jobWidth(), 50);
    EXPECT_DOUBLE_EQ(m.jobHeight(), 25);
    EXPECT_DOUBLE_EQ(m.widthPercent(), 50);
    m.setRotation(2);  // same group: nothing exchanged
    EXPECT_DOUBLE_EQ(m.jobWidth(), 50);
    EXPECT_DOUBLE_EQ(m.jobHeight(), 25);
}

TEST_F(LayoutModelTest, QuarterTurnKeepsBothScalesWithoutProportional) {
    settings.setRotate(0);
    LayoutModel& m = open();
    m.setProportional(false);
    ASSERT_TRUE(m.changeSize(SizeField::HeightPercent, 50));
    m.setRotation(1);
    // The length's 50 % became the width's; the former width's 100 % must not reset it.
    EXPECT_DOUBLE_EQ(m.widthPercent(), 50);
    EXPECT_DOUBLE_EQ(m.jobWidth(), 50);
    EXPECT_DOUBLE_EQ(m.heightPercent(), 100);
    EXPECT_DOUBLE_EQ(m.jobHeight(), 50);
    m.setRotation(0);
    EXPECT_DOUBLE_EQ(m.jobWidth(), 50);
    EXPECT_DOUBLE_EQ(m.jobHeight(), 50);
    EXPECT_DOUBLE_EQ(m.heightPercent(), 50);
}

TEST_F(LayoutModelTest, MediumSizesAreClampedStoredAndShrinkTheJob) {
    settings.setRotate(0);
    LayoutModel& m = open();
    m.setMediumWidth(45);  // 5 below the narrowest medium
    EXPECT_EQ(m.mediumWidth(), 50);
    EXPECT_DOUBLE_EQ(m.usableWidth(), 40);
    EXPECT_EQ(key("MediumWidth"), "50");
    // The job (50 mm wide) no longer fits: it is limited to the largest width 40 − 1.
    EXPECT_DOUBLE_EQ(m.jobWidth(), 39);
    EXPECT_DOUBLE_EQ(m.widthPercent(), 78);
    EXPECT_DOUBLE_EQ(m.jobHeight(), 78);
    m.setMediumHeightText("99999");
    EXPECT_EQ(m.mediumHeight(), 5000);
    EXPECT_EQ(key("MediumHeight"), "5000");
    EXPECT_EQ(key("Format"), "<absent>");  // no format list in the standard edition
}

TEST_F(LayoutModelTest, SizeEditsAreLimitedByTheMediumAndThePlotterAndShownInWholeNumbers) {
    settings.setRotate(0);
    settings.setMediumHeight(120);  // usable length 110, largest job length 109
    LayoutModel& m = open();
    ASSERT_TRUE(m.changeSizeText(SizeField::WidthMm, "30,4"));
    EXPECT_EQ(m.jobWidthText(), "30");
    EXPECT_EQ(m.widthPercentText(), "60");
    EXPECT_EQ(m.jobHeightText(), "60");
    EXPECT_EQ(m.heightPercentText(), "60");
    EXPECT_EQ(m.copyTotal(), 1);
    // Proportionally 120 % would make the length 120 mm: refused, nothing changes.
    EXPECT_FALSE(m.changeSize(SizeField::WidthPercent, 120));
    EXPECT_DOUBLE_EQ(m.jobWidth(), 30.4);
    // Below the plotter's smallest job the width becomes 10 mm.
    ASSERT_TRUE(m.changeSizeText(SizeField::WidthMm, "3"));
    EXPECT_DOUBLE_EQ(m.jobWidth(), 10);
    m.setProportional(false);
    EXPECT_EQ(key("Proportional"), "0");
    m.resetSize();
    EXPECT_DOUBLE_EQ(m.jobWidth(), 50);
    EXPECT_DOUBLE_EQ(m.heightPercent(), 100);
}

TEST_F(LayoutModelTest, MarksJobsSnapBackToTheImportedSize) {
    settings.setRotate(0);
    settings.setGrid(1);
    settings.setGridDistance(10);
    state.marksMode = true;
    LayoutModel& m = open();
    EXPECT_FALSE(m.sizeEditsEnabled());
    EXPECT_FALSE(m.toWidthEnabled());
    EXPECT_TRUE(m.changeSize(SizeField::WidthMm, 20));
    EXPECT_DOUBLE_EQ(m.jobWidth(), 50);
    EXPECT_DOUBLE_EQ(m.widthPercent(), 100);
    m.changeSize(SizeField::HeightPercent, 40);
    EXPECT_DOUBLE_EQ(m.jobHeight(), 100);
    // No frame allowance for marks jobs.
    EXPECT_DOUBLE_EQ(m.frameAllowance(), 0);
}

TEST_F(LayoutModelTest, TheLargestJobFollowsTheOptionsAsTheyAreStored) {
    LayoutModel& m = open();
    settings.setGrid(1);
    settings.setGridDistance(10);
    settings.setUseOvercut(1);
    EXPECT_DOUBLE_EQ(m.largestJobWidth(), 590 - 20 - 2 - 1);
    EXPECT_DOUBLE_EQ(m.largestJobHeight(), 4990 - 20 - 2 - 1);
}

TEST_F(LayoutModelTest, ToWidthFitsTheMediumWidthAndStoresOnlyItself) {
    settings.setRotate(0);
    settings.setMediumWidth(310);  // usable 300, largest 299
    settings.setCopyDistanceHoricontal(7);
    settings.setCopyDistanceVertical(7);
    LayoutModel& m = open();
    m.setPositionMode(0);
    m.setHorizontalPosition(20);
    m.setProportional(false);
    const std::string proportionalBefore = key("Proportional");
    m.setToWidth(true);
    EXPECT_TRUE(m.proportional());
    EXPECT_FALSE(m.sameDistance());
    EXPECT_EQ(m.positionRight(), 0);
    EXPECT_EQ(m.distanceH(), 0);
    EXPECT_DOUBLE_EQ(m.jobWidth(), 299);
    EXPECT_DOUBLE_EQ(m.widthPercent(), 598);
    EXPECT_DOUBLE_EQ(m.jobHeight(), 598);
    // The fit is a state of its own: the user's distances and switches stay stored as they were.
    EXPECT_EQ(key("ToWidth"), "1");
    EXPECT_EQ(key("Proportional"), proportionalBefore);
    EXPECT_EQ(key("SameDistance"), "<absent>");
    EXPECT_EQ(key("CopyDistanceHoricontal"), "7");
    // Turned off, the job keeps its size and the copies their earlier distances.
    m.setToWidth(false);
    EXPECT_EQ(key("ToWidth"), "0");
    EXPECT_DOUBLE_EQ(m.jobWidth(), 299);
    EXPECT_TRUE(m.sameDistance());
    EXPECT_FALSE(m.proportional());
}

TEST_F(LayoutModelTest, StoredToWidthIsAppliedOnOpening) {
    settings.setRotate(0);
    settings.setToWidth(1);
    settings.setMediumWidth(110);  // largest width 99
    LayoutModel& m = open();
    EXPECT_DOUBLE_EQ(m.jobWidth(), 99);
    EXPECT_DOUBLE_EQ(m.jobHeight(), 198);
}

TEST_F(LayoutModelTest, TheFitHoldsForTheJobAsItLiesOnTheMedium) {
    // The default quarter turn lays the drawing's 100 mm across the medium: that is what is fitted.
    settings.setToWidth(1);
    settings.setMediumWidth(310);  // largest width 299
    LayoutModel& m = open();
    ASSERT_EQ(m.rotation(), 1);
    EXPECT_DOUBLE_EQ(m.jobWidth(), 299);
    EXPECT_DOUBLE_EQ(m.jobHeight(), 149.5);

    // Turned back, the 50 mm side lies across and is fitted again.
    m.setRotation(0);
    EXPECT_DOUBLE_EQ(m.jobWidth(), 299);
    EXPECT_DOUBLE_EQ(m.jobHeight(), 598);

    // A narrower medium refits, and so does a wider one.
    m.setMediumWidth(210);
    EXPECT_DOUBLE_EQ(m.jobWidth(), 199);
    m.setMediumWidth(410);
    EXPECT_DOUBLE_EQ(m.jobWidth(), 399);

    // Without the fit the size stays as it is.
    m.setToWidth(false);
    m.setMediumWidth(510);
    EXPECT_DOUBLE_EQ(m.jobWidth(), 399);
}

// A drawing larger than the medium, turned a quarter: 1000 mm across a 600 mm medium.
TEST_F(LayoutModelTest, ADrawingLargerThanTheMediumIsReducedOnOpeningWithAMessage) {
    live.layers[0].objects[0] = test::rectangle(0, 0, 1000, 50);
    state.extent = {50, 1000, 50, 1000, 1000, 50, 0, 0};
    JobExtent referenceExtent;
    reference = Job{};
    makeReferenceCopy(live, state.extent, reference, referenceExtent);
    LayoutModel& m = open();
    EXPECT_DOUBLE_EQ(m.jobWidth(), 589);  // the largest job: 600 − 2 × 5 − 1
    EXPECT_NEAR(m.jobHeight(), 29.45, 1e-9);
    EXPECT_FALSE(m.jobLeavesMedium());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Reduced from 1000 x 50 mm to 589 x 29 mm");

    // A drawing that fits is left alone, silently.
    ui.messages.clear();
    live.layers[0].objects[0] = test::rectangle(0, 0, 100, 50);
    state.extent = {50, 100, 50, 100, 100, 50, 0, 0};
    reference = Job{};
    makeReferenceCopy(live, state.extent, reference, referenceExtent);
    LayoutModel& fits = open();
    EXPECT_DOUBLE_EQ(fits.jobWidth(), 100);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(LayoutModelTest, AJobThatCannotFollowANarrowerMediumLeavesIt) {
    settings.setRotate(0);
    LayoutModel& m = open();
    m.setCopiesEdit(4);  // 4 × 50 mm side by side
    EXPECT_FALSE(m.jobLeavesMedium());
    // Registration-mark jobs are never scaled: a narrower medium leaves the job as large as it is.
    state.marksMode = true;
    m.setMediumWidth(40);
    EXPECT_TRUE(m.jobLeavesMedium());
}

TEST_F(LayoutModelTest, SameDistanceTakesTheSmallerDistance) {
    settings.setRotate(0);
    settings.setCopyDistanceHoricontal(10);
    settings.setCopyDistanceVertical(4);
    settings.setSameDistance(0);
    LayoutModel& m = open();
    EXPECT_EQ(m.distanceH(), 10);
    EXPECT_EQ(m.distanceV(), 4);
    EXPECT_TRUE(m.distanceVEnabled());
    m.setSameDistance(true);
    EXPECT_EQ(m.distanceH(), 4);
    EXPECT_EQ(m.distanceV(), 4);
    EXPECT_FALSE(m.distanceVEnabled());
    EXPECT_EQ(key("SameDistance"), "1");
    m.setDistanceH(12);
    EXPECT_EQ(m.distanceV(), 12);
    EXPECT_EQ(key("CopyDistanceHoricontal"), "12");
    EXPECT_EQ(key("CopyDistanceVertical"), "12");
    m.setDistanceV(3);  // disabled while both are the same
    EXPECT_EQ(m.distanceV(), 12);
    m.setSameDistance(false);
    m.setDistanceV(3);
    EXPECT_EQ(key("CopyDistanceVertical"), "3");
    EXPECT_EQ(key("CopyDistanceHoricontal"), "12");
}

TEST_F(LayoutModelTest, StoredSameDistanceIsAppliedOnOpening) {
    settings.setRotate(0);
    settings.setCopyDistanceHoricontal(10);
    settings.setCopyDistanceVertical(4);
    LayoutModel& m = open();  // "SameDistance" defaults to 1
    EXPECT_EQ(m.distanceH(), 4);
    EXPECT_EQ(m.distanceV(), 4);
}

TEST_F(LayoutModelTest, ManualCopiesFitTheMedium) {
    settings.setRotate(0);
    settings.setMediumWidth(180);   // usable 170: three 50 mm copies with 10 mm gaps
    settings.setMediumHeight(330);  // usable 320: three 100 mm copies with 10 mm gaps
    settings.setCopyDistanceHoricontal(10);
    settings.setCopyDistanceVertical(10);
    LayoutModel& m = open();
    EXPECT_EQ(m.maxColumns(), 3);
    EXPECT_EQ(m.maxRows(), 3);
    m.setCopiesEdit(7);
    m.setRowsEdit(2);
    EXPECT_EQ(m.copyTotal(), 6);
    EXPECT_EQ(m.copiesEditValue(), 3);
    EXPECT_EQ(m.freeSpaceH(), 0);
    EXPECT_EQ(m.freeSpaceV(), 110);
    m.setRowsEdit(3);
    // The weeding frame adds 2 × GridDistance per copy once the options page changed it.
    settings.setGrid(1);
    settings.setGridDistance(5);
    m.refresh();
    EXPECT_EQ(m.maxColumns(), 2);
    EXPECT_EQ(m.rows(), 2);
}

TEST_F(LayoutModelTest, AutomaticDistributionReportsAChangedCount) {
    settings.setRotate(0);
    settings.setMediumWidth(120);  // usable 110: two 50 mm copies side by side
    settings.setCopyDistanceHoricontal(5);
    settings.setCopyDistanceVertical(5);
    LayoutModel& m = open();
    m.setAutoDistribute(true);
    EXPECT_TRUE(m.copiesEditIsTotal());
    EXPECT_FALSE(m.rowsEnabled());
    EXPECT_FALSE(m.distanceHEnabled());
    m.setCopiesEdit(5);
    EXPECT_EQ(m.columns(), 2);
    EXPECT_EQ(m.rows(), 3);
    EXPECT_EQ(m.copiesEditValue(), 5);
    m.setAutoDistribute(true);  // already on: nothing happens
    m.setAutoDistribute(false);
    EXPECT_EQ(m.copyTotal(), 6);
    EXPECT_TRUE(m.rowsEnabled());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "The copy count was changed !");
    EXPECT_EQ(ui.messages[0].caption, "Sartovin");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
    // A total that fills its rows is kept without a message.
    m.setAutoDistribute(true);
    m.setCopiesEdit(4);
    m.setAutoDistribute(false);
    EXPECT_EQ(m.copyTotal(), 4);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(LayoutModelTest, PositionListPlacesTheJobInTheFreeSpace) {
    settings.setRotate(0);
    settings.setMediumWidth(160);   // usable 150, job 50: free 100
    settings.setMediumHeight(311);  // usable 301, job 100: free 201
    LayoutModel& m = open(12);      // hobby edition: nine placements
    ASSERT_EQ(m.positionCount(), 9);
    EXPECT_EQ(m.positionMode(), 7);
    EXPECT_EQ(m.positionList().size(), 9u);
    EXPECT_EQ(m.positionList()[4], "centered vertically");
    EXPECT_EQ(m.positionRight(), 95);  // entry 7 at the back left: the margin from the left
    EXPECT_EQ(m.positionFront(), 196);
    m.setPositionMode(3);
    EXPECT_EQ(key("Center"), "3");
    EXPECT_EQ(m.positionRight(), 50);
    EXPECT_EQ(m.positionLeft(), 50);
    EXPECT_FALSE(m.horizontalPositionEnabled());
    EXPECT_TRUE(m.verticalPositionEnabled());
    // Manual placement: the hobby edition's edits hold the left and back distances, clamped.
    m.setPositionMode(0);
    m.setHorizontalPosition(30);
    m.setVerticalPosition(500);
    EXPECT_EQ(m.positionLeft(), 30);
    EXPECT_EQ(m.positionRight(), 70);
    EXPECT_EQ(m.positionBack(), 201);
    EXPECT_EQ(m.positionFront(), 0);
    EXPECT_EQ(m.horizontalPositionValue(), 30);
    m.setPositionMode(4);
    EXPECT_EQ(m.positionFront(), 100);
    EXPECT_EQ(m.positionBack(), 100);
    EXPECT_EQ(m.positionRight(), 70);
    m.setPositionMode(9);  // not in the list
    EXPECT_EQ(m.positionMode(), 4);
}

TEST_F(LayoutModelTest, StoredPlacementIsKeptWhenTheEditionsListHoldsIt) {
    EXPECT_EQ(open(11).positionMode(), 7);
    EXPECT_EQ(open(21).positionMode(), 0);
    EXPECT_EQ(model->positionCount(), 4);
    settings.setCenter(3);
    EXPECT_EQ(open(1).positionMode(), 3);
    settings.setCenter(6);  // a hobby placement has no place in the standard list
    EXPECT_EQ(open(1).positionMode(), 1);
}

TEST_F(LayoutModelTest, StandardEditsEditRightAndFront) {
    settings.setRotate(0);
    settings.setMediumWidth(160);
    LayoutModel& m = open(1);
    m.setPositionMode(0);
    m.setHorizontalPosition(-4);
    EXPECT_EQ(m.positionRight(), 0);
    m.setHorizontalPosition(30);
    EXPECT_EQ(m.positionRight(), 30);
    EXPECT_EQ(m.positionLeft(), 70);
    m.setPositionMode(1);
    m.setHorizontalPosition(40);  // disabled: ignored
    EXPECT_EQ(m.positionRight(), 5);
}

TEST_F(LayoutModelTest, FormatListOfTheHobbyEdition) {
    LayoutModel& m = open(1);
    EXPECT_FALSE(m.formatListVisible());
    EXPECT_TRUE(m.formatList().empty());

    settings.setFormat(8);  // beyond the seven entries of a plotter without "Cameo"
    LayoutModel& h = open(10, test::testPlotter("CC330-20"));
    ASSERT_EQ(h.formatCount(), 7);
    EXPECT_EQ(h.format(), 0);
    EXPECT_EQ(h.formatList().size(), 7u);
    h.setFormat(4);
    EXPECT_EQ(h.mediumWidth(), 279);
    EXPECT_EQ(h.mediumHeight(), 216);
    EXPECT_EQ(key("Format"), "4");
    EXPECT_EQ(key("MediumWidth"), "279");
    h.setFormat(6);
    EXPECT_EQ(h.mediumWidth(), 279);  // the last entry keeps the size
    h.setFormat(2);
    h.setMediumWidth(250);  // typed by hand: the last entry
    EXPECT_EQ(h.format(), 6);
    EXPECT_EQ(key("Format"), "6");

    settings.setFormat(8);
    LayoutModel& c = open(11, test::testPlotter("Silhouette Cameo"));
    ASSERT_EQ(c.formatCount(), 10);
    EXPECT_EQ(c.format(), 8);
    EXPECT_EQ(c.formatList()[9], "user defined");
    c.setFormat(6);
    EXPECT_EQ(c.mediumWidth(), 216);
    EXPECT_EQ(c.mediumHeight(), 356);
}

TEST_F(LayoutModelTest, ShrunkExtentBecomesTheImportedSize) {
    settings.setRotate(0);
    LayoutModel& m = open();
    m.changeSize(SizeField::WidthPercent, 200);
    state.extent.spanY = 20;
    state.extent.spanX = 30;
    m.extentChanged();
    EXPECT_DOUBLE_EQ(m.importedWidth(), 20);
    EXPECT_DOUBLE_EQ(m.importedHeight(), 30);
    EXPECT_DOUBLE_EQ(m.jobWidth(), 40);
    EXPECT_DOUBLE_EQ(m.jobHeight(), 60);
}

TEST_F(LayoutModelTest, PlotterChangeClampsTheMediumIntoTheNewLimits) {
    settings.setRotate(0);
    LayoutModel& m = open();
    PlotterRecord small = test::testPlotter("Puma IV 60");
    small.maxMediaWidth = 300;
    m.setPlotter(small);
    EXPECT_EQ(m.mediumWidth(), 300);
    EXPECT_DOUBLE_EQ(m.usableWidth(), 290);
    // Nobody chose a width: it is the plotter's own and stays unstored, so the next plotter's
    // own width follows.
    EXPECT_EQ(key("MediumWidth"), "<absent>");
    EXPECT_EQ(key("MediumHeight"), "<absent>");  // still inside the limits
    PlotterRecord wide = test::testPlotter("Puma IV 132");
    wide.maxMediaWidth = 1450;
    m.setPlotter(wide);
    EXPECT_EQ(m.mediumWidth(), 1450);

    // A width the user chose is clamped into the new limits and the clamped value stored.
    m.setMediumWidth(1200);
    m.setPlotter(small);
    EXPECT_EQ(m.mediumWidth(), 300);
    EXPECT_EQ(key("MediumWidth"), "300");
}

TEST_F(LayoutModelTest, InvertAndRedrawFlag) {
    LayoutModel& m = open();
    m.clearPreviewRedraw();
    m.setInvert(true);
    EXPECT_TRUE(m.invert());
    EXPECT_TRUE(m.previewNeedsRedraw());
    m.clearPreviewRedraw();
    m.setCopiesEdit(1);
    EXPECT_TRUE(m.previewNeedsRedraw());
}

}  // namespace
}  // namespace sartovin

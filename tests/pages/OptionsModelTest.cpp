#include "pages/OptionsModel.h"

#include <gtest/gtest.h>

#include <memory>

#include "layout/LayoutModel.h"
#include "pages/LayerSelectionModel.h"
#include "support/CatalogRecords.h"
#include "support/JobBuilders.h"
#include "support/ModelEnvironment.h"

namespace sartovin {
namespace {

using test::testTools;

// Its speed lies beyond the test cutter's 80.
MediumRecord vinyl() { return test::cutterMedium("Vinyl", 90, 200, "T2", 2, 0.125); }

class OptionsModelTest : public ::testing::Test, protected test::ModelEnvironment {
protected:
    OptionsModel& open(StartMode startMode = 1, const PlotterRecord& plotter = test::testPlotter()) {
        model = std::make_unique<OptionsModel>(settings, texts, ui, startMode);
        model->open(testTools());
        model->setPlotter(plotter);
        return *model;
    }

    std::unique_ptr<OptionsModel> model;
};

TEST_F(OptionsModelTest, EditsAreClampedShownAndWritten) {
    OptionsModel& m = open();
    EXPECT_EQ(m.editInt(OptionField::GridDistance, "150"), 100);
    EXPECT_EQ(m.gridDistance(), 100);
    EXPECT_EQ(m.text(OptionField::GridDistance), "100");
    EXPECT_EQ(stateKey("GridDistance"), "100");
    EXPECT_EQ(m.editInt(OptionField::Speed, "2"), 10);  // the plotter's MinCutSpeed
    EXPECT_EQ(stateKey("Speed"), "10");
    EXPECT_EQ(m.editInt(OptionField::Force, "9999"), 400);
    EXPECT_EQ(stateKey("Force"), "400");
    EXPECT_EQ(m.editInt(OptionField::Overcut, "-3"), 0);
    EXPECT_EQ(stateKey("Overcut"), "0");
    EXPECT_EQ(m.editInt(OptionField::RepeatCount, "abc"), 1);
    EXPECT_EQ(m.editInt(OptionField::RepeatCount, " 7x"), 7);
    EXPECT_EQ(m.repeatCount(), 7);
    EXPECT_EQ(stateKey("RepeatCount"), "7");
    // The feed after plotting is written as entered.
    EXPECT_EQ(m.editInt(OptionField::EndPositionDistance, "1234"), 1234);
    EXPECT_EQ(stateKey("EndPositionDistance"), "1234");
}

TEST_F(OptionsModelTest, SpinStepsByEdition) {
    OptionsModel& m = open(1);
    m.setInt(OptionField::Speed, 30);
    EXPECT_EQ(m.spin(OptionField::Speed, -1), 33);  // upward is a negative request
    EXPECT_EQ(m.spin(OptionField::Speed, 1), 30);
    m.setInt(OptionField::Force, 398);
    EXPECT_EQ(m.spin(OptionField::Force, -1), 400);  // clamped after the step
    EXPECT_EQ(stateKey("Force"), "400");
    EXPECT_EQ(m.spin(OptionField::Force, 1), 395);
    EXPECT_EQ(m.spin(OptionField::GridDistance, 1), 0);

    OptionsModel& h = open(12);
    h.setInt(OptionField::Speed, 30);
    EXPECT_EQ(h.spin(OptionField::Speed, -1), 31);
    h.setInt(OptionField::Force, 30);
    EXPECT_EQ(h.spin(OptionField::Force, -1), 31);
}

TEST_F(OptionsModelTest, QualityListFollowsThePlotterAndTheStoredIndex) {
    OptionsModel& m = open();
    ASSERT_EQ(m.qualityList().size(), 5u);
    EXPECT_EQ(m.qualityList()[0].text, "small letters");
    EXPECT_EQ(m.qualityList()[4].code, 4);
    // "QualityIndex" absent: the second-to-last entry, production.
    EXPECT_EQ(m.qualityIndex(), 3);
    EXPECT_DOUBLE_EQ(m.qualityValue(), 3);      // QualityFair
    EXPECT_DOUBLE_EQ(m.nextQualityValue(), 4);  // QualityDraft
    m.setQualityIndex(4);
    EXPECT_DOUBLE_EQ(m.qualityValue(), 4);
    EXPECT_DOUBLE_EQ(m.nextQualityValue(), 0);
    EXPECT_EQ(stateKey("QualityIndex"), "4");
    m.setQualityIndex(5);  // not in the list
    EXPECT_EQ(m.qualityIndex(), 4);

    PlotterRecord noSmall = test::testPlotter();
    noSmall.qualitySmallLetter = 0;
    m.setPlotter(noSmall);
    ASSERT_EQ(m.qualityList().size(), 4u);
    EXPECT_EQ(m.qualityList()[0].code, 1);
    EXPECT_EQ(m.qualityIndex(), 2);  // the stored 4 is beyond the list
    EXPECT_DOUBLE_EQ(m.qualityValue(), 3);

    PlotterRecord none;
    m.setPlotter(none);
    ASSERT_EQ(m.qualityList().size(), 1u);
    EXPECT_EQ(m.qualityList()[0].code, 2);
    EXPECT_EQ(m.qualityIndex(), 0);
    EXPECT_DOUBLE_EQ(OptionsModel::qualityValueOf(test::testPlotter(), 9), 1);  // other codes read "fine"
}

TEST_F(OptionsModelTest, StandardCorrectionStaysWithinTheToolOffset) {
    OptionsModel& m = open(1);
    EXPECT_EQ(m.toolNames()[0], "Blade 0.25");
    m.selectTool(0);
    EXPECT_DOUBLE_EQ(m.toolOffset(), 0.25);
    EXPECT_DOUBLE_EQ(m.setOffsetCorrection(-0.3), -0.25);
    EXPECT_EQ(m.offsetText(), "-0.250");
    EXPECT_EQ(stateKey("Offset"), "-0.250");
    EXPECT_DOUBLE_EQ(m.editOffset("0.8"), 0.75);
    EXPECT_EQ(stateKey("Offset"), "0.750");
    EXPECT_DOUBLE_EQ(m.editOffset("0,1"), 0.1);
    EXPECT_NEAR(m.spinOffset(-1), 0.11, 1e-12);
    // A new tool resets the correction.
    m.selectTool(1);
    EXPECT_DOUBLE_EQ(m.offsetCorrection(), 0);
    EXPECT_DOUBLE_EQ(m.offsetMax(), 0.5);
    EXPECT_EQ(stateKey("Offset"), "0.000");
}

TEST_F(OptionsModelTest, HobbyBladeSettingAndLaserOffsetRanges) {
    OptionsModel& h = open(11);
    EXPECT_DOUBLE_EQ(h.offsetCorrection(), 1);  // a reset to 0 is corrected to the first setting
    EXPECT_DOUBLE_EQ(h.setOffsetCorrection(12), 10);
    EXPECT_DOUBLE_EQ(h.spinOffset(1), 9);
    EXPECT_EQ(stateKey("Offset"), "9.000");
    EXPECT_EQ(h.bladePicture(), 9);
    h.selectTool(2);
    EXPECT_EQ(h.bladePicture(), 0);  // the pen picture

    OptionsModel& l = open(20);
    EXPECT_DOUBLE_EQ(l.setOffsetCorrection(30), 25);
    EXPECT_DOUBLE_EQ(l.setOffsetCorrection(-1), 0);
    EXPECT_FALSE(l.usePlotterSettingsVisible());
    EXPECT_TRUE(l.laserControlsVisible());
}

TEST_F(OptionsModelTest, ApplyingAMediumGoesThroughTheChecks) {
    OptionsModel& m = open(1);
    m.applyMedium(vinyl(), 3);
    EXPECT_EQ(m.force(), 90);
    EXPECT_EQ(m.speed(), 80);
    EXPECT_EQ(m.repeatCount(), 2);
    EXPECT_EQ(m.toolIndex(), 1);
    EXPECT_DOUBLE_EQ(m.toolOffset(), 0.5);
    EXPECT_DOUBLE_EQ(m.offsetCorrection(), 0.125);
    EXPECT_EQ(m.currentMedium(), 3);
    EXPECT_EQ(stateKey("Speed"), "80");
    EXPECT_EQ(stateKey("RepeatCount"), "2");
    EXPECT_EQ(stateKey("Offset"), "0.125");
    EXPECT_EQ(m.parametersCaption(), "Cutting Parameter for Vinyl");
    EXPECT_EQ(m.saveTooltip(), "Save the cutting configuration for Vinyl");
    MediumRecord unknownTool = vinyl();
    unknownTool.toolIdName = "T9";
    unknownTool.deltaOffset = 0.9;
    m.applyMedium(unknownTool, 0);
    EXPECT_EQ(m.toolIndex(), 1);  // the tool stays
    EXPECT_DOUBLE_EQ(m.offsetCorrection(), 0.5);
}

TEST_F(OptionsModelTest, LaserEditionKeepsItsOwnParameters) {
    OptionsModel& l = open(21);
    MediumRecord wood;
    wood.name = "Wood";
    wood.vectorForce = 50, wood.vectorSpeed = 30, wood.vectorLpi = 2000, wood.vectorRepeatCount = 2;
    wood.rasterForce = 40, wood.rasterSpeed = 60, wood.rasterDpi = 300, wood.rasterRepeatCount = 0;
    wood.vectorCutOutForce = 120, wood.vectorCutOutSpeed = 10, wood.vectorCutOutLpi = 500;
    wood.rasterCleanForce = 5, wood.rasterCleanSpeed = 0;
    wood.smooth = 1, wood.raster = 1;
    l.applyMedium(wood, 0);
    EXPECT_EQ(l.force(), 50);
    EXPECT_EQ(l.speed(), 30);
    EXPECT_EQ(l.laser().vectorLpi, 1525);
    EXPECT_EQ(l.value(OptionField::RepeatCount), 1525);  // the repetitions edit holds the density
    EXPECT_EQ(l.repeatCount(), 2);
    EXPECT_EQ(l.laser().rasterRepeatCount, 1);
    EXPECT_EQ(l.laser().cutOutForce, 100);
    EXPECT_EQ(l.laser().cleanSpeed, 1);
    EXPECT_EQ(l.laser().rasterDpi, 300);
    EXPECT_TRUE(l.laser().smooth);
    EXPECT_FALSE(l.laser().clean);
    EXPECT_EQ(stateKey("VectorLPI"), "1525");
    EXPECT_EQ(stateKey("RepeatCountRaster"), "1");
    EXPECT_EQ(stateKey("CutOutVectorForce"), "100");
    EXPECT_EQ(stateKey("RasterCleanSpeed"), "1");
    EXPECT_EQ(stateKey("RepeatCount"), "<absent>");
    EXPECT_EQ(l.spin(OptionField::CleanRepeatCount, -1), 2);
    EXPECT_EQ(stateKey("RasterCleanRepeat"), "2");
}

TEST_F(OptionsModelTest, SwitchesAndEndPosition) {
    settings.setGrid(1);
    settings.setGridDistance(250);
    settings.setEndPosition(5);
    OptionsModel& m = open();
    EXPECT_TRUE(m.gridOn());
    EXPECT_EQ(m.gridDistance(), 100);
    EXPECT_TRUE(m.gridDistanceEnabled());
    EXPECT_EQ(m.endPosition(), 2);
    m.setGridOn(false);
    EXPECT_EQ(stateKey("Grid"), "0");
    EXPECT_FALSE(m.gridDistanceEnabled());
    m.setOvercutOn(true);
    EXPECT_EQ(stateKey("UseOvercut"), "1");
    EXPECT_TRUE(m.overcutEnabled());
    m.setInt(OptionField::EndPositionDistance, 40);
    m.setEndPosition(1);
    EXPECT_EQ(stateKey("EndPosition"), "1");
    settings.setEndPositionDistance(0);
    m.setEndPosition(2);  // also writes the distance
    EXPECT_EQ(stateKey("EndPosition"), "2");
    EXPECT_EQ(stateKey("EndPositionDistance"), "40");
    m.setEndPosition(3);
    EXPECT_EQ(m.endPosition(), 2);
    m.setTestCutMode(true);
    EXPECT_TRUE(m.testCutMode());
}

// The options page and the pages it reaches: the frame and the cutter's own settings act on the
// layout and the layers page.
class OptionsWithPagesTest : public OptionsModelTest, protected test::PageJob {
protected:
    OptionsWithPagesTest() {
        live.layers.push_back(test::layerWith("Cut", {test::rectangle(0, 0, 100, 50)}));
        imported({50, 100, 50, 100, 100, 50, 0, 0});
        settings.setRotate(0);
        options = std::make_unique<OptionsModel>(settings, texts, ui, 1);
        layout = std::make_unique<LayoutModel>(settings, texts, ui, 1, live, reference, state);
        layers = std::make_unique<LayerSelectionModel>(texts, 1, live, state, *options, *layout);
        options->open(testTools());
        options->setPlotter(test::testPlotter());
        layout->setPlotter(test::testPlotter());
        layout->open();
        layers->rebuildTree();
    }
    std::unique_ptr<OptionsModel> options;
    std::unique_ptr<LayoutModel> layout;
    std::unique_ptr<LayerSelectionModel> layers;
};

TEST_F(OptionsWithPagesTest, UsePlotterSettingsClearsIndividualParametersWithAMessage) {
    layers->setIndividualParameters(true);
    ASSERT_TRUE(layers->individualParameters());
    options->setUsePlotterSettings(true);
    EXPECT_FALSE(layers->individualParameters());
    EXPECT_FALSE(layers->individualParametersEnabled());
    EXPECT_FALSE(options->cuttingParametersEnabled());
    EXPECT_FALSE(options->secondSaveEnabled());
    EXPECT_EQ(stateKey("UsePlotterSettings"), "1");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "The different cutting parameters were switched off.");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
    layers->setIndividualParameters(true);  // refused while the cutter's settings are used
    EXPECT_FALSE(layers->individualParameters());
    options->setUsePlotterSettings(false);
    options->setUsePlotterSettings(true);  // nothing to clear: no message
    EXPECT_EQ(ui.messages.size(), 1u);
    options->setUsePlotterSettings(false);
    EXPECT_TRUE(options->cuttingParametersEnabled());
    EXPECT_EQ(stateKey("UsePlotterSettings"), "0");
}

TEST_F(OptionsWithPagesTest, FrameChangesReachTheLayoutAndTheTree) {
    layers->setIndividualParameters(true);
    EXPECT_EQ(layers->entries().size(), 2u);
    EXPECT_DOUBLE_EQ(layout->largestJobWidth(), 589);
    options->setInt(OptionField::GridDistance, 10);
    options->setGridOn(true);
    EXPECT_DOUBLE_EQ(layout->largestJobWidth(), 569);
    ASSERT_EQ(layers->entries().size(), 3u);
    EXPECT_EQ(layers->entries()[2].text, "Grid");
    options->setOvercutOn(true);
    EXPECT_DOUBLE_EQ(layout->largestJobWidth(), 567);
}

}  // namespace
}  // namespace sartovin

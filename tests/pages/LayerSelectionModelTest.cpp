#include "pages/LayerSelectionModel.h"

#include <gtest/gtest.h>

#include <memory>

#include "job/JobModel.h"
#include "layout/LayoutModel.h"
#include "support/CatalogRecords.h"
#include "support/JobBuilders.h"
#include "support/ModelEnvironment.h"

namespace sartovin {
namespace {

using test::cutterMedium;
using test::rectangle;

constexpr std::uint32_t kRed = 0x0000FF, kBlue = 0xFF0000;

// Layers: 0 "Red" (two red objects), 1 "Empty", 2 the marks layer, 3 "Mixed" (a blue and a red
// object, the blue one selected in the host). Colour groups: red (three members), blue.
class LayerSelectionTest : public ::testing::Test, protected test::ModelEnvironment, protected test::PageJob {
protected:
    LayerSelectionTest() {
        settings.setRotate(0);
        JobLayer red, empty, marks, mixed;
        red.name = "Red";
        red.objects = {rectangle(0, 0, 10, 10, kRed), rectangle(20, 0, 30, 10, kRed)};
        empty.name = "Empty";
        marks.name = kMarksLayerName;
        for (int i = 0; i < 3; ++i) marks.objects.push_back(rectangle(-5, -5, -4, -4, 1));
        mixed.name = "Mixed";
        mixed.objects = {rectangle(40, 20, 60, 50, kBlue), rectangle(0, 40, 10, 50, kRed)};
        mixed.objects[0].selected = true;
        live.layers = {red, empty, marks, mixed};
        buildColourGroups(live);
        // The extent as import leaves it (marks included, widened by 0.5 mm).
        imported({56, 66, 56, 66, 60.5, 50.5, -5.5, -5.5});

        media = {cutterMedium("Vinyl", 90, 30, "T1", 2, 0.1), cutterMedium("Flock", 150, 12, "T2", 3, -0.05)};

        options = std::make_unique<OptionsModel>(settings, texts, ui, 1);
        layout = std::make_unique<LayoutModel>(settings, texts, ui, 1, live, reference, state);
        layers = std::make_unique<LayerSelectionModel>(texts, 1, live, state, *options, *layout);
        layers->setCatalogs(&media, &tools);
        options->open(tools);
        options->setPlotter(test::testPlotter());
        options->applyMedium(media[0], 0);
        layout->setPlotter(test::testPlotter());
        layout->open();
        layers->rebuildTree();
    }

    std::vector<std::string> texts_() const {
        std::vector<std::string> t;
        for (const LayerEntry& e : layers->entries()) t.push_back(e.text);
        return t;
    }

    std::vector<MediumRecord> media;
    std::vector<ToolRecord> tools = test::testTools();
    std::unique_ptr<OptionsModel> options;
    std::unique_ptr<LayoutModel> layout;
    std::unique_ptr<LayerSelectionModel> layers;
};

TEST_F(LayerSelectionTest, TreeHoldsLayersWithObjectsButNeverTheMarksLayer) {
    EXPECT_EQ(texts_(), (std::vector<std::string>{"Layer", "Red", "Mixed"}));
    const auto& e = layers->entries();
    EXPECT_EQ(e[1].index, 0);
    EXPECT_EQ(e[2].index, 3);
    EXPECT_EQ(e[2].listKey, 1103);
    EXPECT_EQ(live.layers[3].listKey, 1103);
    EXPECT_EQ(live.layers[0].listKey, 1100);
    EXPECT_EQ(layers->currentEntry(), 1);
    // The entries start with the current medium's values.
    EXPECT_EQ(layers->currentValues().speed, 30);
    EXPECT_EQ(layers->currentValues().repetitions, 2);

    layers->setByLayers(false);
    EXPECT_EQ(texts_().front(), "Fillcolors");
    ASSERT_EQ(layers->entries().size(), 3u);
    EXPECT_EQ(layers->entries()[1].name, live.colourGroups[0].name);
    EXPECT_EQ(live.colourGroups[1].listKey, 1101);
}

TEST_F(LayerSelectionTest, SwitchingReenablesColoursButNotLayers) {
    layers->setChecked(1, false);  // layer "Red"
    EXPECT_FALSE(live.layers[0].enabled);
    layers->setByLayers(false);
    layers->setChecked(2, false);  // blue
    EXPECT_FALSE(live.colourGroups[1].enabled);
    layout->clearPreviewRedraw();
    layers->setByLayers(true);
    EXPECT_TRUE(live.colourGroups[1].enabled);
    EXPECT_FALSE(live.layers[0].enabled);
    EXPECT_FALSE(layers->entries()[1].checked);
    EXPECT_TRUE(layout->previewNeedsRedraw());
}

TEST_F(LayerSelectionTest, FrameEntryKeepsItsOwnPassCount) {
    options->setGridOn(true);
    EXPECT_EQ(layers->entries().size(), 3u);  // no frame entry without individual parameters
    layers->setIndividualParameters(true);
    ASSERT_EQ(texts_().back(), "Grid");
    layers->selectEntry(3);
    EXPECT_EQ(layers->setValue(LayerField::RepeatCount, 5), 5);
    EXPECT_EQ(layers->frameValues().repetitions, 5);
    EXPECT_EQ(live.layers[0].settings.repetitions, 2);
    EXPECT_EQ(live.layers[3].settings.repetitions, 2);

    auto groups = layers->cutGroups();
    ASSERT_EQ(groups.size(), 5u);
    EXPECT_EQ(groups[0].groupIndex, 0);
    EXPECT_FALSE(groups[0].skipped);
    EXPECT_TRUE(groups[1].skipped);  // "Empty"
    EXPECT_TRUE(groups[2].skipped);  // the marks layer
    EXPECT_EQ(groups[3].groupIndex, 3);
    EXPECT_EQ(groups[3].passes, 2);
    EXPECT_EQ(groups[4].groupIndex, -2);
    EXPECT_EQ(groups[4].passes, 5);

    // Unticking the frame entry switches the weeding frame off; the group goes with it.
    layers->setChecked(3, false);
    EXPECT_FALSE(options->gridOn());
    EXPECT_EQ(settings.grid(), 0);
    EXPECT_EQ(layers->cutGroups().size(), 4u);
}

TEST_F(LayerSelectionTest, EntryValuesPresetsAndTexts) {
    layers->setIndividualParameters(true);
    layers->selectEntry(2);  // "Mixed"
    layers->setPreset(1);
    CutSettings s = layers->currentValues();
    EXPECT_EQ(s.preset, 1);
    EXPECT_EQ(s.force, 150);
    EXPECT_EQ(s.speed, 12);
    EXPECT_EQ(s.repetitions, 3);
    EXPECT_EQ(s.tool, 1);
    EXPECT_EQ(layers->entries()[2].text, "Mixed ( Flock )");
    EXPECT_EQ(layers->editValue(LayerField::Speed, "2"), 10);  // the plotter's MinCutSpeed
    EXPECT_EQ(layers->spinValue(LayerField::Force, -1), 155);  // the standard edition's step 5
    EXPECT_EQ(layers->entries()[2].text, "Mixed (*** Flock ***)");
    EXPECT_EQ(live.layers[3].settings.speed, 10);
    EXPECT_EQ(layers->entries()[1].text, "Red");  // untouched entries keep their name

    // Renaming survives a rebuild of the tree.
    layers->rebuildTree();
    EXPECT_EQ(layers->entries()[2].text, "Mixed (*** Flock ***)");

    auto groups = layers->cutGroups();
    EXPECT_EQ(groups[3].speed, 10);
    EXPECT_EQ(groups[3].force, 155);
    EXPECT_DOUBLE_EQ(groups[3].toolOffset, 0.5);
    EXPECT_DOUBLE_EQ(groups[3].deltaOffset, -0.05);
    EXPECT_DOUBLE_EQ(groups[0].toolOffset, 0.25);
    EXPECT_DOUBLE_EQ(groups[0].deltaOffset, 0.1);
}

TEST_F(LayerSelectionTest, WithoutIndividualParametersTheJobIsOneGroup) {
    options->setGridOn(true);
    options->setInt(OptionField::RepeatCount, 4);
    auto groups = layers->cutGroups();
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].groupIndex, -1);
    EXPECT_EQ(groups[0].passes, 4);
    EXPECT_EQ(groups[0].speed, 30);
    EXPECT_DOUBLE_EQ(groups[0].toolOffset, 0.25);
    EXPECT_DOUBLE_EQ(groups[0].deltaOffset, 0.1);
}

TEST_F(LayerSelectionTest, ColourGroupsAreCutInTheirOrder) {
    layers->setIndividualParameters(true);
    layers->setByLayers(false);
    layers->setChecked(1, false);  // red
    auto groups = layers->cutGroups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_TRUE(groups[0].skipped);
    EXPECT_FALSE(groups[1].skipped);
    EXPECT_EQ(groups[1].groupIndex, 1);
}

TEST_F(LayerSelectionTest, ShrinkToSelectionSizesTheJobToTheChosenObjects) {
    EXPECT_DOUBLE_EQ(layout->jobWidth(), 56);
    layers->setShrinkToSelection(true);  // all objects: the full drawing stays
    EXPECT_DOUBLE_EQ(layout->jobWidth(), 56);
    layers->setAllObjects(false);
    // Only the blue rectangle (40..60 × 20..50), widened by 0.5 mm on each side.
    EXPECT_DOUBLE_EQ(state.extent.spanX, 21);
    EXPECT_DOUBLE_EQ(state.extent.spanY, 31);
    EXPECT_DOUBLE_EQ(layout->importedWidth(), 31);
    EXPECT_DOUBLE_EQ(layout->jobWidth(), 31);
    EXPECT_DOUBLE_EQ(layout->jobHeight(), 21);
    EXPECT_DOUBLE_EQ(state.extent.importedSpanX, 66);  // the reference spans stay
    // Rotating keeps the shrunk size.
    layout->setRotation(1);
    EXPECT_DOUBLE_EQ(layout->jobWidth(), 21);
    EXPECT_DOUBLE_EQ(layout->jobHeight(), 31);
    layout->setRotation(0);
    layers->setShrinkToSelection(false);
    EXPECT_DOUBLE_EQ(layout->jobWidth(), 56);
    EXPECT_DOUBLE_EQ(state.extent.spanX, 66);
}

TEST_F(LayerSelectionTest, MarksRequestAndPause) {
    EXPECT_FALSE(layers->takePlotterSelectionRequest());
    layers->setUseMarks(true);
    EXPECT_TRUE(layers->useMarks());
    EXPECT_TRUE(layers->takePlotterSelectionRequest());
    EXPECT_FALSE(layers->takePlotterSelectionRequest());
    layers->setPauseBetweenPasses(true);
    EXPECT_TRUE(layers->pauseBetweenPasses());
    EXPECT_TRUE(layers->onlySelectedAvailable());
}

}  // namespace
}  // namespace sartovin

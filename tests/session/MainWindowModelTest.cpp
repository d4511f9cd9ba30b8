#include "session/MainWindowModel.h"

#include <gtest/gtest.h>

#include "StartedProgram.h"
#include "platform/Profile.h"
#include "plot/ScriptedPlotProgress.h"

namespace sartovin {
namespace {

// Two layers of one square each; the program's own data serve as templates.
const char* kTwoLayers =
    "Sartovin Daten von AI.\r\nQXSeite\r\n100 100\r\n"
    "QXEbene\r\nRot\r\nQXObjekt\r\nQXAuswahl\r\nnein\r\nQXKoordinaten\r\n0 10 10 0\r\nQXFuellfarbe\r\nRot\r\n"
    "RGB\r\n255 0 0\r\nQXStart\r\nQXGeschlossen\r\nja\r\nC 0 0 0 0 0 0\r\nC 10 0 10 0 10 0\r\nC 10 10 10 10 "
    "10 10\r\n"
    "QXEnde\r\n"
    "QXEbene\r\nBlau\r\nQXObjekt\r\nQXAuswahl\r\nnein\r\nQXKoordinaten\r\n20 10 30 "
    "0\r\nQXFuellfarbe\r\nBlau\r\n"
    "RGB\r\n0 0 255\r\nQXStart\r\nQXGeschlossen\r\nja\r\nC 20 0 20 0 20 0\r\nC 30 0 30 0 30 0\r\n"
    "C 30 10 30 10 30 10\r\nQXEnde\r\n";

class MainWindowModelTest : public test::StartedProgram {
protected:
    MainWindowModelTest() : StartedProgram(kTwoLayers) {}
};

TEST_F(MainWindowModelTest, PlotterSelectionIsStoredAndBringsItsMedia) {
    auto model = openModel();
    int jaguar = model->plotters().indexOf("Jaguar IV 61");
    ASSERT_GE(jaguar, 0);
    ASSERT_TRUE(model->selectPlotter(jaguar));
    EXPECT_EQ(GetPrivateProfileString("State", "Plotter", "", app.iniPath), "Jaguar IV 61");
    ASSERT_NE(model->media().current(), nullptr);
    EXPECT_EQ(GetPrivateProfileString("Jaguar IV 61", "Medium", "", app.iniPath),
              model->media().current()->name);
    EXPECT_FALSE(model->selectPlotter(9999));
    EXPECT_EQ(model->plotters().currentIndex(), jaguar);
}

TEST_F(MainWindowModelTest, AnotherPlotterBringsItsMediumWidthUnlessTheUserSetOneThatFits) {
    auto model = openModel();
    const int puma = model->plotters().indexOf("Puma III 60");     // media up to 720 mm
    const int jaguar = model->plotters().indexOf("Jaguar IV 61");  // media up to 740 mm
    const int bengal = model->plotters().indexOf("Bengal 160");    // media up to 1700 mm
    ASSERT_TRUE(model->selectPlotter(puma));
    EXPECT_EQ(model->layout().mediumWidth(), 720);
    // Never set: the width is the new plotter's own, and nothing is stored for it.
    ASSERT_TRUE(model->selectPlotter(jaguar));
    EXPECT_EQ(model->layout().mediumWidth(), 740);
    ASSERT_TRUE(model->selectPlotter(bengal));
    EXPECT_EQ(model->layout().mediumWidth(), 1700);
    EXPECT_EQ(GetPrivateProfileString("State", "MediumWidth", "", app.iniPath), "");

    // Set by the user: kept where the new plotter takes it, clamped where it does not.
    model->layout().setMediumWidth(700);
    ASSERT_TRUE(model->selectPlotter(puma));
    EXPECT_EQ(model->layout().mediumWidth(), 700);
    ASSERT_TRUE(model->selectPlotter(bengal));
    model->layout().setMediumWidth(1500);
    ASSERT_TRUE(model->selectPlotter(jaguar));
    EXPECT_EQ(model->layout().mediumWidth(), 740);
    EXPECT_EQ(GetPrivateProfileString("State", "MediumWidth", "", app.iniPath), "740");
    EXPECT_LE(model->layout().mediumHeight(), 50000);
}

TEST_F(MainWindowModelTest, ParametersFollowThePages) {
    auto model = openModel();
    model->selectPlotter(model->plotters().indexOf("Jaguar IV 61"));
    model->layout().setCopiesEdit(2);
    PlotParameters p = model->plotParameters();
    EXPECT_EQ(p.job, &model->job());
    EXPECT_EQ(p.columns, model->layout().columns());
    EXPECT_EQ(p.speed, model->options().speed());
    EXPECT_EQ(p.cutInit, true);
    EXPECT_EQ(p.offsetList.size(), 8u);
    EXPECT_EQ(p.groupCount, 2);
    EXPECT_DOUBLE_EQ(p.lineAcceleration, model->options().qualityValue());
    // The last quality entry has no follower: the curves keep the line acceleration.
    model->options().setQualityIndex(static_cast<int>(model->options().qualityList().size()) - 1);
    p = model->plotParameters();
    EXPECT_DOUBLE_EQ(p.curveAcceleration, p.lineAcceleration);
}

TEST_F(MainWindowModelTest, GenerationHandsEveryGroupToTheSink) {
    auto model = openModel();
    model->selectPlotter(model->plotters().indexOf("Jaguar IV 61"));
    model->layers().setIndividualParameters(true);
    ScriptedPlotProgress progress;
    PlotContext context{ui, texts, progress, nullptr};
    std::vector<std::string> groups;
    std::string stream;
    PlotRunResult r = model->generate(
        context,
        [&](const std::string& bytes) {
            groups.push_back(bytes);
            return true;
        },
        stream);
    // One group per layer, each a whole standard-edition stream with its zero byte.
    ASSERT_EQ(r.groupsSent, 2);
    ASSERT_EQ(groups.size(), 2u);
    for (const auto& g : groups) {
        EXPECT_EQ(g.rfind("IN;", 0), 0u) << g.substr(0, 20);
        EXPECT_EQ(g.back(), '\0');
    }
    EXPECT_NE(groups[0], groups[1]);
}

// The user works with individual parameters: the selected layer entry has its own speed and force.
// Saving the medium writes the options page as it stands; only a new medium starts from the entry,
// and only once its name is accepted. No and Cancel change nothing.
class MediumSaveTest : public MainWindowModelTest {
protected:
    std::unique_ptr<MainWindowModel> modelWithEntryValues() {
        auto model = openModel();
        model->selectPlotter(model->plotters().indexOf("Jaguar IV 61"));
        model->options().setInt(OptionField::Speed, 30);
        model->options().setInt(OptionField::Force, 100);
        model->options().setOffsetCorrection(0.05);
        model->layers().setIndividualParameters(true);
        model->layers().selectEntry(1);
        model->layers().setValue(LayerField::Speed, 12);
        model->layers().setValue(LayerField::Force, 222);
        return model;
    }
    static void expectPage(MainWindowModel& m, int speed, int force, double correction) {
        EXPECT_EQ(m.options().speed(), speed);
        EXPECT_EQ(m.options().force(), force);
        EXPECT_DOUBLE_EQ(m.options().offsetCorrection(), correction);
    }
};

TEST_F(MediumSaveTest, SaveWritesTheOptionsPageAsItStands) {
    auto model = modelWithEntryValues();
    ui.answers = {MessageAnswer::Yes};
    ASSERT_TRUE(model->saveMedium(MediaCatalog::SaveCommand::SaveButton));
    const MediumRecord* saved = model->media().current();
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->cutSpeed, 30);
    EXPECT_EQ(saved->cutForce, 100);
    EXPECT_DOUBLE_EQ(saved->deltaOffset, 0.05);
    expectPage(*model, 30, 100, 0.05);
}

TEST_F(MediumSaveTest, AnsweringNoOrCancellingTheNameChangesNothing) {
    auto model = modelWithEntryValues();
    ui.answers = {MessageAnswer::No};
    EXPECT_FALSE(model->saveMedium(MediaCatalog::SaveCommand::SaveButton));
    expectPage(*model, 30, 100, 0.05);
    ui.textAnswers = {std::nullopt};
    EXPECT_FALSE(model->newMedium());
    expectPage(*model, 30, 100, 0.05);
}

TEST_F(MediumSaveTest, ANewMediumStartsFromTheEntryOnceItsNameIsAccepted) {
    auto model = modelWithEntryValues();
    ui.textAnswers = {std::string("Fensterfolie")};
    ASSERT_TRUE(model->newMedium());
    const MediumRecord* made = model->media().current();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->name, "Fensterfolie");
    EXPECT_EQ(made->cutSpeed, 12);
    EXPECT_EQ(made->cutForce, 222);
}

}  // namespace
}  // namespace sartovin

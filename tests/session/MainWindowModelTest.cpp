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

}  // namespace
}  // namespace sartovin

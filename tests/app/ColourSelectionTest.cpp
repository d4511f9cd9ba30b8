// The user unticks a fill colour and goes on working: another plotter (or the same one again), the
// registration-marks switch, individual parameters. The colour stays unticked and is not cut.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidgetItem>

#include <cstdlib>

#include "app/CLayerTab.h"
#include "app/MainWindowTestSupport.h"
#include "support/CutRuns.h"

namespace sartovin::test {
namespace {

// Sub-paths of the objects of the enabled colour groups: with overcut off each is one cut run.
int pathsOfEnabledColours(const Job& job) {
    int n = 0;
    for (const ColourGroup& g : job.colourGroups) {
        if (!g.enabled) continue;
        for (const auto& [layer, object] : g.members)
            n += static_cast<int>(job.layers[static_cast<std::size_t>(layer)]
                                      .objects[static_cast<std::size_t>(object)]
                                      .paths.size());
    }
    return n;
}

TEST(ColourSelection, AnUntickedColourStaysUntickedAndUncut) {
    testApplication();
    MainWindowHarness h("SartovinAI", 2000, SARTOVIN_SOURCE_DIR "/examples/stickers.qxj");
    h.spooler.add("Cutter");
    h.setting("State", "Plotter", "Jaguar IV 61");
    h.setting("Jaguar IV 61", "PortType", "3");
    h.setting("Jaguar IV 61", "Port", "Cutter");
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    w.tabs()->setCurrentIndex(2);
    CLayerTab* page = w.layerPage();
    LayerSelectionModel& layers = w.model().layers();
    page->byColoursButton()->click();
    ASSERT_GE(layers.entries().size(), 3u) << "a root and at least two colours";

    const int entry = 2;
    const int group = layers.entries()[entry].index;
    page->itemOf(entry)->setCheckState(0, Qt::Unchecked);
    ASSERT_FALSE(w.model().job().colourGroups[static_cast<std::size_t>(group)].enabled);
    layers.selectEntry(entry);

    // The same plotter chosen again, and another one and back.
    const int jaguar = w.plotterList()->findText("Jaguar IV 61");
    const int puma = w.plotterList()->findText("Puma III 60");
    for (int plotter : {jaguar, puma, jaguar}) {
        w.plotterList()->setCurrentIndex(plotter);
        emit w.plotterList()->activated(plotter);
    }
    page->useMarksBox()->click();
    page->individualBox()->click();
    page->individualBox()->click();

    EXPECT_FALSE(w.model().job().colourGroups[static_cast<std::size_t>(group)].enabled);
    EXPECT_EQ(layers.currentEntry(), entry) << "the selected entry stays selected";
    ASSERT_NE(page->itemOf(entry), nullptr);
    EXPECT_EQ(page->itemOf(entry)->checkState(0), Qt::Unchecked);

    w.cutButton()->click();
    const auto& docs = h.spooler.queues["Cutter"].documents;
    ASSERT_EQ(docs.size(), 1u);
    // The cutter's blade initialisation (a 2.5 mm stroke before the job) is no outline.
    int runs = 0;
    for (const CutRun& r : hpglCutRuns(docs[0]))
        if (r.size() > 2 || std::labs(r[1].x - r[0].x) + std::labs(r[1].y - r[0].y) > 120) ++runs;
    EXPECT_EQ(runs, pathsOfEnabledColours(w.model().job()));
    int all = 0;
    for (const JobLayer& l : w.model().job().layers)
        for (const JobObject& o : l.objects) all += static_cast<int>(o.paths.size());
    EXPECT_LT(runs, all) << "the unticked colour's outlines are not in the stream";
}

}  // namespace
}  // namespace sartovin::test

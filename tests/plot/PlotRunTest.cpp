#include "plot/PlotRun.h"

#include "PlotFixture.h"
#include "plot/HpglWriter.h"

namespace sartovin::test {
namespace {

// Three layers with one short line each, per-group cutting with a weeding frame: four groups.
struct RunFixture {
    Job job;
    PlotEnvironment env;
    PlotParameters p;
    std::vector<std::string> delivered;
    bool sinkWorks = true;
    GroupSink sink = [this](const std::string& bytes) {
        delivered.push_back(bytes);
        return sinkWorks;
    };

    RunFixture() {
        for (int i = 0; i < 3; ++i)
            job.layers.push_back(layerWith("Ebene " + std::to_string(i),
                                           {objectWith(polyline({{0, 0}, {1.0 + i, 0}}, false))}));
        p = baseParameters(job);
        p.individualParameters = true;
        p.gridOn = true;
        p.gridDistance = 2;
        p.groupParameters = {GroupParameters{10, 50, 0.25, 0, 1}, GroupParameters{11, 51, 0.25, 0, 2},
                             GroupParameters{12, 52, 0.25, 0, 1}};
        p.frameParameters = GroupParameters{13, 53, 0.25, 0, 3};
    }
};

int count(const std::string& s, const std::string& what) {
    int n = 0;
    for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
    return n;
}

TEST(PlotRun, PerGroupCuttingWithFrameGroupAndPassCounts) {
    RunFixture f;
    std::string stream;
    PlotRunResult r = runPlotGroups(f.p, f.env.context, f.sink, stream);
    EXPECT_EQ(r.groupsSent, 4);
    ASSERT_EQ(f.delivered.size(), 4u);
    // Each group with its own initialisation and pass count; the layers without the frame.
    EXPECT_EQ(count(f.delivered[0], "IN;VS10;FS50;"), 1);
    EXPECT_EQ(count(f.delivered[1], "IN;VS11;FS51;"), 2);
    EXPECT_EQ(count(f.delivered[3], "IN;VS13;FS53;"), 3);
    // The layers keep the frame distance of 2 mm, so the frames of the last group fit them.
    for (int i = 0; i < 3; ++i) EXPECT_EQ(count(f.delivered[i], "PR560,0;"), 0) << i;
    // The layers return to the origin, since more groups follow; the frame group cuts frames only.
    EXPECT_EQ(f.delivered[2],
              std::string("IN;VS12;FS52;AS3.0;TO0.250;SP1;PR;PU;PR80,80;PD;PR120,0;PU;PR-200,-80;") + '\0');
    EXPECT_EQ(count(f.delivered[3], "PR560,0;PR0,560;PR-560,0;PR0,-560;"), 3);
    // A standard-edition stream of N characters goes out as N + 1 bytes ending in a zero byte.
    EXPECT_EQ(stream.size() + 1, f.delivered[3].size());
    EXPECT_EQ(f.delivered[3].back(), '\0');
    EXPECT_EQ(f.delivered[3].substr(0, stream.size()), stream);
    EXPECT_EQ(f.env.ui.nowMs, 7 * 400 + 500);
}

TEST(PlotRun, PauseBetweenGroupsAndCancelAtTheFirstQuestion) {
    RunFixture f;
    f.p.pauseBetweenPasses = true;
    std::string stream;
    f.env.ui.answers = {MessageAnswer::Ok, MessageAnswer::Ok, MessageAnswer::Ok};
    EXPECT_EQ(runPlotGroups(f.p, f.env.context, f.sink, stream).groupsSent, 4);
    ASSERT_EQ(f.env.ui.messages.size(), 3u);
    EXPECT_EQ(f.env.ui.messages[0].text, "Next layer ?");
    EXPECT_EQ(f.env.ui.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(f.env.ui.messages[0].buttons, MessageButtons::OkCancel);

    RunFixture g;
    g.p.pauseBetweenPasses = true;
    g.env.ui.answers = {MessageAnswer::Cancel};
    PlotRunResult r = runPlotGroups(g.p, g.env.context, g.sink, stream);
    EXPECT_TRUE(r.stoppedAtPause);
    ASSERT_EQ(g.delivered.size(), 1u);
    EXPECT_NE(g.delivered[0].find("IN;VS10;"), std::string::npos);
}

TEST(PlotRun, SkippedLayersCancelledGroupsAndSinkFailure) {
    RunFixture f;
    f.p.pauseBetweenPasses = true;
    f.job.layers[1].enabled = false;
    std::string stream;
    f.env.ui.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
    runPlotGroups(f.p, f.env.context, f.sink, stream);
    ASSERT_EQ(f.delivered.size(), 3u);  // layer 1 skipped without a question
    EXPECT_EQ(f.env.ui.messages.size(), 2u);
    EXPECT_NE(f.delivered[1].find("IN;VS12;"), std::string::npos);

    // The user cancels the first group: nothing is sent for it, and the flag, still set, asks
    // again in the next group, where the user goes on.
    RunFixture g;
    g.env.progress.cancel = true;
    g.p.gridOn = false;
    g.env.ui.answers = {MessageAnswer::Yes, MessageAnswer::No};
    // The run clears the flag at its start; press cancel again as soon as generation begins.
    bool pressed = false;
    g.env.ui.onPump = [&] {
        if (!pressed) {
            pressed = true;
            g.env.progress.cancel = true;
        }
    };
    // The press is noticed at the first segment after the first path, in group 1.
    PlotRunResult r = runPlotGroups(g.p, g.env.context, g.sink, stream);
    EXPECT_EQ(r.groupsSent, 2);
    ASSERT_EQ(g.delivered.size(), 2u);
    EXPECT_EQ(g.delivered[0].find("IN;VS10;"), 0u);
    EXPECT_EQ(g.delivered[1].find("IN;VS12;"), 0u);
    EXPECT_EQ(g.env.ui.messages.size(), 2u);

    RunFixture h;
    h.sinkWorks = false;
    r = runPlotGroups(h.p, h.env.context, h.sink, stream);
    EXPECT_TRUE(r.sinkFailed);
    EXPECT_EQ(h.delivered.size(), 1u);
}

TEST(PlotRun, SingleGroupAndHobbyDelivery) {
    RunFixture f;
    f.p.individualParameters = false;
    f.p.gridOn = false;
    f.p.repeatCount = 2;
    std::string stream;
    runPlotGroups(f.p, f.env.context, f.sink, stream);
    ASSERT_EQ(f.delivered.size(), 1u);
    EXPECT_EQ(count(f.delivered[0], "IN;VS20;FS80;"), 2);
    EXPECT_EQ(count(f.delivered[0], "PR40,0;"), 2);

    // A hobby-edition GP-GL stream goes out as N bytes.
    RunFixture g;
    g.p.startMode = 12;
    g.p.individualParameters = false;
    g.p.gridOn = false;
    g.p.mediumHeight = 300;
    g.p.cuttingWidth = 310;
    g.p.mediumWidth = 310;
    runPlotGroups(g.p, g.env.context, g.sink, stream);
    ASSERT_EQ(g.delivered.size(), 1u);
    EXPECT_EQ(g.delivered[0], stream);
    EXPECT_EQ(g.delivered[0].substr(0, 2), "FU");

    // The laser edition's job comes from its own builder and is delivered unchanged.
    RunFixture l;
    l.p.startMode = 21;
    l.p.individualParameters = false;
    runPlotGroups(l.p, l.env.context, l.sink, stream, [](int, std::string& out, const PlotParameters&, int) {
        out = std::string("\x1b%-12345X", 9);
        return true;
    });
    ASSERT_EQ(l.delivered.size(), 1u);
    EXPECT_EQ(l.delivered[0].size(), 9u);
    RunFixture none;
    none.p.startMode = 22;
    none.p.individualParameters = false;
    EXPECT_EQ(runPlotGroups(none.p, none.env.context, none.sink, stream).groupsSent, 0);
}

}  // namespace
}  // namespace sartovin::test

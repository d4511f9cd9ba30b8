#include "plot/HpglWriter.h"

#include <clocale>

#include "PlotFixture.h"

namespace sartovin::test {
namespace {

const std::string kInit = "IN;VS20;FS80;AS3.0;TO0.300;SP1;PR;";

// Runs the writer twice on the same input and insists on equal streams: the writer keeps no state.
std::string hpgl(PlotEnvironment& env, const PlotParameters& p, int group = -1, int pass = 1) {
    std::string first, second;
    EXPECT_TRUE(writeHpgl(group, first, p, pass, env.context));
    EXPECT_TRUE(writeHpgl(group, second, p, pass, env.context));
    EXPECT_EQ(first, second);
    return first;
}

TEST(HpglWriter, SquareAtPositionWithInitialisationAndEndMove) {
    Job job = jobWith(square10());
    PlotParameters p = baseParameters(job);
    p.positionFront = 10;
    p.positionRight = 20;
    PlotEnvironment env;
    EXPECT_EQ(hpgl(env, p), kInit + "PU;PR400,800;PD;PR400,0;PR0,400;PR-400,0;PR0,-400;PU;PR-400,-800;");
    // Progress: shown with its text, range paths × passes × copies, and hidden after the last pass.
    EXPECT_EQ(env.progress.texts.back(), "Calculating the cut data ...");
    EXPECT_EQ(env.progress.high, 1);
    EXPECT_FALSE(env.progress.visible);
    // The end-of-pass wait: 40 × 10 ms on the virtual clock per call.
    EXPECT_EQ(env.ui.nowMs, 800);
}

TEST(HpglWriter, InitialisationVariants) {
    Job job = jobWith(polyline({{0, 0}, {1, 0}}, false));
    PlotEnvironment env;
    PlotParameters p = baseParameters(job);
    const std::string body = "PD;PR40,0;PU;PR-40,0;";

    p.usePlotterSettings = true;
    p.modelDescription = "Sable";
    EXPECT_EQ(hpgl(env, p), "IN;SP1;PR;" + body);

    p.usePlotterSettings = false;
    p.cutInit = true;
    p.modelDescription = "Jaguar";
    EXPECT_EQ(hpgl(env, p), "IN;VS5;FS10;AS3.0;TO0.300;SP1;PR;PU0,100;PD0,-100;" + kInit + body);

    // Per-group parameters: the group's own speed, force and tool offset plus its medium's correction.
    p.cutInit = false;
    p.individualParameters = true;
    p.groupParameters = {GroupParameters{30, 120, 0.175, 0.025, 1}};
    p.frameParameters = GroupParameters{10, 50, 0.5, 0.1, 1};
    EXPECT_EQ(hpgl(env, p, 0), "IN;VS30;FS120;AS3.0;TO0.200;SP1;PR;" + body);
    p.gridOn = false;
    std::string frame;
    ASSERT_TRUE(writeHpgl(-2, frame, p, 1, env.context));
    EXPECT_EQ(frame.substr(0, 35), "IN;VS10;FS50;AS3.0;TO0.600;SP1;PR;P");
}

TEST(HpglWriter, InternalSettingsBlockByModel) {
    Job job = jobWith(polyline({{0, 0}, {1, 0}}, false));
    PlotEnvironment env;
    PlotParameters p = baseParameters(job);
    p.offsetList = {"0.000", "0.175", "0.250", "0.500"};
    const std::string tail = kInit + "PD;PR40,0;PU;PR-40,0;";

    p.modelDescription = "GCC Sable 60";
    EXPECT_EQ(hpgl(env, p), esc(".C1;16;2:") + esc(".C1;22;80:") + esc(".C1;0;:") + tail);

    // An offset the cutter's list does not hold drops only the index setting.
    p.toolOffset = 0.3;
    p.offsetCorrection = 0;
    EXPECT_EQ(hpgl(env, p), esc(".C1;22;80:") + esc(".C1;0;:") + "IN;VS20;FS80;AS3.0;TO0.300;SP1;PR;" +
                                "PD;PR40,0;PU;PR-40,0;");

    p.toolOffset = 0.25;
    p.offsetCorrection = 0.05;
    p.modelDescription = "Expert 24";
    EXPECT_EQ(hpgl(env, p).substr(0, 10), esc(".C1;16;2:"));
    p.modelDescription = "Expert Pro 24";
    EXPECT_EQ(hpgl(env, p), tail);
    p.modelDescription = "Sable";
    p.usePlotterSettings = true;
    EXPECT_EQ(hpgl(env, p), "IN;SP1;PR;PD;PR40,0;PU;PR-40,0;");
}

TEST(HpglWriter, RoundsHalfAwayFromZeroAndScalesByTwoDecimalPercent) {
    PlotEnvironment env;
    Job right = jobWith(polyline({{0, 0}, {2.5625, 0}}, false));
    EXPECT_EQ(hpgl(env, baseParameters(right)), kInit + "PD;PR103,0;PU;PR-103,0;");
    Job left = jobWith(polyline({{3, 0}, {3 - 2.5625, 0}}, false));
    EXPECT_EQ(hpgl(env, baseParameters(left)), kInit + "PU;PR120,0;PD;PR-103,0;PU;PR-17,0;");

    // 33.333 % is used as 0.33: 10 mm along x become 132 units. Job x follows heightPercent,
    // job y widthPercent, as the layout page forms them.
    Job job = jobWith(polyline({{0, 0}, {10, 0}, {10, 10}}, false));
    PlotParameters p = baseParameters(job);
    p.heightPercent = 33.333;
    p.widthPercent = 50;
    EXPECT_EQ(hpgl(env, p), kInit + "PD;PR132,0;PR0,200;PU;PR-132,-200;");
}

TEST(HpglWriter, AccelerationSwitchesBetweenLinesAndCurves) {
    JobPath path;
    path.segments = {line(0, 0, 5, 0), curve(5, 0, 6, 0, 7, 1, 7, 2), line(7, 2, 7, 5)};
    Job job = jobWith(path);
    PlotEnvironment env;
    PlotParameters p = baseParameters(job);
    std::string s = hpgl(env, p);
    const std::size_t curveAt = s.find("AS1.0;");
    const std::size_t lineAt = s.find("AS3.0;", kInit.size());
    ASSERT_NE(curveAt, std::string::npos);
    ASSERT_NE(lineAt, std::string::npos);
    EXPECT_EQ(s.substr(kInit.size(), 15), "PD;PR200,0;AS1.");
    EXPECT_LT(curveAt, lineAt);
    EXPECT_EQ(s.substr(lineAt, 17), "AS3.0;PR0,120;PU;");

    p.curveAcceleration = 3;
    s = hpgl(env, p);
    EXPECT_EQ(s.find("AS", kInit.size()), std::string::npos);
    // The cutter's own settings: no acceleration of ours at all.
    p.curveAcceleration = 1;
    p.usePlotterSettings = true;
    EXPECT_EQ(hpgl(env, p).find("AS"), std::string::npos);
}

TEST(HpglWriter, JoinedPathsAreCutWithoutLifting) {
    Job job;
    job.layers.push_back(layerWith(
        "a", {objectWith(polyline({{0, 0}, {5, 0}}, false)), objectWith(polyline({{5, 0}, {5, 5}}, false))}));
    PlotEnvironment env;
    EXPECT_EQ(hpgl(env, baseParameters(job)), kInit + "PD;PR200,0;PR0,200;PU;PR-200,-200;");
}

TEST(HpglWriter, TwoCopiesWithWeedingFrame) {
    Job job = jobWith(polyline({{0, 0}, {10, 0}}, false));
    PlotEnvironment env;
    PlotParameters p = baseParameters(job);
    p.jobHeight = 50;
    p.jobWidth = 20;
    p.rows = 2;
    p.copyTotal = 2;
    p.distanceV = 10;
    p.gridOn = true;
    p.gridDistance = 5;
    // Copies start 200 and 200 + 40 × 70 = 3000 units along X; each frame lies 5 mm outside.
    const std::string frame = "PU;PR-600,-200;PD;PR2400,0;PR0,1200;PR-2400,0;PR0,-1200;";
    EXPECT_EQ(hpgl(env, p), kInit + "PU;PR200,200;PD;PR400,0;" + frame + "PU;PR3000,200;PD;PR400,0;" + frame +
                                "PU;PR-2800,0;");
    EXPECT_EQ(env.progress.high, 2);

    // Three requested columns but a total of two: the walk stops at the total. "unten links"
    // cuts the far column first.
    p.rows = 1;
    p.columns = 3;
    p.gridOn = false;
    p.distanceH = 5;
    p.positionMode = kPositionBottomLeft;
    EXPECT_EQ(hpgl(env, p), kInit + "PU;PR0,2000;PD;PR400,0;PU;PR-400,-1000;PD;PR400,0;PU;PR-400,-1000;");
}

TEST(HpglWriter, WeedingFrameGroupReachesEachCopyAndCutsNoPaths) {
    Job job = jobWith(polyline({{0, 0}, {10, 0}}, false));
    PlotEnvironment env;
    PlotParameters p = baseParameters(job);
    p.jobHeight = 10;
    p.jobWidth = 10;
    p.gridOn = true;
    p.gridDistance = 1;
    p.positionFront = 10;
    p.positionRight = 10;
    const std::string frame = "PU;PR-40,-40;PD;PR480,0;PR0,480;PR-480,0;PR0,-480;";
    // The first frame is reached with the copy origin's absolute coordinates.
    EXPECT_EQ(hpgl(env, p, -2), kInit + "PU440,440;" + frame + "PU;PR-400,-400;");
    p.columns = 2;
    p.copyTotal = 2;
    EXPECT_EQ(hpgl(env, p, -2), kInit + "PU440,440;" + frame + "PU40,520;" + frame + "PU;PR-400,-880;");
}

TEST(HpglWriter, WeedingFrameWithOvercut) {
    Job job;
    job.layers.push_back(layerWith("a", {}));
    job.layers[0].objects.push_back(JobObject{});
    job.layers[0].objects[0].paths.push_back(JobPath{});
    PlotEnvironment env;
    PlotParameters p = baseParameters(job);
    p.gridOn = true;
    p.gridDistance = 0;
    p.overcutOn = true;
    p.overcut = 5;
    p.jobHeight = 10;
    p.jobWidth = 5;
    p.positionFront = 10;
    p.positionRight = 10;
    // Every side is entered and left 20 units beyond its corners.
    EXPECT_EQ(hpgl(env, p), kInit +
                                "PU;PR400,400;"
                                "PR0,-20;PD;PR0,20;PR0,200;PR0,20;PU;PR0,-20;"
                                "PR-20,0;PD;PR20,0;PR400,0;PR20,0;PU;PR-20,0;"
                                "PR0,20;PD;PR0,-20;PR0,-200;PR0,-20;PU;PR0,20;"
                                "PR20,0;PD;PR-20,0;PR-400,0;PR-20,0;PU;PR20,0;"
                                "PU;PR-400,-400;");
}

TEST(HpglWriter, EndOfPassMoves) {
    Job job = jobWith(polyline({{0, 0}, {10, 0}}, false));
    PlotEnvironment env;
    PlotParameters p = baseParameters(job);
    p.positionFront = 10;
    p.positionRight = 20;
    p.jobHeight = 10;
    p.jobWidth = 5;
    p.endPositionDistance = 30;
    const std::string body = kInit + "PU;PR400,800;PD;PR400,0;";

    p.endPosition = 1;  // behind the job: X0 + (10 + 30) mm, Y 0
    EXPECT_EQ(hpgl(env, p), body + "PU;PR1200,-800;");
    p.endPosition = 2;  // left beside the job: X 0, Y0 + (5 + 30) mm
    EXPECT_EQ(hpgl(env, p), body + "PU;PR-800,1400;");
    p.positionMode = kPositionBottomLeft;  // without the distance
    EXPECT_EQ(hpgl(env, p), body + "PU;PR-800,200;");

    // A pass before the last, and a group another group follows, return to the origin.
    p.repeatCount = 2;
    EXPECT_EQ(hpgl(env, p, -1, 1), body + "PU;PR-800,-800;");
    EXPECT_EQ(hpgl(env, p, -1, 2), body + "PU;PR-800,200;");
    p.repeatCount = 1;
    p.frameGroupFollows = true;
    EXPECT_EQ(hpgl(env, p, 0), body + "PU;PR-800,-800;");
}

TEST(HpglWriter, OvercutMarginMovesTheJobOffTheEdge) {
    // Overcut 10 (1 mm) with X start 0: the job starts at 2 mm.
    Job job = jobWith(polyline({{0, 0}, {10, 0}}, false));
    PlotEnvironment env;
    PlotParameters p = baseParameters(job);
    p.overcutOn = true;
    p.overcut = 10;
    p.positionRight = 5;
    EXPECT_EQ(hpgl(env, p), kInit + "PU;PR80,200;PR-40,0;PD;PR40,0;PR400,0;PU;PR-480,-200;");
}

TEST(HpglWriter, OnlySelectedObjectsAndEnabledLayers) {
    Job job;
    job.layers.push_back(layerWith("a", {objectWith(polyline({{0, 0}, {1, 0}}, false), true),
                                         objectWith(polyline({{0, 0}, {0, 1}}, false), false)}));
    job.layers.push_back(layerWith("b", {objectWith(polyline({{2, 0}, {3, 0}}, false))}));
    PlotEnvironment env;
    PlotParameters p = baseParameters(job);
    p.allObjects = false;
    job.layers[1].enabled = false;
    EXPECT_EQ(hpgl(env, p), kInit + "PD;PR40,0;PU;PR-40,0;");
    // The progress bar still counts the unselected path.
    EXPECT_EQ(env.progress.position, 3);
    job.layers[1].enabled = true;
    p.allObjects = true;
    EXPECT_EQ(hpgl(env, p, 1), kInit + "PU;PR80,0;PD;PR40,0;PU;PR-120,0;");
}

TEST(HpglWriter, ColourModeCutsGroupMembers) {
    Job job;
    job.layers.push_back(layerWith(
        "a", {objectWith(polyline({{0, 0}, {1, 0}}, false)), objectWith(polyline({{0, 0}, {0, 1}}, false))}));
    ColourGroup red;
    red.members = {{0, 1}};
    ColourGroup blue;
    blue.members = {{0, 0}};
    job.colourGroups = {red, blue};
    PlotEnvironment env;
    PlotParameters p = baseParameters(job);
    p.selectionMode = SelectionMode::Colours;
    EXPECT_EQ(hpgl(env, p), kInit + "PD;PR0,40;PU;PR0,-40;PD;PR40,0;PU;PR-40,0;");
    EXPECT_EQ(hpgl(env, p, 1), kInit + "PD;PR40,0;PU;PR-40,0;");
}

TEST(HpglWriter, MarksLayerOnlyAndMarksMode) {
    Job job;
    job.layers.push_back(layerWith(kMarksLayerName, {objectWith(polyline({{0, 0}, {5, 0}}, false))}));
    PlotEnvironment env;
    PlotParameters p = baseParameters(job);
    EXPECT_EQ(hpgl(env, p), kInit + "PU;PR0,0;");

    // Marks mode: the ESC.D block before the initialisation, the start reduced by the marks, one
    // copy only, and only a lift at the end.
    job.layers.push_back(layerWith("art", {objectWith(polyline({{10, 10}, {20, 10}}, false))}));
    p.jobState.marksMode = true;
    p.jobState.pathTotal = 2;
    p.positionFront = 10;
    p.positionRight = 10;
    p.rows = 2;
    p.copyTotal = 2;
    p.distanceH = 3;
    p.marks.markDistanceX = 200;
    p.marks.markDistanceY = 150;
    p.marks.markOffsetX = 1;
    p.marks.markLineLength = 5;
    p.marks.firstMarkWidth = 2;
    p.marks.secondMarkHeight = 3;
    p.marks.markStrokeX = 4;
    const std::string dBlock =
        esc(".D2;8000;6000;40;0:") + esc(".D3;2;1;120:") + esc(".D4;0;0;200:") + esc(".D1;8000;6000:");
    EXPECT_EQ(hpgl(env, p), dBlock + kInit + "PU;PR720,680;PD;PR400,0;PU;");
    p.rotation = 1;
    EXPECT_EQ(hpgl(env, p), esc(".D2;6000;8000;0;40:") + esc(".D3;2;1;120:") + esc(".D4;0;0;200:") +
                                esc(".D1;6000;8000:") + kInit + "PU;PR680,720;PD;PR400,0;PU;");
}

TEST(HpglWriter, NoPathsShowsWarningAndCancelEmptiesTheOutput) {
    Job empty;
    PlotEnvironment env;
    PlotParameters p = baseParameters(empty);
    std::string out = "old";
    EXPECT_FALSE(writeHpgl(-1, out, p, 1, env.context));
    EXPECT_TRUE(out.empty());
    ASSERT_EQ(env.ui.messages.size(), 1u);
    EXPECT_EQ(env.ui.messages[0].text, "No objects for cutting found !");
    EXPECT_EQ(env.ui.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(env.ui.messages[0].caption, "Sartovin");

    Job job = jobWith(square10());
    p = baseParameters(job);
    std::string expected;
    ASSERT_TRUE(writeHpgl(-1, expected, p, 1, env.context));

    // No: the flag is cleared and generation goes on to the same stream.
    env.progress.cancel = true;
    env.ui.answers = {MessageAnswer::No};
    ASSERT_TRUE(writeHpgl(-1, out, p, 1, env.context));
    EXPECT_EQ(out, expected);
    EXPECT_FALSE(env.progress.cancel);
    EXPECT_EQ(env.ui.messages.back().text, "Do you want to cancel the curent job ?");
    EXPECT_EQ(env.ui.messages.back().buttons, MessageButtons::YesNo);
    EXPECT_EQ(env.ui.messages.back().icon, MessageIcon::Question);

    // Yes: false, nothing left in the output, the status window hidden.
    env.progress.cancel = true;
    env.ui.answers = {MessageAnswer::Yes};
    EXPECT_FALSE(writeHpgl(-1, out, p, 1, env.context));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(env.progress.visible);
}

TEST(HpglWriter, CancelDuringAPathStopsAtTheNextSegment) {
    Job job;
    for (int i = 0; i < 3; ++i)
        job.layers.push_back(layerWith("l", {objectWith(polyline({{0, 0}, {1, 0}}, false))}));
    PlotEnvironment env;
    PlotParameters p = baseParameters(job);
    int paths = 0;
    // The user presses cancel while the second path is processed (messages are pumped after it).
    env.ui.onPump = [&] {
        if (++paths == 2) env.progress.cancel = true;
    };
    env.ui.answers = {MessageAnswer::Yes};
    std::string out;
    EXPECT_FALSE(writeHpgl(-1, out, p, 1, env.context));
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(env.ui.messages.size(), 1u);
}

TEST(HpglWriter, NumbersKeepTheirDecimalPointInAnyLocale) {
    const std::string old = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr &&
        std::setlocale(LC_NUMERIC, "de_DE") == nullptr)
        GTEST_SKIP() << "no German locale installed";
    Job job = jobWith(polyline({{0, 0}, {1, 0}}, false));
    PlotEnvironment env;
    PlotParameters p = baseParameters(job);
    p.modelDescription = "Sable";
    p.offsetList = {"0.000", "0.250"};
    std::string out;
    ASSERT_TRUE(writeHpgl(-1, out, p, 1, env.context));
    std::setlocale(LC_NUMERIC, old.c_str());
    EXPECT_EQ(out.substr(0, 10), esc(".C1;16;1:"));
    EXPECT_NE(out.find(kInit), std::string::npos);
}

TEST(HpglWriter, ModelDescriptionField) {
    EXPECT_EQ(modelDescriptionField("GCC,Cutter,Sable 60,x"), "Sable 60");
    EXPECT_EQ(modelDescriptionField("a,b,Expert Pro"), "Expert Pro");
    EXPECT_EQ(modelDescriptionField("a,b"), "");
    EXPECT_EQ(offsetListIndex({"0.000", "0.175", "0.250"}, 0.175), 1);
    EXPECT_EQ(offsetListIndex({"0.000", "x"}, 0.3), -1);
}

}  // namespace
}  // namespace sartovin::test

#include "plot/Overcut.h"

#include "PlotFixture.h"
#include "plot/HpglWriter.h"

namespace sartovin::test {
namespace {

const std::string kInit = "IN;VS20;FS80;AS3.0;TO0.300;SP1;PR;";

std::string overcutStream(PlotEnvironment& env, const Job& job, StartMode startMode, int overcut,
                          int minAngle = 7) {
    PlotParameters p = baseParameters(job, startMode);
    p.overcutOn = true;
    p.overcut = overcut;
    p.minOvercutAngle = minAngle;
    p.positionFront = 10;
    p.positionRight = 10;
    std::string first, second;
    EXPECT_TRUE(writeHpgl(-1, first, p, 1, env.context));
    EXPECT_TRUE(writeHpgl(-1, second, p, 1, env.context));
    EXPECT_EQ(first, second);
    EXPECT_EQ(first.substr(0, kInit.size()), kInit);
    return first.substr(kInit.size());
}

TEST(Overcut, ClosedSquareIsEnteredEarlyOvershotAndClosed) {
    Job job = jobWith(square10());
    PlotEnvironment env;
    // Overcut 5 (0.5 mm) gives 20 units. Each side: lift, back 20, lower, cut 20, then the side;
    // each corner: overshoot 20 and return with the pen up; after the last side the closing
    // overshoot and the start lead again.
    EXPECT_EQ(overcutStream(env, job, 5, 5),
              "PU;PR400,400;"
              "PR-20,0;PD;PR20,0;PR400,0;"
              "PR20,0;PU;PR-20,0;PR0,-20;PD;PR0,20;PR0,400;"
              "PR0,20;PU;PR0,-20;PR20,0;PD;PR-20,0;PR-400,0;"
              "PR-20,0;PU;PR20,0;PR0,20;PD;PR0,-20;PR0,-400;"
              "PR0,-20;PU;PR0,20;PD;PR20,0;PU;PR-20,0;"
              "PU;PR-400,-400;");
}

TEST(Overcut, OpenPathGetsNoClosingStrokes) {
    Job job = jobWith(polyline({{0, 0}, {10, 0}, {10, 10}}, false));
    PlotEnvironment env;
    EXPECT_EQ(overcutStream(env, job, 5, 5),
              "PU;PR400,400;PR-20,0;PD;PR20,0;PR400,0;"
              "PR20,0;PU;PR-20,0;PR0,-20;PD;PR0,20;PR0,400;"
              "PU;PR-800,-800;");
}

TEST(Overcut, SmallTurnsAreNoCornersAndTheAngleIsClamped) {
    // Two straight segments turning by 5°.
    const double a = 5 * 3.14159265358979 / 180;
    Job job = jobWith(polyline({{0, 0}, {10, 0}, {10 + 10 * std::cos(a), 10 * std::sin(a)}}, false));
    PlotEnvironment env;
    const std::string noCorner = overcutStream(env, job, 5, 5, 7);
    // No overshoot at the joint; the second segment is still entered 20 units early.
    EXPECT_EQ(noCorner.find("PR20,0;PU;"), std::string::npos);
    EXPECT_NE(noCorner.find("PR400,0;PU;PR-19,-1;PD;PR19,1;PR398,35;"), std::string::npos);
    // 0 is used as 1: now the joint is a corner.
    const std::string corner = overcutStream(env, job, 5, 5, 0);
    EXPECT_NE(corner.find("PR400,0;PR20,0;PU;PR-20,0;PR-19,-1;"), std::string::npos);
    // 120 is used as 90: a right angle is no corner any more.
    Job right = jobWith(polyline({{0, 0}, {10, 0}, {10, 10}}, false));
    EXPECT_EQ(overcutStream(env, right, 5, 5, 120).find("PR20,0;PU;"), std::string::npos);
    EXPECT_NE(overcutStream(env, right, 5, 5, 89).find("PR20,0;PU;"), std::string::npos);
}

TEST(Overcut, ShortSegmentClearsThePendingOvershoot) {
    // The middle segment (0.3 mm) is shorter than the overcut (0.5 mm): no strokes of its own,
    // and the first segment's overshoot is dropped.
    Job job = jobWith(polyline({{0, 0}, {10, 0}, {10, 0.3}, {0, 0.3}}, false));
    PlotEnvironment env;
    EXPECT_EQ(overcutStream(env, job, 5, 5),
              "PU;PR400,400;PR-20,0;PD;PR20,0;PR400,0;"
              "PR0,12;"
              "PU;PR20,0;PD;PR-20,0;PR-400,0;"
              "PU;PR-400,-412;");
}

TEST(Overcut, IllustratorCornersComeFromHandleStates) {
    // Start mode 2: a corner is where a segment's start anchor has no handles (handleState 2).
    JobPath path = polyline({{0, 0}, {10, 0}, {10, 10}}, false);
    path.segments[0].handleState = 2;
    path.segments[1].handleState = 1;  // a smooth anchor: no overshoot, but still the early entry
    Job job = jobWith(path);
    PlotEnvironment env;
    EXPECT_EQ(overcutStream(env, job, 2, 5),
              "PU;PR400,400;PR-20,0;PD;PR20,0;PR400,0;PU;PR0,-20;PD;PR0,20;PR0,400;PU;PR-800,-800;");
    job.layers[0].objects[0].paths[0].segments[1].handleState = 2;
    EXPECT_EQ(overcutStream(env, job, 2, 5),
              "PU;PR400,400;PR-20,0;PD;PR20,0;PR400,0;PR20,0;PU;PR-20,0;PR0,-20;PD;PR0,20;PR0,400;"
              "PU;PR-800,-800;");
}

TEST(Overcut, ClosedCurvesGetTheClosingExtension) {
    // Two curves make a closed drop; smooth at the closing point, so the step cuts no closing
    // overcut and the writer extends the cut along the first curve instead, then returns.
    JobPath path;
    path.closed = true;
    path.segments = {curve(0, 0, 5, 0, 10, 5, 10, 10), curve(10, 10, 5, 10, 0, 5, 0, 0)};
    Job job = jobWith(path);
    PlotEnvironment env;
    const std::string s = overcutStream(env, job, 5, 5);
    const std::string end = "PU;PR-400,-400;";
    ASSERT_EQ(s.substr(s.size() - end.size()), end);
    // The closing point is the start (400, 400); after it a few cuts along the first curve and a
    // pen-up move straight back.
    const std::size_t back = s.rfind("PU;PR", s.size() - end.size() - 1);
    ASSERT_NE(back, std::string::npos);
    int bx = 0, by = 0;
    ASSERT_EQ(std::sscanf(s.c_str() + back, "PU;PR%d,%d;", &bx, &by), 2);
    EXPECT_LT(bx, 0);  // the extension went along +x, the first curve's start direction
    EXPECT_GE(bx, -24);
    EXPECT_LE(std::abs(by), 2);
}

TEST(Overcut, StepStateResetsAtEveryPathStart) {
    std::string out;
    struct Recorder : PathEmitter {
        void moveUp(std::string& o, int dx, int dy, int, int) override {
            o += "M" + std::to_string(dx) + "," + std::to_string(dy) + ";";
        }
        void cut(std::string& o, int dx, int dy, int, int) override {
            o += "C" + std::to_string(dx) + "," + std::to_string(dy) + ";";
        }
        void lowerPen(std::string& o) override { o += "v"; }
        void liftPen(std::string& o) override { o += "^"; }
        void strokeCut(std::string& o, int dx, int dy) override {
            o += "c" + std::to_string(dx) + "," + std::to_string(dy) + ";";
        }
        void strokeMove(std::string& o, int dx, int dy) override {
            o += "m" + std::to_string(dx) + "," + std::to_string(dy) + ";";
        }
        void acceleration(std::string&, double) override {}
        void frameGroupMove(std::string&, int, int, int, int, int&, int&) override {}
        void frameStart(std::string&, int, int, int, int) override {}
        void endOfPass(std::string&, int, int, int, int, bool) override {}
    } recorder;
    StrokeWriter pen(out, recorder);
    Overcut overcut(5, 5, 7);
    EXPECT_EQ(overcut.length(), 20);
    PathSegment s = line(0, 0, 10, 0);
    overcut.overcutStep(pen, 400, 0, kFlagLine | kFlagFirst, 0, false, s);
    // A new path: the pending overshoot of the last one is not carried over, only the early entry.
    out.clear();
    overcut.overcutStep(pen, 0, 400, kFlagLine | kFlagFirst, 1, false, s);
    EXPECT_EQ(out, "^m0,-20;vc0,20;C0,400;");
    // Within a path the same turn overshoots the corner first.
    out.clear();
    overcut.overcutStep(pen, 400, 0, kFlagLine, 1, false, s);
    EXPECT_EQ(out, "c0,20;^m0,-20;m-20,0;vc20,0;C400,0;");
}

}  // namespace
}  // namespace sartovin::test

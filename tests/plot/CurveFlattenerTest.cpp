#include "plot/CurveFlattener.h"

#include "PlotFixture.h"
#include "plot/HpglWriter.h"

namespace sartovin::test {
namespace {

// A curve along x of the given arc length with its handles on the line, so that its points are
// easy to predict.
PathSegment straightCurve(double length) {
    PathSegment s = curve(0, 0, length / 3, 0, 2 * length / 3, 0, length, 0);
    s.length = length;
    return s;
}

TEST(CurveFlattener, PointCountsAndThresholds) {
    const QualityValues normal = qualityValuesFor(5, 2, true, 5);
    EXPECT_EQ(normal.pointsPerMm, 4);
    EXPECT_EQ(normal.maxStep, 4);
    EXPECT_EQ(normal.minMove, 0.4);
    CurveFlattener f;

    // 2 mm: L · pointsPerMm = 8, dt = 0.125, 9 points, A = 4, B = 5.
    f.flatten(straightCurve(2), normal, 40, 1, 1);
    EXPECT_EQ(f.points().size(), 9u);
    EXPECT_EQ(f.parameterStep(), 0.125);
    EXPECT_EQ(f.thresholdA(), 4);
    EXPECT_EQ(f.thresholdB(), 5);
    EXPECT_EQ(f.points().front(), (DevicePoint{0, 0}));
    EXPECT_EQ(f.points().back(), (DevicePoint{80, 0}));

    // 100 mm: 401 points would exceed 30; 100 / 30 ≤ 4, so 31 points, A = 16, B = 160.
    f.flatten(straightCurve(100), normal, 40, 1, 1);
    EXPECT_EQ(f.points().size(), 31u);
    EXPECT_EQ(f.thresholdA(), 16);
    EXPECT_EQ(f.thresholdB(), 160);
    EXPECT_FALSE(f.coarse());

    // Longer than 30 × maxStep: coarser steps of at most maxStep.
    f.flatten(straightCurve(200), normal, 40, 1, 1);
    EXPECT_EQ(f.points().size(), 51u);
    EXPECT_TRUE(f.coarse());

    // Only the x scale stretches the arc length.
    f.flatten(straightCurve(2), normal, 40, 0.5, 3);
    EXPECT_EQ(f.points().size(), 5u);

    // Below one point per mm (draft): short curves are taken at one point per mm.
    const QualityValues draft = qualityValuesFor(5, 4, true, 5);
    f.flatten(straightCurve(3), draft, 40, 1, 1);
    EXPECT_EQ(f.points().size(), 4u);
    f.flatten(straightCurve(0.5), draft, 40, 1, 1);
    EXPECT_EQ(f.points().size(), 2u);
}

TEST(CurveFlattener, QualityTable) {
    EXPECT_EQ(qualityValuesFor(4, 0, true, 5).pointsPerMm, 6);
    EXPECT_EQ(qualityValuesFor(3, 1, true, 5).maxStep, 6);
    EXPECT_EQ(qualityValuesFor(5, 0, true, 22).pointsPerMm, 5);  // laser edition
    EXPECT_EQ(qualityValuesFor(5, 0, false, 5).pointsPerMm, 1);  // no options window
    EXPECT_EQ(qualityValuesFor(5, 9, true, 5).maxStep, 6);       // no such entry
}

TEST(CurveFlattener, ThinningKeepsEndsTurnsAndLongMoves) {
    CurveFlattener f;
    const QualityValues normal = qualityValuesFor(5, 2, true, 5);
    // A straight 2 mm curve: steps of 10 units along x reach A (4) and B (5): all kept.
    f.flatten(straightCurve(2), normal, 40, 1, 1);
    f.thin();
    EXPECT_EQ(f.kept().size(), 8u);
    // A flat 100 mm curve has steps of 133 units, below B (160): every other point dropped.
    f.flatten(straightCurve(100), normal, 40, 1, 1);
    f.thin();
    EXPECT_LT(f.kept().size(), 20u);
    EXPECT_EQ(f.kept().back(), (DevicePoint{4000, 0}));
    // A turning point in y is always kept.
    PathSegment hump = curve(0, 0, 0, 30, 100, 30, 100, 0);
    f.flatten(hump, normal, 40, 1, 1);
    f.thin();
    int top = 0;
    for (const DevicePoint& p : f.points()) top = std::max(top, p.y);
    bool keptTop = false;
    for (const DevicePoint& p : f.kept()) keptTop |= p.y == top;
    EXPECT_TRUE(keptTop);
}

TEST(CurveFlattener, WriterEmitsThinnedPointsAsMoves) {
    Job job = jobWith(JobPath{false, {straightCurve(2)}});
    PlotEnvironment env;
    PlotParameters p = baseParameters(job);
    std::string out;
    ASSERT_TRUE(writeHpgl(-1, out, p, 1, env.context));
    EXPECT_EQ(out,
              "IN;VS20;FS80;AS3.0;TO0.300;SP1;PR;AS1.0;PD;PR10,0;PR10,0;PR10,0;PR10,0;PR10,0;PR10,0;"
              "PR10,0;PR10,0;PU;PR-80,0;");
}

}  // namespace
}  // namespace sartovin::test

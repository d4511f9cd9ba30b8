#include <gtest/gtest.h>

#include <vector>

#include "job/SvgPathData.h"

using namespace sartovin;

namespace {

std::vector<PathStep> readAll(const std::string& data, PathCursor cursor = {}) {
    std::vector<PathStep> steps;
    for (int guard = 0; guard < 1000; ++guard) {
        PathStep s = parsePathData(data, cursor);
        steps.push_back(s);
        if (s.kind == PathStepKind::End || s.kind == PathStepKind::Unsupported) break;
    }
    return steps;
}

void expectPoint(const SvgPoint& p, double x, double y) {
    EXPECT_DOUBLE_EQ(p.x, x);
    EXPECT_DOUBLE_EQ(p.y, y);
}

}  // namespace

TEST(SvgPathData, AbsoluteCurveAndClose) {
    auto steps = readAll("M 0,0 C 10,0 10,10 0,10 Z");
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].kind, PathStepKind::Segment);
    EXPECT_EQ(steps[0].command, 'C');
    expectPoint(steps[0].start, 0, 0);
    expectPoint(steps[0].ctrl1, 10, 0);
    expectPoint(steps[0].ctrl2, 10, 10);
    expectPoint(steps[0].end, 0, 10);
    EXPECT_EQ(steps[1].kind, PathStepKind::Close);
    EXPECT_EQ(steps[2].kind, PathStepKind::End);
}

TEST(SvgPathData, BarePairsAfterAMoveAreLines) {
    auto rel = readAll("m 0,0 10,0 0,10 z");
    ASSERT_EQ(rel.size(), 4u);
    EXPECT_EQ(rel[0].command, 'l');
    expectPoint(rel[0].end, 10, 0);
    EXPECT_EQ(rel[1].command, 'l');
    expectPoint(rel[1].start, 10, 0);
    expectPoint(rel[1].end, 10, 10);
    EXPECT_EQ(rel[2].kind, PathStepKind::Close);

    auto abs = readAll("M 5 5 10 0 0 10");
    ASSERT_EQ(abs.size(), 3u);
    EXPECT_EQ(abs[0].command, 'L');
    expectPoint(abs[0].end, 10, 0);
    expectPoint(abs[1].end, 0, 10);
}

TEST(SvgPathData, RelativeCurveIsRelativeToTheSegmentStart) {
    PathCursor cursor;
    cursor.current = {5, 5};
    auto steps = readAll("m 0,0 c 1,0 2,0 3,0 1,1 1,1 1,1", cursor);
    ASSERT_GE(steps.size(), 2u);
    expectPoint(steps[0].ctrl1, 6, 5);
    expectPoint(steps[0].ctrl2, 7, 5);
    expectPoint(steps[0].end, 8, 5);
    // The repeated c starts at the first curve's end.
    EXPECT_EQ(steps[1].command, 'c');
    expectPoint(steps[1].start, 8, 5);
    expectPoint(steps[1].end, 9, 6);
}

TEST(SvgPathData, HorizontalVerticalAndRepeats) {
    auto steps = readAll("M 1,2 H 5 7 V 9 L 3,3 4,4");
    ASSERT_EQ(steps.size(), 6u);
    expectPoint(steps[0].end, 5, 2);
    expectPoint(steps[1].end, 7, 2);
    EXPECT_EQ(steps[1].command, 'H');
    expectPoint(steps[2].end, 7, 9);
    expectPoint(steps[3].end, 3, 3);
    expectPoint(steps[4].end, 4, 4);
    EXPECT_EQ(steps[5].kind, PathStepKind::End);
}

TEST(SvgPathData, NumberSyntax) {
    auto steps = readAll("M-1.5e1,+2E-1L.5-.25 1e2,3.");
    ASSERT_EQ(steps.size(), 3u);
    expectPoint(steps[0].start, -15, 0.2);
    expectPoint(steps[0].end, 0.5, -0.25);
    expectPoint(steps[1].end, 100, 3);
}

TEST(SvgPathData, SecondMoveSignalsANewPathAndRelativeMoveFollowsTheClose) {
    auto steps = readAll("M 10,10 L 20,10 Z m 5,5 L 30,30");
    ASSERT_EQ(steps.size(), 5u);
    EXPECT_EQ(steps[1].kind, PathStepKind::Close);
    EXPECT_EQ(steps[2].kind, PathStepKind::NewPath);
    // After the close the current point is back at 10,10, so m 5,5 lands on 15,15.
    expectPoint(steps[3].start, 15, 15);
    expectPoint(steps[3].end, 30, 30);
}

TEST(SvgPathData, UnsupportedInput) {
    for (const char* data :
         {"M 0,0 A 5,5 0 0 0 10,10", "M 0,0 Q 1,1 2,2", "M 0,0 h 5", "L 1,1", "M 0", "M 0,0 C 1,1 2,2",
          "M 0,0 L 1e999,0", "M 0,0 L 2e8,0", "M 0,0 Z 5,5", "M 0,0 L x,1"}) {
        auto steps = readAll(data);
        EXPECT_EQ(steps.back().kind, PathStepKind::Unsupported) << data;
    }
    // Once stopped, reading stays stopped.
    PathCursor cursor;
    parsePathData("M 0,0 A 1 1 0 0 0 1 1", cursor);
    EXPECT_EQ(parsePathData("M 0,0 A 1 1 0 0 0 1 1", cursor).kind, PathStepKind::Unsupported);
    EXPECT_EQ(parsePathData("M 0,0 A 1 1 0 0 0 1 1", cursor).kind, PathStepKind::Unsupported);
}

TEST(SvgPathData, EmptyDataEnds) {
    EXPECT_EQ(readAll("").back().kind, PathStepKind::End);
    EXPECT_EQ(readAll("   ").back().kind, PathStepKind::End);
    EXPECT_EQ(readAll("M 1,1").back().kind, PathStepKind::End);
}

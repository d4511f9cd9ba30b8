#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "job/SvgGeometry.h"
#include "job/SvgPathData.h"

using namespace sartovin;

namespace {

struct Cubic {
    SvgPoint p0, p1, p2, p3;
    SvgPoint at(double t) const {
        double u = 1 - t;
        return {u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x,
                u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y};
    }
};

// The rewritten data read back with the reader's own path steps: it must be in the reader's form.
std::vector<PathStep> stepsOf(const std::string& d) {
    std::vector<PathStep> steps;
    PathCursor cursor;
    for (int i = 0; i < 10000; ++i) {
        PathStep s = parsePathData(d, cursor);
        EXPECT_NE(s.kind, PathStepKind::Unsupported) << d;
        if (s.kind == PathStepKind::End || s.kind == PathStepKind::Unsupported) break;
        steps.push_back(s);
    }
    return steps;
}

std::vector<Cubic> curvesOf(const std::string& d) {
    std::vector<Cubic> out;
    for (const PathStep& s : stepsOf(d))
        if (s.kind == PathStepKind::Segment && s.command == 'C')
            out.push_back({s.start, s.ctrl1, s.ctrl2, s.end});
    return out;
}

}  // namespace

TEST(SvgGeometry, TransformLists) {
    Affine m;
    ASSERT_TRUE(parseTransform("translate(10,20) scale(2)", m));
    EXPECT_DOUBLE_EQ(m.mapX(1, 1), 12);
    EXPECT_DOUBLE_EQ(m.mapY(1, 1), 22);
    ASSERT_TRUE(parseTransform("rotate(90 10 10)", m));
    EXPECT_NEAR(m.mapX(20, 10), 10, 1e-12);
    EXPECT_NEAR(m.mapY(20, 10), 20, 1e-12);
    ASSERT_TRUE(parseTransform("matrix(1,0,0,-1,0,100)", m));
    EXPECT_DOUBLE_EQ(m.mapY(0, 30), 70);
    ASSERT_TRUE(parseTransform("translate(5)", m));
    EXPECT_DOUBLE_EQ(m.mapY(0, 0), 0);
    ASSERT_TRUE(parseTransform("scale(3,2)", m));
    EXPECT_DOUBLE_EQ(m.maxStretch(), 3);
    for (const char* bad : {"translate(1,2", "spin(4)", "scale()", "matrix(1,2,3)", "rotate(1,2)"})
        EXPECT_FALSE(parseTransform(bad, m)) << bad;
}

TEST(SvgGeometry, RelativeAndShortCommandsBecomeAbsolute) {
    std::string out;
    ASSERT_TRUE(rewritePathData("m 10,10 h 5 v 5 l -5,0 z m 1,1 2,2", Affine::translation(1, 0), 0.01, out));
    EXPECT_EQ(out, "M 11,10 L 16,10 L 16,15 L 11,15 Z M 12,11 L 14,13");
    ASSERT_TRUE(rewritePathData("M0 0C1 1 2 2 3 3S5 5 6 6", Affine{}, 0.01, out));
    EXPECT_EQ(out, "M 0,0 C 1,1 2,2 3,3 C 4,4 5,5 6,6");
    // An error anywhere leaves the output alone.
    out = "kept";
    EXPECT_FALSE(rewritePathData("M 0,0 L 1", Affine{}, 0.01, out));
    EXPECT_FALSE(rewritePathData("L 1,1", Affine{}, 0.01, out));
    EXPECT_FALSE(rewritePathData("M 0,0 X 1,1", Affine{}, 0.01, out));
    EXPECT_EQ(out, "kept");
}

TEST(SvgGeometry, QuadraticsAreExactCubics) {
    std::string out;
    ASSERT_TRUE(rewritePathData("M 0,0 Q 10,20 20,0 T 40,0", Affine{}, 0.01, out));
    auto curves = curvesOf(out);
    ASSERT_EQ(curves.size(), 2u);
    for (int i = 0; i <= 10; ++i) {
        double t = i / 10.0, u = 1 - t;
        SvgPoint c = curves[0].at(t);
        EXPECT_NEAR(c.x, 2 * u * t * 10 + t * t * 20, 1e-6);  // six decimals written
        EXPECT_NEAR(c.y, 2 * u * t * 20, 1e-6);
        SvgPoint d = curves[1].at(t);  // reflected control point 30,-20
        EXPECT_NEAR(d.y, 2 * u * t * -20, 1e-6);
    }
}

TEST(SvgGeometry, ArcsBecomeCubicsWithinTolerance) {
    // Inkscape writes circles as four arcs; with a scale of 3 and a big radius the pieces must be
    // split finer than 90° to stay within the tolerance.
    std::string out;
    const double r = 100, scale = 3, tol = 0.01;
    ASSERT_TRUE(
        rewritePathData("M 200,100 A 100,100 0 0 0 100,0 A 100,100 0 0 0 0,100 "
                        "A 100,100 0 0 0 100,200 A 100 100 0 0 0 200 100 Z",
                        Affine::scaling(scale, scale), tol, out));
    auto curves = curvesOf(out);
    EXPECT_GT(curves.size(), 4u);
    double worst = 0;
    for (const Cubic& c : curves) {
        double a0 = std::atan2(c.p0.y - 300, c.p0.x - 300), a3 = std::atan2(c.p3.y - 300, c.p3.x - 300);
        double span = std::remainder(a3 - a0, 2 * M_PI);
        EXPECT_LE(std::fabs(span), M_PI / 2 + 1e-9);
        for (int i = 0; i <= 20; ++i) {
            SvgPoint p = c.at(i / 20.0);
            worst = std::max(worst, std::fabs(std::hypot(p.x - 300, p.y - 300) - r * scale));
        }
    }
    EXPECT_LT(worst, tol);
    EXPECT_EQ(curves.back().p3.x, 600);

    // A rotated ellipse half with packed flags, large arc and sweep; radii too small are scaled up.
    ASSERT_TRUE(rewritePathData("M 0,0 a 5 2 30 1110 0", Affine{}, 0.001, out));
    curves = curvesOf(out);
    ASSERT_FALSE(curves.empty());
    EXPECT_NEAR(curves.back().p3.x, 10, 1e-9);
    EXPECT_NEAR(curves.back().p3.y, 0, 1e-9);
    // Zero radius is a line, equal ends draw nothing.
    ASSERT_TRUE(rewritePathData("M 0,0 A 0 5 0 0 0 10 0 A 5 5 0 0 0 10 0", Affine{}, 0.01, out));
    EXPECT_EQ(out, "M 0,0 L 10,0");
}

// A closed outline is cut closed by every writer, also when the job leaves out its way back to the
// start: a sticker cut on three sides stays in the vinyl.

#include "PlotFixture.h"
#include "plot/GpglWriter.h"
#include "plot/HpglWriter.h"

namespace sartovin::test {
namespace {

// The triangle (0,0) → (10,0) → (10,10), closed, once with and once without the side back to (0,0).
Job triangle(bool withReturn) {
    if (withReturn) return jobWith(polyline({{0, 0}, {10, 0}, {10, 10}, {0, 0}}, true));
    return jobWith(polyline({{0, 0}, {10, 0}, {10, 10}}, true));
}

std::string hpgl(const Job& job, bool overcut) {
    PlotEnvironment env;
    PlotParameters p = baseParameters(job);
    p.overcutOn = overcut;
    p.overcut = 5;
    std::string out;
    EXPECT_TRUE(writeHpgl(-1, out, p, 1, env.context));
    return out;
}

std::string gpgl(const Job& job, bool overcut) {
    PlotEnvironment env;
    PlotParameters p = baseParameters(job, 12);
    p.mediumHeight = 300;
    p.mediumWidth = 310;
    p.cuttingWidth = 310;
    p.overcutOn = overcut;
    p.overcut = 5;
    std::string out;
    EXPECT_TRUE(writeGpgl(-1, out, p, 1, env.context));
    return out;
}

TEST(ClosedPath, TheMissingSideIsCutInEveryWriter) {
    const std::string init = "IN;VS20;FS80;AS3.0;TO0.300;SP1;PR;";
    EXPECT_EQ(hpgl(triangle(false), false), init + "PD;PR400,0;PR0,400;PR-400,-400;PU;PR0,0;");
    for (bool overcut : {false, true}) {
        EXPECT_EQ(hpgl(triangle(false), overcut), hpgl(triangle(true), overcut)) << overcut;
        EXPECT_EQ(gpgl(triangle(false), overcut), gpgl(triangle(true), overcut)) << overcut;
    }
}

TEST(ClosedPath, OpenPathsAndPathsThatReturnStayAsTheyAre) {
    // Open: two sides only.
    const std::string init = "IN;VS20;FS80;AS3.0;TO0.300;SP1;PR;";
    EXPECT_EQ(hpgl(jobWith(polyline({{0, 0}, {10, 0}, {10, 10}}, false)), false),
              init + "PD;PR400,0;PR0,400;PU;PR-400,-400;");
    // A closed square whose last point is its first is not cut twice.
    EXPECT_EQ(hpgl(jobWith(square10()), false), init + "PD;PR400,0;PR0,400;PR-400,0;PR0,-400;PU;PR0,0;");
}

}  // namespace
}  // namespace sartovin::test

// Every closed outline of the bundled drawings comes back to its start in the streams the cutters
// receive: read through the real Inkscape and cut by the real program, in HP-GL and in GP-GL.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/CutRuns.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::CutRun;
using test::readFile;
using test::runProgram;
using test::TempDir;

bool haveInkscape() { return std::system("command -v inkscape >/dev/null 2>&1") == 0; }

class ClosedShapesTest : public ::testing::TestWithParam<const char*> {
protected:
    std::string plot(const std::string& startMode, const std::string& plotter, const std::string& out,
                     const char* converter) {
        const std::string drawing = std::string(SARTOVIN_SOURCE_DIR) + "/examples/" + GetParam();
        auto r = runProgram({SARTOVIN_CLI, "plot", "--quiet", "--svg-converter", converter, "--start-mode",
                             startMode, "--plotter", plotter, "--output", out, drawing},
                            {{"XDG_CONFIG_HOME", dir.file("cfg")},
                             {"XDG_DATA_DIRS", dir.file("share")},
                             {"LANG", "de_DE.UTF-8"},
                             {"TMPDIR", dir.file("")}});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return readFile(out);
    }
    TempDir dir;
};

// A run that ends where it began is a closed outline; the drawings hold no open ones, so every run
// longer than the blade initialisation (a 2.5 mm stroke before the job) must close.
void expectAllClosed(const std::vector<CutRun>& runs, long unitsPerMm) {
    ASSERT_FALSE(runs.empty());
    int closed = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const CutRun& r = runs[i];
        if (r.size() == 2 && std::labs(r[1].x - r[0].x) + std::labs(r[1].y - r[0].y) <= 3 * unitsPerMm)
            continue;
        EXPECT_EQ(r.front(), r.back())
            << "run " << i + 1 << " of " << runs.size() << " with " << r.size() - 1 << " moves ends ("
            << r.back().x - r.front().x << ", " << r.back().y - r.front().y << ") units from its start";
        ++closed;
    }
    EXPECT_GT(closed, 3);
}

TEST_P(ClosedShapesTest, EveryClosedOutlineReturnsToItsStart) {
    if (!haveInkscape()) GTEST_SKIP() << "Inkscape is not installed";
    // Our converter (Inkscape only for the drawing with text), then Inkscape's conversion.
    for (const char* converter : {"auto", "inkscape"}) {
        SCOPED_TRACE(converter);
        expectAllClosed(test::hpglCutRuns(plot("5", "Jaguar IV 61", dir.file("out.plt"), converter)), 40);
        expectAllClosed(test::gpglCutRuns(plot("12", "Silhouette Cameo", dir.file("out.gpgl"), converter)),
                        20);
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, ClosedShapesTest, ::testing::Values("stickers.svg", "lettering.svg"),
                         [](const auto& info) { return std::string(info.param).substr(0, 8); });

}  // namespace
}  // namespace sartovin

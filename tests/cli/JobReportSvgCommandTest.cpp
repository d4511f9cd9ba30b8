#include <gtest/gtest.h>

#include <utility>

#include "JobReportFixture.h"
#include "platform/Files.h"

namespace sartovin {
namespace {

using test::writeFile;

class InspectSvgCommandTest : public test::JobReportFixture {
protected:
    /// `path` replaces PATH (where Inkscape is looked for) when it is given.
    test::ProgramResult inspectSvg(std::vector<std::string> args, const std::string& path = "") {
        Environment changes{{"TMPDIR", dir.file("tmp")}};
        if (!path.empty()) changes.emplace_back("PATH", path);
        return inspect(std::move(args), changes);
    }
    bool haveInkscape() { return fileExists("/usr/bin/inkscape") || fileExists("/usr/local/bin/inkscape"); }
};

const char* kReaderForm =
    "<svg xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\"><defs id=\"d\" />\n"
    "<g inkscape:groupmode=\"layer\" inkscape:label=\"Cut\">\n"
    "<path style=\"fill:#ff0000\" d=\"M 0,0 L 35.4331,0 L 35.4331,17.71655 Z\" /></g></svg>\n";

TEST_F(InspectSvgCommandTest, ReadsADrawingAsItStands) {
    writeFile(dir.file("form.svg"), kReaderForm);
    auto r = inspectSvg({"--no-inkscape", dir.file("form.svg")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find(": SVG drawing\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("layer \"Cut\": 1 objects, 1 paths"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("(11.000 x 6.000 mm)"), std::string::npos) << r.out;

    // Any file name with an Inkscape start mode.
    writeFile(dir.file("form.txt"), kReaderForm);
    r = inspectSvg({"--no-inkscape", "--start-mode", "12", "--json", dir.file("form.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"name\":\"Cut\""), std::string::npos);
}

TEST_F(InspectSvgCommandTest, WithoutInkscapeOnThePath) {
    writeFile(dir.file("form.svg"), kReaderForm);
    auto r = inspectSvg({dir.file("form.svg")}, dir.file("empty-bin"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("No Inkscape"), std::string::npos) << r.err;
}

TEST_F(InspectSvgCommandTest, ConvertsWithInkscapeAndRefusesBrokenFiles) {
    if (!haveInkscape()) GTEST_SKIP() << "inkscape is not installed; the real conversion is not tested";
    auto r = inspectSvg({std::string(SARTOVIN_SOURCE_DIR) + "/tests/job/fixtures/drawing-mm.svg"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("2 layers, 8 objects"), std::string::npos) << r.out;
    EXPECT_FALSE(fileExists(dir.file("tmp/qxjob.svg")));

    writeFile(dir.file("broken.svg"), "<svg><g><path d=\"M 0");
    r = inspectSvg({dir.file("broken.svg")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("SVG Datei konnte nicht interpretiert werden !"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace sartovin

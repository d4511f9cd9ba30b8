#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "JobReportFixture.h"
#include "job/JobImportContext.h"
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

// An ordinary drawing in millimetres: a 10 x 5 mm rectangle on layer "Cut".
const char* kDrawing =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" "
    "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\"\n"
    " width=\"100mm\" height=\"50mm\" viewBox=\"0 0 100 50\">\n"
    "<g inkscape:groupmode=\"layer\" inkscape:label=\"Cut\">\n"
    "<rect x=\"5\" y=\"5\" width=\"10\" height=\"5\" fill=\"red\"/></g></svg>\n";

TEST_F(InspectSvgCommandTest, OurConverterReadsTheDrawing) {
    writeFile(dir.file("form.svg"), kDrawing);
    auto r = inspectSvg({"--no-inkscape", dir.file("form.svg")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find(": SVG drawing\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("layer \"Cut\": 1 objects, 1 paths"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("(11.000 x 6.000 mm)"), std::string::npos) << r.out;

    // Any file name with an Inkscape start mode, and the converter named by the option.
    writeFile(dir.file("form.txt"), kDrawing);
    r = inspectSvg({"--svg-converter", "own", "--start-mode", "12", "--json", dir.file("form.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"name\":\"Cut\""), std::string::npos);
    EXPECT_EQ(inspectSvg({"--svg-converter", "gimp", dir.file("form.svg")}).exitCode, 2);
}

TEST_F(InspectSvgCommandTest, WithoutInkscapeOnThePath) {
    // A drawing without text needs no Inkscape.
    writeFile(dir.file("form.svg"), kDrawing);
    auto r = inspectSvg({dir.file("form.svg")}, dir.file("empty-bin"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("layer \"Cut\": 1 objects"), std::string::npos) << r.out;

    // Text does: the user hears how many text objects, and with nobody to answer the drawing is not
    // taken without them.
    std::string withText = kDrawing;
    withText.insert(withText.find("</g>"), "<text x=\"5\" y=\"30\">A</text><text x=\"5\" y=\"40\">B</text>");
    writeFile(dir.file("text.svg"), withText);
    writeFile(dir.file("prog/2000.txt"),
              "[2000]\r\n2341=No Inkscape\r\n2490=%d text objects need Inkscape\r\n");
    r = inspectSvg({dir.file("text.svg")}, dir.file("empty-bin"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("2 text objects need Inkscape"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("its text needs Inkscape"), std::string::npos) << r.err;
    // Inkscape chosen but missing.
    r = inspectSvg({"--svg-converter", "inkscape", dir.file("form.svg")}, dir.file("empty-bin"));
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

// Above the documented size a drawing or job file is refused before it is read, whatever it holds.
TEST_F(InspectSvgCommandTest, FilesAboveTheSizeLimitAreRefusedUnread) {
    for (const char* name : {"huge.svg", "huge.qxj"}) {
        const std::string path = dir.file(name);
        writeFile(path, kDrawing);
        std::filesystem::resize_file(path, kMaxDrawingBytes + 1);  // sparse: costs no disk
        const test::ProgramResult r = inspectSvg({path});
        EXPECT_EQ(r.exitCode, 1) << name;
        EXPECT_NE(r.err.find("larger than 128 MB"), std::string::npos) << r.err;
    }
    // At the limit itself the file is read (and found to hold no job after the drawing's end).
    const std::string path = dir.file("limit.svg");
    writeFile(path, kDrawing);
    std::filesystem::resize_file(path, kMaxDrawingBytes);
    const test::ProgramResult r = inspectSvg({"--no-inkscape", path});
    EXPECT_EQ(r.err.find("larger than"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace sartovin

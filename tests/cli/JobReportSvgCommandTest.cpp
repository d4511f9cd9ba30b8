#include <gtest/gtest.h>

#include "platform/Files.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::runProgram;
using test::TempDir;
using test::writeFile;

class InspectSvgCommandTest : public ::testing::Test {
protected:
    InspectSvgCommandTest() {
        writeFile(dir.file("prog/2000.txt"),
                  "[2000]\r\n2303=No objects for cutting found !\r\n2341=No Inkscape\r\n2343=No SVG\r\n");
    }
    test::ProgramResult inspect(std::vector<std::string> args, const std::string& path = "") {
        std::vector<std::string> argv = {SARTOVIN_CLI, "inspect", "--program-path",
                                         dir.file("prog/sartovin")};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<std::pair<std::string, std::string>> env = {{"XDG_CONFIG_HOME", dir.file("cfg")},
                                                                {"XDG_DATA_DIRS", dir.file("share")},
                                                                {"TMPDIR", dir.file("tmp")},
                                                                {"XDG_RUNTIME_DIR", ""},
                                                                {"Temp", ""},
                                                                {"Tmp", ""},
                                                                {"LC_ALL", ""},
                                                                {"LANG", "en_US.UTF-8"}};
        if (!path.empty()) env.emplace_back("PATH", path);
        return runProgram(argv, env);
    }
    bool haveInkscape() { return fileExists("/usr/bin/inkscape") || fileExists("/usr/local/bin/inkscape"); }
    TempDir dir;
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
    auto r = inspect({"--no-inkscape", dir.file("form.svg")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find(": SVG drawing\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("layer \"Cut\": 1 objects, 1 paths"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("(11.000 x 6.000 mm)"), std::string::npos) << r.out;

    // Any file name with an Inkscape start mode, and the converter named by the option.
    writeFile(dir.file("form.txt"), kDrawing);
    r = inspect({"--svg-converter", "own", "--start-mode", "12", "--json", dir.file("form.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"name\":\"Cut\""), std::string::npos);
    EXPECT_EQ(inspect({"--svg-converter", "gimp", dir.file("form.svg")}).exitCode, 2);
}

TEST_F(InspectSvgCommandTest, WithoutInkscapeOnThePath) {
    // A drawing without text needs no Inkscape.
    writeFile(dir.file("form.svg"), kDrawing);
    auto r = inspect({dir.file("form.svg")}, dir.file("empty-bin"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("layer \"Cut\": 1 objects"), std::string::npos) << r.out;

    // Text does: the user hears how many text objects, and with nobody to answer the drawing is not
    // taken without them.
    std::string withText = kDrawing;
    withText.insert(withText.find("</g>"), "<text x=\"5\" y=\"30\">A</text><text x=\"5\" y=\"40\">B</text>");
    writeFile(dir.file("text.svg"), withText);
    writeFile(dir.file("prog/2000.txt"),
              "[2000]\r\n2341=No Inkscape\r\n2490=%d text objects need Inkscape\r\n");
    r = inspect({dir.file("text.svg")}, dir.file("empty-bin"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("2 text objects need Inkscape"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("its text needs Inkscape"), std::string::npos) << r.err;
    // Inkscape chosen but missing.
    r = inspect({"--svg-converter", "inkscape", dir.file("form.svg")}, dir.file("empty-bin"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("No Inkscape"), std::string::npos) << r.err;
}

TEST_F(InspectSvgCommandTest, ConvertsWithInkscapeAndRefusesBrokenFiles) {
    if (!haveInkscape()) GTEST_SKIP() << "inkscape is not installed; the real conversion is not tested";
    auto r = inspect({std::string(SARTOVIN_SOURCE_DIR) + "/tests/job/fixtures/drawing-mm.svg"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("2 layers, 8 objects"), std::string::npos) << r.out;
    EXPECT_FALSE(fileExists(dir.file("tmp/qxjob.svg")));

    writeFile(dir.file("broken.svg"), "<svg><g><path d=\"M 0");
    r = inspect({dir.file("broken.svg")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("SVG Datei konnte nicht interpretiert werden !"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace sartovin

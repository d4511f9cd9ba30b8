// sartovin marks with the real Inkscape measuring the drawing, and what the cutting program makes
// of the marked drawing: a marks layer, marks mode, and the marks block in the command stream.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/Files.h"
#include "platform/Profile.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::readFile;
using test::runProgram;
using test::TempDir;
using test::writeFile;

// A drawing as Inkscape saves it: mm document, a 100 × 100 mm square 20 mm from the left and 30 mm
// from the top of the page, in a layer moved by a transform.
const char* kDrawing =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<svg xmlns=\"http://www.w3.org/2000/svg\" "
    "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\"\n"
    "   xmlns:sodipodi=\"http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd\"\n"
    "   width=\"300mm\" height=\"300mm\" viewBox=\"0 0 300 300\">\n"
    "  <sodipodi:namedview id=\"view\" />\n"
    "  <g inkscape:groupmode=\"layer\" inkscape:label=\"Ebene 1\" id=\"layer1\" "
    "transform=\"translate(10,10)\">\n"
    "    <rect id=\"square\" x=\"10\" y=\"20\" width=\"100\" height=\"100\" "
    "style=\"fill:#ff0000;stroke:none\" />\n"
    "  </g>\n"
    "  <g inkscape:groupmode=\"layer\" inkscape:label=\"Versteckt\" style=\"display:none\">\n"
    "    <rect x=\"-200\" y=\"-200\" width=\"10\" height=\"10\" />\n"
    "  </g>\n"
    "</svg>\n";

bool haveInkscape() { return fileExists("/usr/bin/inkscape") || fileExists("/usr/local/bin/inkscape"); }

class MarksCommandTest : public ::testing::Test {
protected:
    MarksCommandTest() { writeFile(drawing, kDrawing); }

    test::ProgramResult sartovin(std::vector<std::string> args) {
        args.insert(args.begin(), SARTOVIN_CLI);
        return runProgram(args, {{"XDG_CONFIG_HOME", dir.file("cfg")},
                                 {"XDG_DATA_DIRS", dir.file("share")},
                                 {"TMPDIR", dir.file("")},
                                 {"XDG_RUNTIME_DIR", ""},
                                 {"Temp", ""},
                                 {"Tmp", ""},
                                 {"LC_ALL", ""},
                                 {"LANG", "en_US.UTF-8"}});
    }
    void setKey(const std::string& edition, const std::string& key, const std::string& value) {
        MakeSureDirectoryPathExists(dir.file("cfg/" + edition + "/"));
        WritePrivateProfileString("Passermarks", key, value, dir.file("cfg/" + edition + "/Sartovin.ini"));
    }
    int count(const std::string& text, const std::string& what) {
        int n = 0;
        for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
        return n;
    }

    TempDir dir;
    std::string drawing = dir.file("drawing.svg");
    std::string marked = dir.file("marked.svg");
};

TEST_F(MarksCommandTest, ADrawingGetsItsMarksAndIsCutAsAMarksJob) {
    if (!haveInkscape())
        GTEST_SKIP() << "inkscape is not installed; the marks need it to measure the drawing";
    auto r = sartovin({"marks", drawing, marked});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "drew 10 marks on the layer QX-PassermarkenEbene\n");
    const std::string svg = readFile(marked);
    EXPECT_EQ(count(svg, "inkscape:label=\"QX-PassermarkenEbene\""), 1);
    EXPECT_EQ(count(svg, "<path id=\"qx-mark-"), 10);
    // Row 1 around the square at 20..120 × 30..130 mm: from 20 − 33 mm, centred 30 mm below it.
    // Inkscape measures to six digits.
    EXPECT_NE(svg.find("style=\"fill:#010000;fill-opacity:1;stroke:none\" d=\"M -13,160.5"),
              std::string::npos)
        << svg;
    EXPECT_NE(svg.find("id=\"square\""), std::string::npos);

    // Marked again with other values: still one marks layer, around the artwork alone.
    setKey("Sartovin", "Margin", "10");
    r = sartovin({"marks", marked, marked});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string again = readFile(marked);
    EXPECT_EQ(count(again, "inkscape:label=\"QX-PassermarkenEbene\""), 1);
    EXPECT_NE(again.find("d=\"M -18,165.5"), std::string::npos) << again;

    // The cutting program reads the drawing (through Inkscape) as a marks job.
    r = sartovin({"inspect", "--json", "--mark-sensor", marked});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"marksLayer\":true"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"marksMode\":true"), std::string::npos) << r.out;
}

TEST_F(MarksCommandTest, TheCommandStreamsCarryTheMarks) {
    if (!haveInkscape())
        GTEST_SKIP() << "inkscape is not installed; the marks need it to measure the drawing";
    ASSERT_EQ(sartovin({"marks", drawing, marked}).exitCode, 0);
    const std::string hpgl = dir.file("out.plt");
    // As the Inkscape program (start mode 5) cuts it for a Jaguar, which reads marks.
    auto r = sartovin({"plot", "--quiet", "--program-path", dir.file("SartovinIs"), "--plotter",
                       "Jaguar IV 61", "--output", hpgl, marked});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string bytes = readFile(hpgl);
    // The marks block: the 25 mm mark line, then the distances of the marks (1/40 mm): the job is
    // turned (the stored rotation), so the second is the 160 mm between the marks across the drawing.
    EXPECT_NE(bytes.find("\x1b.D4;0;0;1000:\x1b.D1;"), std::string::npos) << bytes.substr(0, 200);
    EXPECT_NE(bytes.find(";6400:IN;"), std::string::npos) << bytes.substr(0, 200);
}

TEST_F(MarksCommandTest, DeleteRemovesTheLayer) {
    writeFile(marked, std::string(kDrawing).insert(
                          std::string(kDrawing).find("</svg>"),
                          "<g inkscape:groupmode=\"layer\" inkscape:label=\"QX-PassermarkenEbene\">"
                          "<path d=\"M 0,0 L 1,1\"/></g>\n"));
    auto r = sartovin({"marks", "--delete", marked, dir.file("clean.svg")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "removed the marks layer\n");
    EXPECT_EQ(readFile(dir.file("clean.svg")), kDrawing);
    r = sartovin({"marks", "--delete", drawing, dir.file("clean.svg")});
    EXPECT_EQ(r.out, "the drawing had no marks layer\n");
    EXPECT_EQ(sartovin({"marks", drawing}).exitCode, 2);
    EXPECT_EQ(sartovin({"marks", "--ask", "--delete", drawing, marked}).exitCode, 2);
    EXPECT_EQ(sartovin({"marks", dir.file("missing.svg"), marked}).exitCode, 1);
}

TEST_F(MarksCommandTest, AskShowsTheWindowAndDoesWhatItAnswers) {
    // The marks window: answers by the settings file, as the real one does when its button is pressed.
    const std::string window = dir.file("window");
    auto answer = [&](const std::string& key) {
        writeFile(window, "#!/bin/sh\n" +
                              (key.empty() ? std::string()
                                           : "sed -i 's/^" + key + "=0/" + key +
                                                 "=1/' \"$XDG_CONFIG_HOME/Sartovin/Sartovin.ini\"\n") +
                              "echo \"$0\" >> '" + dir.file("asked") + "'\n");
        ::chmod(window.c_str(), 0755);
    };
    // A request left from an earlier run does not count when the window is cancelled.
    setKey("Sartovin", "DeleteMarks", "1");
    answer("");
    auto r = sartovin({"marks", "--ask", "--marks-program", window, drawing, marked});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "no marks requested: the drawing is unchanged\n");
    EXPECT_EQ(readFile(marked), kDrawing);
    EXPECT_EQ(readFile(dir.file("asked")), window + "\n");

    if (!haveInkscape()) GTEST_SKIP() << "inkscape is not installed";
    answer("SetMarks");
    r = sartovin({"marks", "--ask", "--marks-program", window, drawing, marked});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(count(readFile(marked), "<path id=\"qx-mark-"), 10);
    answer("DeleteMarks");
    r = sartovin({"marks", "--ask", "--marks-program", window, marked, marked});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readFile(marked), kDrawing);
}

TEST_F(MarksCommandTest, AskDoesNotActOnAnOldRequestItCannotClear) {
    const std::string window = dir.file("window");
    writeFile(window, "#!/bin/sh\necho \"$0\" >> '" + dir.file("asked") + "'\n");  // cancelled
    ::chmod(window.c_str(), 0755);
    const std::string withMarks =
        std::string(kDrawing).insert(std::string(kDrawing).find("</svg>"),
                                     "<g inkscape:groupmode=\"layer\" inkscape:label=\"QX-PassermarkenEbene\">"
                                     "<path d=\"M 0,0 L 1,1\"/></g>\n");
    writeFile(drawing, withMarks);
    // An earlier run's answer, in a settings file that cannot be written.
    setKey("Sartovin", "DeleteMarks", "1");
    const std::string ini = dir.file("cfg/Sartovin/Sartovin.ini");
    ASSERT_EQ(::chmod(ini.c_str(), 0444), 0);

    auto r = sartovin({"marks", "--ask", "--marks-program", window, drawing, marked});
    ::chmod(ini.c_str(), 0644);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("The settings could not be saved in " + ini), std::string::npos) << r.err;
    EXPECT_FALSE(fileExists(dir.file("asked")));
    EXPECT_FALSE(fileExists(marked));
    EXPECT_EQ(readFile(drawing), withMarks);
}

TEST_F(MarksCommandTest, HobbyMarksOnTheirSheet) {
    if (!haveInkscape())
        GTEST_SKIP() << "inkscape is not installed; the marks need it to measure the drawing";
    setKey("Sartovin-Hobbyplotter", "Format", "A5 hoch");  // 126 mm usable: room for 100 mm
    auto r = sartovin({"marks", "--hobby", drawing, marked});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(count(readFile(marked), "<path id=\"qx-mark-"), 7);

    setKey("Sartovin-Hobbyplotter", "Format", "Letter hoch");  // 194 mm usable: no room for 200 mm
    writeFile(drawing, std::string(kDrawing).replace(std::string(kDrawing).find("width=\"100\""), 11,
                                                     "width=\"200\""));
    r = sartovin({"marks", "--hobby", drawing, marked});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("The drawing is too large for the chosen format of the registration marks !"),
              std::string::npos)
        << r.err;
}

}  // namespace
}  // namespace sartovin

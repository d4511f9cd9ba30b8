#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::readFile;
using test::runProgram;
using test::TempDir;
using test::writeFile;

const std::string kScript = std::string(SARTOVIN_BINARY_DIR) + "/inkscape/sartovin-inkscape";
const std::string kPackaging = std::string(SARTOVIN_SOURCE_DIR) + "/packaging/inkscape/";

// A stand-in for the program that records what it was started with: its arguments, one a line,
// then a blank line and the drawing it was given (its last argument).
std::string fakeProgram(const TempDir& dir) {
    std::string path = dir.file("fake-sartovin");
    const std::string started = dir.file("started");
    writeFile(path, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; last=$a; done > \"" + started +
                        ".tmp\"\necho >> \"" + started + ".tmp\"\ncat \"$last\" >> \"" + started +
                        ".tmp\"\nmv \"" + started + ".tmp\" \"" + started + "\"\n");
    ::chmod(path.c_str(), 0755);
    return path;
}

std::string waitForFile(const std::string& path) {
    for (int i = 0; i < 100 && !std::filesystem::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return readFile(path);
}

// Inkscape takes back what an effect writes as the new document, and marks it changed; an effect
// that writes nothing leaves the document as it was.
TEST(InkscapeExtensionTest, HandsACopyAndTheSelectionToTheProgramAndLeavesTheDocumentAlone) {
    TempDir dir;
    std::string drawing = dir.file("inkscape-copy.svg");
    writeFile(drawing, "<svg xmlns=\"http://www.w3.org/2000/svg\"><path id=\"path1\" d=\"M 0,0 L 10,0\"/></svg>\n");
    auto r = runProgram({kScript, "--edition=hobby", "--id=path1", "--id=g 7*", "--id=", "--selected-nodes=x",
                         drawing},
                        {{"SARTOVIN_PROGRAM", fakeProgram(dir)}, {"XDG_RUNTIME_DIR", dir.file("")}});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    // Inkscape removes its own copy when the script ends; the program reads one of its own.
    std::string started = waitForFile(dir.file("started"));
    const std::size_t blank = started.find("\n\n");
    ASSERT_NE(blank, std::string::npos) << started;
    // The selection first (the white space of a damaged id list splits, and "*" stays a word), the
    // copy last.
    const std::string selection = "--id=path1\n--id=g\n--id=7*\n";
    ASSERT_EQ(started.substr(0, selection.size()), selection) << started;
    const std::string copy = started.substr(selection.size(), blank - selection.size());
    EXPECT_NE(copy, drawing);
    EXPECT_NE(copy.find("sartovin-drawing-"), std::string::npos);
    EXPECT_EQ(started.substr(blank + 2), readFile(drawing));
    // ...and the copy is gone once the program has ended.
    for (int i = 0; i < 100 && std::filesystem::exists(copy); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(std::filesystem::exists(copy));
}

TEST(InkscapeExtensionTest, WithoutTheProgramTheDocumentStaysAsItWas) {
    TempDir dir;
    std::string drawing = dir.file("d.svg");
    writeFile(drawing, "<svg/>");
    auto r = runProgram({kScript, drawing}, {{"SARTOVIN_PROGRAM", dir.file("missing")}});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("is not installed"), std::string::npos);
    r = runProgram({kScript, "--edition=laser"});
    EXPECT_EQ(r.exitCode, 1);
}

TEST(InkscapeExtensionTest, EveryEditionHasItsMenuEntry) {
    for (const char* edition : {"standard", "hobby", "laser"}) {
        std::string inx = readFile(kPackaging + "sartovin_" + edition + ".inx");
        EXPECT_NE(inx.find(std::string("<id>org.sartovin.cut.") + edition + "</id>"), std::string::npos);
        EXPECT_NE(inx.find(std::string(">") + edition + "</param>"), std::string::npos);
        EXPECT_NE(inx.find("<command location=\"inx\">sartovin-inkscape</command>"), std::string::npos);
    }
    for (const char* edition : {"standard", "hobby"}) {
        std::string inx = readFile(kPackaging + "sartovin_marks_" + edition + ".inx");
        EXPECT_NE(inx.find(std::string("<id>org.sartovin.marks.") + edition + "</id>"), std::string::npos);
        EXPECT_NE(inx.find(">marks</param>"), std::string::npos);
        EXPECT_NE(inx.find("<submenu name=\"Sartovin\"/>"), std::string::npos);
    }
}

// ---- Extensions > Sartovin > Registration marks -------------------------------------------------

const std::string kCli = SARTOVIN_CLI;

// The marks settings window, answering as its buttons do: it sets one request in the settings file.
std::string fakeMarksWindow(const TempDir& dir, const std::string& request) {
    const std::string path = dir.file("marks-window");
    writeFile(path, "#!/bin/sh\nsed -i 's/^" + request + "=0/" + request +
                        "=1/' \"$XDG_CONFIG_HOME/Sartovin/Sartovin.ini\"\n");
    ::chmod(path.c_str(), 0755);
    return path;
}

const char* kMarkedDrawing =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" "
    "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\">\n"
    "<g inkscape:groupmode=\"layer\" inkscape:label=\"QX-PassermarkenEbene\"><path d=\"M 0,0 L 1,1\"/></g>\n"
    "<path d=\"M 0,0 L 10,0\"/></svg>\n";

TEST(InkscapeExtensionTest, MarksComeBackAsTheWindowAsked) {
    TempDir dir;
    const std::string drawing = dir.file("inkscape-copy.svg");
    writeFile(drawing, kMarkedDrawing);
    const std::vector<std::pair<std::string, std::string>> env = {
        {"SARTOVIN_CLI", kCli},
        {"SARTOVIN_MARKS_PROGRAM", fakeMarksWindow(dir, "DeleteMarks")},
        {"XDG_CONFIG_HOME", dir.file("cfg")},
        {"XDG_RUNTIME_DIR", dir.file("")}};
    auto r = runProgram({kScript, "--action=marks", "--edition=standard", drawing}, env);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "<svg xmlns=\"http://www.w3.org/2000/svg\" "
              "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\">\n"
              "<path d=\"M 0,0 L 10,0\"/></svg>\n");
    EXPECT_EQ(r.err, "");

    // When the command fails, Inkscape keeps the document as it was and shows the reason.
    auto failed = env;
    failed[1].second = dir.file("no-such-window");
    r = runProgram({kScript, "--action=marks", drawing}, failed);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("cannot start the marks window"), std::string::npos) << r.err;
}

TEST(InkscapeExtensionTest, InkscapeRunsTheMarksEntryAndTheProgramReadsAMarksJob) {
    if (!std::filesystem::exists("/usr/bin/inkscape") || !std::filesystem::exists("/usr/bin/xvfb-run"))
        GTEST_SKIP()
            << "inkscape or xvfb-run is not installed (Inkscape runs extensions only with its window)";
    TempDir dir;
    // The extension as Inkscape finds it in the user's folder.
    const std::string extensions = dir.file("cfg/inkscape/extensions/");
    std::filesystem::create_directories(extensions);
    for (const char* file : {"sartovin_marks_standard.inx", "sartovin_marks_hobby.inx"})
        std::filesystem::copy_file(kPackaging + file, extensions + file);
    std::filesystem::copy_file(kScript, extensions + "sartovin-inkscape");
    writeFile(
        dir.file("drawing.svg"),
        "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"200mm\" height=\"200mm\" "
        "viewBox=\"0 0 200 200\"><rect x=\"40\" y=\"40\" width=\"100\" height=\"60\" "
        "style=\"fill:#0000ff\"/></svg>\n");
    // The program as the extension starts it, with what it says kept for a failure's message.
    const std::string cliLog = dir.file("cli.log");
    const std::string cli = dir.file("logging-cli");
    writeFile(cli, "#!/bin/sh\n\"" + kCli + "\" \"$@\" >>\"" + cliLog +
                       "\" 2>&1\nstatus=$?\necho \"exit $status\" >>\"" + cliLog + "\"\nexit $status\n");
    ::chmod(cli.c_str(), 0755);
    const std::vector<std::pair<std::string, std::string>> env = {
        {"SARTOVIN_CLI", cli},
        {"SARTOVIN_MARKS_PROGRAM", fakeMarksWindow(dir, "SetMarks")},
        {"XDG_CONFIG_HOME", dir.file("cfg")},
        {"XDG_DATA_DIRS", dir.file("share") + ":/usr/share"},
        {"XDG_RUNTIME_DIR", dir.file("")},
        {"TMPDIR", dir.file("")},
        {"LANG", "en_US.UTF-8"}};
    auto r = runProgram({"/usr/bin/xvfb-run", "-a", "/usr/bin/inkscape", "--with-gui", "--batch-process",
                         "--actions=org.sartovin.marks.standard.noprefs;export-filename:" +
                             dir.file("marked.svg") + ";export-do",
                         dir.file("drawing.svg")},
                        env);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string marked = readFile(dir.file("marked.svg"));
    ASSERT_NE(marked.find("inkscape:label=\"QX-PassermarkenEbene\""), std::string::npos)
        << "Inkscape said:\n"
        << r.err << "\nthe program said:\n"
        << readFile(cliLog) << "\nthe drawing:\n"
        << marked;

    r = runProgram({kCli, "inspect", "--json", "--mark-sensor", dir.file("marked.svg")}, env);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"marksLayer\":true"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"marksMode\":true"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace sartovin

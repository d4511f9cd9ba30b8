#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "job/InkscapeAdapter.h"
#include "job/InkscapeHandOver.h"
#include "job/SvgReader.h"
#include "platform/Files.h"
#include "platform/ScriptedInteraction.h"
#include "support/FakeDesktop.h"
#include "support/TempDir.h"

using namespace sartovin;
using test::FakeProcesses;
using test::FakeWindows;

namespace {

const std::string kFixtures = std::string(SARTOVIN_SOURCE_DIR) + "/tests/job/fixtures/";

class HandOverTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeFile(m_dir.file("texts/2000.txt"),
                        "[2000]\n2303=No objects for cutting found !\n2341=No Inkscape\n2343=No SVG\n"
                        "2344=Please remember .....\n2345=Sartovin is starting ....\n");
        test::writeFile(m_dir.file("drawing.svg"), test::readFile(kFixtures + "drawing-mm.svg"));
        windows.windows = {{"drawing.svg - Inkscape", 42}};
        processes.executables[42] = "/opt/ink/bin/inkscape";
        // The "Inkscape" of these tests leaves what the real one saved for this drawing.
        processes.onStart = [this](const std::vector<std::string>& args) {
            test::writeFile(args[0], test::readFile(kFixtures + "inkscape-1.2-drawing-mm.svg"));
        };
        handOver.m_tempFolder = m_dir.path() + "tmp";
        handOver.m_inputFileName = m_dir.file("drawing.svg");
        handOver.m_userDataFolder = m_dir.path() + "config/";
        handOver.m_progress = [this](const std::string& t) { progress.push_back(t); };
        settings.setHideInkscapeHint(true);
    }
    // Nothing of Inkscape's runs is left in the temporary folder.
    bool runFilesGone() const {
        std::vector<std::string> names;
        listFolder(m_dir.path() + "tmp", names);
        return names.empty();
    }

    test::TempDir m_dir;
    Texts m_texts{m_dir.path() + "texts/", 2000};

public:
    FakeWindows windows;
    FakeProcesses processes;
    ScriptedInteraction ui;
    Settings settings{m_dir.file("Sartovin.ini")};
    InkscapeHandOver handOver{windows, processes, ui, m_texts, settings};
    std::vector<std::string> progress;
    Job job;
    JobState state;
};

}  // namespace

TEST_F(HandOverTest, ConvertsAndReadsTheDrawing) {
    std::string runFolder, prefs;
    struct stat folderStat {};
    processes.onStart = [&](const std::vector<std::string>& args) {
        runFolder = folderOf(args[0]);
        ::lstat(runFolder.c_str(), &folderStat);
        prefs = test::readFile(runFolder + "qxinkscape-profile/preferences.xml");
        test::writeFile(args[0], test::readFile(kFixtures + "inkscape-1.2-drawing-mm.svg"));
    };
    ASSERT_TRUE(handOver.importSvg(job, state)) << testing::PrintToString(ui.messageTexts());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(progress, std::vector<std::string>{"Sartovin is starting ...."});
    ASSERT_EQ(job.layers.size(), 2u);
    EXPECT_EQ(job.layers[0].name, "Front");
    EXPECT_TRUE(runFilesGone());

    // Inkscape 1.x runs headless on the copy with the private profile.
    ASSERT_EQ(processes.started.size(), 2u);
    const auto& run = processes.started[1];
    EXPECT_EQ(run.program, "/opt/ink/bin/inkscape");
    // The copy lay in a folder of the run's own that only this user could enter.
    EXPECT_EQ(run.arguments[0], runFolder + "qxjob.svg");
    EXPECT_EQ(runFolder.rfind(m_dir.path() + "tmp/sartovin-", 0), 0u) << runFolder;
    EXPECT_TRUE(S_ISDIR(folderStat.st_mode));
    EXPECT_EQ(folderStat.st_mode & 0777, 0700u);
    EXPECT_EQ(processes.started[0].output, runFolder + "qxinkscape-version.txt");
    EXPECT_EQ(run.output, runFolder + "qxinkscape-run.txt");
    EXPECT_EQ(run.environment.at(0).second, runFolder + "qxinkscape-profile/");
    EXPECT_EQ(run.arguments.back(), "--export-type=svg");
    ASSERT_EQ(run.environment.size(), 1u);
    EXPECT_EQ(run.environment[0].first, "INKSCAPE_PROFILE_DIR");
    EXPECT_NE(prefs.find("pathstring_format=\"0\""), std::string::npos);
    EXPECT_TRUE(inkscapePreferencesInOrder(prefs));
    // The wait: the run took three polls and one more after it had gone.
    EXPECT_EQ(ui.nowMs, 2 * 100 /* version */ + 5 * 100);
}

TEST_F(HandOverTest, InkscapeWindows) {
    // Equal titles count once; the second different title is the last counted.
    windows.windows = {{"Untitled - Inkscape", 10},
                       {"Untitled - Inkscape", 11},
                       {"Terminal", 12},
                       {"b.svg - Inkscape", 13},
                       {"c.svg - Inkscape", 14}};
    processes.executables = {
        {10, "/a/inkscape"}, {11, "/b/inkscape"}, {13, "/c/inkscape"}, {14, "/d/inkscape"}};
    EXPECT_EQ(handOver.findRunningInkscape(), "/c/inkscape");

    // The owner's program is unknown: $PATH serves.
    processes.executables.clear();
    processes.onPath = "/usr/bin/inkscape";
    EXPECT_EQ(handOver.findRunningInkscape(), "/usr/bin/inkscape");

    // No Inkscape window at all.
    windows.windows = {{"Inkscape", 1}, {"notes - gedit", 2}};
    EXPECT_EQ(handOver.findRunningInkscape(), "");
    // ... but an Inkscape process whose window this display does not show (Wayland).
    processes.running = {{8, "inkscape", "/usr/bin/inkscape"}};
    EXPECT_EQ(handOver.findRunningInkscape(), "/usr/bin/inkscape");
    processes.running.clear();

    // Without a display the process list answers.
    windows.display = false;
    processes.running = {{7, "bash", "/bin/bash"}, {8, "inkscape", "/snap/bin/inkscape"}};
    EXPECT_EQ(handOver.findRunningInkscape(), "/snap/bin/inkscape");
    processes.running = {{7, "inkscape-helper", "/x/inkscape-helper"}};
    EXPECT_EQ(handOver.findRunningInkscape(), "");
}

TEST_F(HandOverTest, NoInkscapeOrNoDrawing) {
    // The drawing Inkscape saved last, with no Inkscape running.
    handOver.m_inputFileName.clear();
    handOver.m_lastSavedSvg = [this] { return m_dir.file("drawing.svg"); };
    windows.windows.clear();
    EXPECT_FALSE(handOver.importSvg(job, state));
    ASSERT_EQ(ui.messageTexts(), std::vector<std::string>{"No Inkscape"});
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(ui.messages[0].caption, "Sartovin");

    // A window whose program cannot be found.
    ui.messages.clear();
    windows.windows = {{"drawing.svg - Inkscape", 99}};
    EXPECT_FALSE(handOver.importSvg(job, state));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"No Inkscape"});

    // The SVG saved last must be an SVG.
    windows.windows = {{"drawing.svg - Inkscape", 42}};
    handOver.m_lastSavedSvg = [] { return std::string("/home/u/picture.png"); };
    ui.messages.clear();
    EXPECT_FALSE(handOver.importSvg(job, state));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"No SVG"});
    EXPECT_TRUE(processes.started.empty());

    handOver.m_lastSavedSvg = [this] { return m_dir.file("drawing.svg"); };
    ui.messages.clear();
    EXPECT_TRUE(handOver.importSvg(job, state));
}

TEST_F(HandOverTest, TheHint) {
    settings.setHideInkscapeHint(false);
    std::vector<std::string> shown;
    handOver.m_hintDialog = [&](const std::string& text) {
        shown.push_back(text);
        return InkscapeHintAnswer{false, true};
    };
    EXPECT_FALSE(handOver.importSvg(job, state));
    EXPECT_EQ(shown, std::vector<std::string>{"Please remember ....."});
    EXPECT_EQ(settings.hideInkscapeHint(), 1);  // "do not show again" is kept even on Cancel
    ASSERT_EQ(processes.started.size(), 1u);    // only the version was asked
    EXPECT_TRUE(progress.empty());

    // Hidden, and the private profile is in order: no hint.
    shown.clear();
    EXPECT_TRUE(handOver.importSvg(job = Job{}, state));
    EXPECT_TRUE(shown.empty());

    // Inkscape 0.92 uses the user's own preferences; relative coordinates there bring the hint back.
    processes.versionText = "Inkscape 0.92.4 (5da689c313, 2019-01-14)";
    test::writeFile(
        m_dir.path() + "config/inkscape/preferences.xml",
        "<group id=\"svgoutput\"\n allowrelativecoordinates=\"1\"\n forcerepeatcommands=\"0\" />\n");
    handOver.m_hintDialog = nullptr;
    ui.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(handOver.importSvg(job = Job{}, state));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Please remember .....");
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::OkCancel);
}

// The 1.x run as Inkscape receives it; selected lettering is marked while its outlines are the
// selection, right after they were made.
TEST_F(HandOverTest, TheActionListMarksTheOutlinesOfSelectedText) {
    handOver.m_converter = SvgConverterChoice::Inkscape;
    handOver.m_selectedIds = {"text", "circle"};
    ASSERT_TRUE(handOver.importSvg(job, state)) << testing::PrintToString(ui.messageTexts());
    const auto& run = processes.started.at(1);
    const std::string ungroup = "select-all:no-layers;selection-ungroup;";
    std::string ungroups;
    for (int i = 0; i < 8; ++i) ungroups += ungroup;
    const std::string tail = ungroups + "select-all:no-groups;object-to-path;select-all:no-groups;object-flip-vertical";
    EXPECT_EQ(run.arguments.at(1),
              "--actions=select-all:all;clone-unlink-recursively;select-all:no-groups;object-to-path;"
              "select-clear;select-by-id:text;selection-ungroup;object-set-attribute:sartovin-selected,1;" +
                  tail);

    handOver.m_selectedIds.clear();
    job = Job{};
    ASSERT_TRUE(handOver.importSvg(job, state));
    EXPECT_EQ(processes.started.at(3).arguments.at(1),
              "--actions=select-all:all;clone-unlink-recursively;select-all:no-groups;object-to-path;" + tail);
}

TEST_F(HandOverTest, OldInkscapeGetsTheVerbs) {
    processes.versionText = "Inkscape 0.92.4 (5da689c313, 2019-01-14)";
    test::writeFile(m_dir.path() + "config/inkscape/preferences.xml", "allowrelativecoordinates=\"0\"\n");
    ASSERT_TRUE(handOver.importSvg(job, state)) << testing::PrintToString(ui.messageTexts());
    const auto& run = processes.started.at(1);
    EXPECT_TRUE(run.environment.empty());
    const std::vector<std::string> expected = {run.arguments.at(0),
                                               "--verb=EditSelectAllInAllLayers",
                                               "--verb=ObjectToPath",
                                               "--verb=SelectionUnGroup",
                                               "--verb=SelectionGroup",
                                               "--verb=ObjectRotate90CCW",
                                               "--verb=ObjectRotate90CCW",
                                               "--verb=ObjectFlipHorizontally",
                                               "--verb=SelectionUnGroup",
                                               "--verb=SelectionUnGroup",
                                               "--verb=EditSelectAllInAllLayers",
                                               "--verb=SelectionUnGroup",
                                               "--verb=FileSave",
                                               "--verb=FileClose"};
    EXPECT_EQ(run.arguments, expected);
    EXPECT_EQ(baseName(run.arguments[0]), "qxjob.svg");
}

TEST_F(HandOverTest, FilesAnotherUserPreparedInTheTemporaryFolderAreNotUsed) {
    // Another user made the old fixed names beforehand: an open profile folder, and a link in
    // place of the copy pointing at a file of the victim's.
    const std::string tmp = m_dir.path() + "tmp/";
    ASSERT_TRUE(MakeSureDirectoryPathExists(tmp + "qxinkscape-profile/"));
    ASSERT_EQ(::chmod((tmp + "qxinkscape-profile").c_str(), 0777), 0);
    test::writeFile(tmp + "qxinkscape-profile/preferences.xml", "planted");
    test::writeFile(m_dir.file("victim.txt"), "precious");
    ASSERT_EQ(::symlink(m_dir.file("victim.txt").c_str(), (tmp + "qxjob.svg").c_str()), 0);
    ASSERT_EQ(::symlink(m_dir.file("victim.txt").c_str(), (tmp + "qxinkscape-run.txt").c_str()), 0);

    ASSERT_TRUE(handOver.importSvg(job, state)) << testing::PrintToString(ui.messageTexts());
    const auto& run = processes.started.at(1);
    EXPECT_NE(run.environment.at(0).second, tmp + "qxinkscape-profile/");
    EXPECT_NE(run.arguments[0], tmp + "qxjob.svg");
    EXPECT_EQ(test::readFile(m_dir.file("victim.txt")), "precious");
    EXPECT_EQ(test::readFile(tmp + "qxinkscape-profile/preferences.xml"), "planted");

    // Nothing of the run is left beside what the other user made.
    std::vector<std::string> names;
    listFolder(tmp, names);
    EXPECT_EQ(names.size(), 3u);
}

TEST_F(HandOverTest, FailedRuns) {
    // Still running after the whole wait: stopped, and the copy is not read.
    processes.runPolls = -1;
    handOver.m_waitPasses = 20;
    EXPECT_FALSE(handOver.importSvg(job, state));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{kSvgNotReadable});
    EXPECT_EQ(processes.stopped.size(), 1u);
    EXPECT_TRUE(runFilesGone());

    // Inkscape left the copy as it was (an unknown action, a file it could not open).
    processes.runPolls = 1;
    processes.onStart = nullptr;
    ui.messages.clear();
    EXPECT_FALSE(handOver.importSvg(job = Job{}, state));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{kSvgNotReadable});

    // It saved an empty drawing.
    processes.onStart = [](const std::vector<std::string>& args) {
        test::writeFile(args[0], "<svg><defs/><g inkscape:groupmode=\"layer\"><path d=\"M 0\"/></g></svg>");
    };
    ui.messages.clear();
    EXPECT_FALSE(handOver.importSvg(job = Job{}, state));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{kSvgNotReadable});

    // The program does not start.
    processes.startFails = true;
    ui.messages.clear();
    EXPECT_FALSE(handOver.importSvg(job = Job{}, state));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"No Inkscape"});

    // The drawing cannot be copied.
    processes.startFails = false;
    handOver.m_inputFileName = m_dir.file("missing.svg");
    ui.messages.clear();
    EXPECT_FALSE(handOver.importSvg(job = Job{}, state));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"No SVG"});
}

TEST(InkscapeVersionTest, ParsesTheVersionLine) {
    InkscapeVersion v = parseInkscapeVersion("Inkscape 1.2.2 (b0a8486541, 2022-12-01)\n");
    EXPECT_TRUE(v.known);
    EXPECT_EQ(v.major, 1);
    EXPECT_EQ(v.minor, 2);
    v = parseInkscapeVersion("Gtk-WARNING\nInkscape 0.92.4 (5da689c313, 2019-01-14)\n");
    EXPECT_FALSE(v.hasActions());
    v = parseInkscapeVersion("command not found");
    EXPECT_FALSE(v.known);
    EXPECT_TRUE(v.hasActions());  // unknown: the current command line
}

TEST(InkscapePreferencesTest, RelativeCoordinatesCheck) {
    EXPECT_TRUE(inkscapePreferencesInOrder("  allowrelativecoordinates=\"0\"\n"));
    EXPECT_FALSE(inkscapePreferencesInOrder("  allowrelativecoordinates=\"1\"\n  other=\"0\"\n"));
    EXPECT_FALSE(inkscapePreferencesInOrder("nothing here"));
}

TEST_F(HandOverTest, ADrawingWithoutTextNeedsNoInkscapeRun) {
    test::writeFile(m_dir.file("drawing.svg"),
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100mm\" height=\"50mm\" "
                    "viewBox=\"0 0 100 50\"><rect x=\"10\" y=\"10\" width=\"40\" height=\"20\"/></svg>");
    settings.setHideInkscapeHint(false);  // the hint is about Inkscape's run: not shown either
    ASSERT_TRUE(handOver.importSvg(job, state)) << testing::PrintToString(ui.messageTexts());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(processes.started.empty());
    ASSERT_EQ(job.layers.size(), 1u);
    ASSERT_EQ(job.layers[0].objects.size(), 1u);
    EXPECT_NEAR(job.layers[0].objects[0].boundsX2 - job.layers[0].objects[0].boundsX1, 40, 1e-6);
    EXPECT_TRUE(runFilesGone());

    // Inkscape chosen: it converts the same drawing.
    handOver.m_converter = SvgConverterChoice::Inkscape;
    settings.setHideInkscapeHint(true);
    job = Job{};
    ASSERT_TRUE(handOver.importSvg(job, state));
    EXPECT_EQ(processes.started.size(), 2u);  // version, conversion
}

// A drawing named on the command line is read as the command line reads it, Inkscape running or not.
TEST_F(HandOverTest, ANamedDrawingWithoutInkscapeIsReadAsTheCommandLineReadsIt) {
    windows.windows.clear();
    // Relative commands, a viewBox in other units than the page, y running down.
    test::writeFile(m_dir.file("drawing.svg"),
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100mm\" height=\"50mm\" "
                    "viewBox=\"0 0 200 100\"><path d=\"m 20,20 h 80 v 40 h -80 z\"/>"
                    "<path d=\"M 120,20 l 40,0 l 0,60 z\"/></svg>");
    ASSERT_TRUE(handOver.importSvg(job, state)) << testing::PrintToString(ui.messageTexts());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(processes.started.empty());
    ASSERT_EQ(job.layers.size(), 1u);
    ASSERT_EQ(job.layers[0].objects.size(), 2u);
    const JobObject& rect = job.layers[0].objects[0];
    EXPECT_NEAR(rect.boundsX2 - rect.boundsX1, 40, 1e-6);  // 80 user units, half a millimetre each
    EXPECT_NEAR(rect.boundsY2 - rect.boundsY1, 20, 1e-6);
    // From x 10 to 80 mm and y 10 to 40 mm, with the reader's millimetre of allowance.
    EXPECT_NEAR(state.extent.spanX, 71, 1e-6);
    EXPECT_NEAR(state.extent.spanY, 31, 1e-6);

    // Text with no Inkscape to convert it: the user hears how many objects need it, and decides.
    test::writeFile(m_dir.file("texts/2000.txt"),
                    "[2000]\n2303=No objects\n2490=%d text objects need Inkscape\n");
    Texts texts(m_dir.path() + "texts/", 2000);
    InkscapeHandOver withText{windows, processes, ui, texts, settings};
    withText.m_tempFolder = handOver.m_tempFolder;
    withText.m_inputFileName = m_dir.file("text.svg");
    test::writeFile(withText.m_inputFileName, test::readFile(kFixtures + "drawing-mm.svg"));
    ui.answers = {MessageAnswer::Cancel};
    job = Job{};
    EXPECT_FALSE(withText.importSvg(job, state));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"1 text objects need Inkscape"});
    EXPECT_TRUE(processes.started.empty());
}

// A drawing above the size limit is refused with the user's message, not read into memory.
TEST_F(HandOverTest, ADrawingAboveTheSizeLimitIsRefusedWithAMessage) {
    test::writeFile(m_dir.file("texts/2000.txt"), "[2000]\n2469=The file %s is too large (%s MB); up to %s MB.\n");
    Texts texts(m_dir.path() + "texts/", 2000);
    InkscapeHandOver big{windows, processes, ui, texts, settings};
    big.m_tempFolder = handOver.m_tempFolder;
    big.m_inputFileName = m_dir.file("big.svg");
    test::writeFile(big.m_inputFileName, "<svg/>");
    std::filesystem::resize_file(big.m_inputFileName, kMaxDrawingBytes + 5);
    for (bool inkscapeOpen : {true, false}) {
        if (!inkscapeOpen) windows.windows.clear();
        ui.messages.clear();
        EXPECT_FALSE(big.importSvg(job, state));
        EXPECT_EQ(ui.messageTexts(),
                  std::vector<std::string>{"The file " + big.m_inputFileName + " is too large (129 MB); up to 128 MB."});
        EXPECT_TRUE(processes.started.empty());
    }
}

TEST_F(HandOverTest, TextGoesToInkscapeUnlessOursIsChosen) {
    // The drawing holds lettering: the automatic choice lets the running Inkscape convert it.
    ASSERT_TRUE(handOver.importSvg(job, state));
    EXPECT_EQ(processes.started.size(), 2u);

    // Ours chosen: the user hears that one text object is left out, and decides.
    test::writeFile(m_dir.file("texts/2000.txt"),
                    "[2000]\n2303=No objects\n2490=%d text objects need Inkscape\n");
    Texts texts(m_dir.path() + "texts/", 2000);
    InkscapeHandOver own{windows, processes, ui, texts, settings};
    own.m_tempFolder = handOver.m_tempFolder;
    own.m_inputFileName = handOver.m_inputFileName;
    own.m_converter = SvgConverterChoice::Own;
    processes.started.clear();
    ui.answers = {MessageAnswer::Cancel};
    job = Job{};
    EXPECT_FALSE(own.importSvg(job, state));
    ASSERT_EQ(ui.messageTexts(), std::vector<std::string>{"1 text objects need Inkscape"});
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_TRUE(processes.started.empty());

    ui.messages.clear();
    ui.answers = {MessageAnswer::Ok};
    job = Job{};
    ASSERT_TRUE(own.importSvg(job, state));
    ASSERT_EQ(job.layers.size(), 2u);
    EXPECT_EQ(job.layers[0].objects.size(), 5u);  // the lettering's two glyphs are not there
    EXPECT_TRUE(processes.started.empty());
}

#include <gtest/gtest.h>

#include "job/HostHandOver.h"
#include "platform/Files.h"
#include "platform/ScriptedInteraction.h"
#include "support/FakeDesktop.h"
#include "support/TempDir.h"

using namespace sartovin;
using test::FakeProcesses;
using test::FakeWindows;

namespace {

const std::string kCorelProgram =
    "C:\\Program Files\\Corel\\CorelDRAW Graphics Suite X5\\Programs\\CorelDRW.exe";

class HostHandOverTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeFile(
            m_dir.file("texts/2000.txt"),
            "[2000]\n2301=No CorelDRAW\n2302=Two CorelDRAW\n2303=No objects\n2329=No Illustrator\n"
            "2381=Macro missing: %s\n2393=No macro starter; set CorelMacroStarter in %s\n");
        processes.onStart = nullptr;
        processes.runPolls = 2;
        handOver.m_winePrefix = m_dir.path() + "wine";
        handOver.m_progressStep = [this](int step) { steps.push_back(step); };
    }
    std::string macroFile() const {
        return m_dir.path() +
               "wine/dosdevices/c:/Program Files/Corel/CorelDRAW Graphics Suite X5/Draw/GMS/Sartovin.GMS";
    }

    test::TempDir m_dir;
    Texts m_texts{m_dir.path() + "texts/", 2000};

public:
    FakeWindows windows;
    FakeProcesses processes;
    ScriptedInteraction ui;
    Settings settings{m_dir.file("Sartovin.ini")};
    HostHandOver handOver{windows, processes, ui, m_texts, settings};
    std::vector<int> steps;
    Job job;
    JobState state;
};

}  // namespace

TEST(CorelTitles, Versions) {
    EXPECT_EQ(corelVersionOfTitle("CorelDRAW X5 - [Graphic1]"), CorelVersion::X5);
    EXPECT_EQ(corelVersionOfTitle("CorelDRAW X4 (CorelDRAW X3 file)"), CorelVersion::X4);
    EXPECT_EQ(corelVersionOfTitle("CorelDRAW X3"), CorelVersion::X3);
    EXPECT_EQ(corelVersionOfTitle("CorelDRAW 12"), CorelVersion::None);
    EXPECT_EQ(
        corelMacroPath(kCorelProgram, "/home/u/.wine"),
        "/home/u/.wine/dosdevices/c:/Program Files/Corel/CorelDRAW Graphics Suite X5/Draw/GMS/Sartovin.GMS");
    EXPECT_EQ(corelMacroPath("/opt/corel/programs/CorelDRW.exe", ""), "/opt/corel/Draw/GMS/Sartovin.GMS");
    EXPECT_EQ(corelMacroPath("/usr/bin/wine64-preloader", "/w"), "Draw/GMS/Sartovin.GMS");
}

TEST_F(HostHandOverTest, CorelWindows) {
    EXPECT_FALSE(handOver.corelHandOver(m_dir.file("qxjob.qxj"), job, state));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"No CorelDRAW"});
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);

    ui.messages.clear();
    windows.windows = {{"CorelDRAW X4 - [a]", 5}, {"CorelDRAW X5 - [b]", 6}};
    EXPECT_FALSE(handOver.corelHandOver(m_dir.file("qxjob.qxj"), job, state));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"Two CorelDRAW"});

    // Equal titles are one window; its macro file is missing.
    ui.messages.clear();
    windows.windows = {{"CorelDRAW X5 - [b]", 6}, {"CorelDRAW X5 - [b]", 7}};
    processes.executables[6] = "/usr/bin/wine64-preloader";
    processes.commandLines[6] = {kCorelProgram};
    EXPECT_FALSE(handOver.corelHandOver(m_dir.file("qxjob.qxj"), job, state));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Macro missing: " + macroFile());
    EXPECT_EQ(ui.messages[0].caption, "");
    EXPECT_TRUE(processes.started.empty());
}

TEST_F(HostHandOverTest, CorelMacroRun) {
    windows.windows = {{"CorelDRAW X5 - [b]", 6}};
    processes.commandLines[6] = {kCorelProgram};
    test::writeFile(macroFile(), "macro");
    const std::string jobFile = m_dir.file("qxjob.qxj");
    test::writeFile(jobFile, "an old job file");

    // Without a macro starter no job file can appear: the user learns what to set up, and where.
    EXPECT_FALSE(handOver.corelHandOver(jobFile, job, state));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "No macro starter; set CorelMacroStarter in " + settings.iniPath());
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(ui.messages[0].caption, "Sartovin");
    EXPECT_FALSE(fileExists(jobFile));
    EXPECT_TRUE(steps.empty());
    ui.messages.clear();

    handOver.m_corelMacroStarter = "/opt/sartovin/corel-macro";
    EXPECT_FALSE(handOver.corelHandOver(jobFile, job, state));
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_EQ(processes.started[0].program, "/opt/sartovin/corel-macro");
    EXPECT_EQ(processes.started[0].arguments, (std::vector<std::string>{"X5", "Datentransfer"}));
    EXPECT_EQ(ui.nowMs, 200);  // waited while the starter ran
}

TEST_F(HostHandOverTest, Illustrator) {
    const std::string example = std::string(SARTOVIN_SOURCE_DIR) + "/examples/stickers.qxj";
    EXPECT_FALSE(handOver.illustratorHandOver(example, job, state));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"No Illustrator"});

    // A window is there, but the plug-in has not said which Illustrator it is.
    ui.messages.clear();
    windows.windows = {{"C:\\Drawings\\sheet.ai @ 66% (CMYK/Preview) - Adobe Illustrator", 3}};
    EXPECT_FALSE(handOver.illustratorHandOver(example, job, state));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"No Illustrator"});

    // "Adobe Illustrator" only in the folder part of the title does not count; the process does.
    ui.messages.clear();
    settings.setAiVersion("12.0");
    windows.windows = {{"C:\\Adobe Illustrator\\notes.txt - Editor", 3}};
    EXPECT_FALSE(handOver.illustratorHandOver(example, job, state));
    processes.running = {{9, "wine64-preloader", "/usr/bin/wine64-preloader"}};
    processes.commandLines[9] = {
        "C:\\Program Files\\Adobe\\Adobe Illustrator CS2\\Support Files\\Contents\\Windows\\Illustrator.exe"};
    ui.messages.clear();
    ASSERT_TRUE(handOver.illustratorHandOver(example, job, state))
        << testing::PrintToString(ui.messageTexts());
    EXPECT_FALSE(job.layers.empty());
    EXPECT_EQ(steps, std::vector<int>{1});
    EXPECT_TRUE(fileExists(example));  // the plug-in's file is kept
}

// The plot command from the Cut button to the cutter: groups and the pause between them, the
// display tool that holds the port, the hobby edition's port message, the window's controls while
// it runs, and the connected cutter's settings block, the same from the command line.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <map>
#include <thread>

#include "app/CLayerTab.h"
#include "app/COptions.h"
#include "app/MainWindowTestSupport.h"
#include "plot/LaserDriver.h"
#include "support/RunProgram.h"
#include "support/SerialCutter.h"

namespace sartovin::test {
namespace {

class MainCutCommandTest : public ::testing::Test {
protected:
    void SetUp() override { testApplication(); }

    // A standard-edition window over the sticker sheet (three layers) whose plotter sends to the
    // queue "Cutter".
    CTarnelWinCDlg& openWithPrinter(MainWindowHarness& h) {
        h.spooler.add("Cutter");
        h.setting("State", "Plotter", "Jaguar IV 61");
        h.setting("Jaguar IV 61", "PortType", "3");
        h.setting("Jaguar IV 61", "Port", "Cutter");
        return h.open();
    }

    // Individual parameters, the pause between layers and the weeding frame, as the user ticks them.
    void perLayerWithFrameAndPause(CTarnelWinCDlg& w) {
        w.optionsPage()->gridBox()->click();
        w.layerPage()->individualBox()->click();
        w.layerPage()->findChild<QCheckBox*>("pause")->click();
    }

    static std::string readSettingPort(const MainWindowHarness& h) {
        return h.readSetting("Laser C180", "Port");
    }

    static int count(const std::vector<std::string>& texts, const std::string& text) {
        return static_cast<int>(std::count(texts.begin(), texts.end(), text));
    }
};

TEST_F(MainCutCommandTest, ThreeLayersAndTheFrameAreFourGroupsAndCancelAtTheFirstPauseSendsOne) {
    MainWindowHarness h("SartovinAI", 2000, SARTOVIN_SOURCE_DIR "/examples/stickers.qxj");
    CTarnelWinCDlg& w = openWithPrinter(h);
    ASSERT_TRUE(h.setUpResult);
    ASSERT_EQ(w.model().job().layers.size(), 3u);
    perLayerWithFrameAndPause(w);
    h.ui.answers = {MessageAnswer::Cancel};
    w.cutButton()->click();
    EXPECT_EQ(h.spooler.queues["Cutter"].documents.size(), 1u);
    EXPECT_EQ(count(h.ui.messageTexts(), h.texts.text(TextId::NextGroupReady)), 1);
}

TEST_F(MainCutCommandTest, GoingOnAtEveryPauseSendsTheLayersAndThenTheFrame) {
    MainWindowHarness h("SartovinAI", 2000, SARTOVIN_SOURCE_DIR "/examples/stickers.qxj");
    CTarnelWinCDlg& w = openWithPrinter(h);
    ASSERT_TRUE(h.setUpResult);
    perLayerWithFrameAndPause(w);
    h.ui.answers = {MessageAnswer::Ok, MessageAnswer::Ok, MessageAnswer::Ok};
    w.cutButton()->click();
    const auto& docs = h.spooler.queues["Cutter"].documents;
    ASSERT_EQ(docs.size(), 4u);
    EXPECT_EQ(count(h.ui.messageTexts(), h.texts.text(TextId::NextGroupReady)), 3)
        << "asked before every group but the first";
    for (const std::string& d : docs) EXPECT_EQ(d.back(), '\0');
}

TEST_F(MainCutCommandTest, TheRunningDisplayToolHoldsThePortAndNothingIsSent) {
    MainWindowHarness h;
    h.windows.windows = {{"Editor", 1, 11}, {"VLCD - GCC", 2, 22}};
    CTarnelWinCDlg& w = openWithPrinter(h);
    ASSERT_TRUE(h.setUpResult);
    h.windows.activated.clear();
    w.cutButton()->click();
    ASSERT_FALSE(h.ui.messages.empty());
    EXPECT_EQ(h.ui.messages.back().text, "Please stop the VLCD application first.");
    EXPECT_EQ(h.ui.messages.back().icon, MessageIcon::Exclamation);
    EXPECT_TRUE(h.spooler.queues["Cutter"].documents.empty());
    EXPECT_EQ(h.windows.activated, std::vector<std::string>{"VLCD - GCC"}) << "its window comes to the front";

    // A title with "VLCD" further on does not block.
    h.windows.windows = {{"Notes about VLCD", 3}};
    w.cutButton()->click();
    EXPECT_EQ(h.spooler.queues["Cutter"].documents.size(), 1u);
}

TEST_F(MainCutCommandTest, ATestCutWithoutAPortConfiguresThePortFirst) {
    MainWindowHarness h("SartovinAI", 1000);  // German, the product's first language
    h.spooler.add("Cutter");                  // the only connection: stored without asking
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    h.ui.messages.clear();
    w.optionsPage()->findChild<QCheckBox*>("testCutMode")->click();
    ASSERT_TRUE(w.optionsPage()->testCutButton()->isEnabled());
    w.optionsPage()->testCutButton()->click();
    EXPECT_EQ(h.readSetting(w.model().currentPlotter()->name, "PortType"), "3");
    const auto& docs = h.spooler.queues["Cutter"].documents;
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(docs[0].rfind("IN;", 0), 0u);
    EXPECT_EQ(docs[0].back(), '\0');
    EXPECT_EQ(count(h.ui.messageTexts(), h.texts.text(TextId::NoPortSelected)), 0);
}

TEST_F(MainCutCommandTest, HobbyEditionWithoutAUsbCutterCancelsWithItsOwnMessage) {
    MainWindowHarness h("SartovinAIHP", 2000);
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    w.cutButton()->click();
    ASSERT_FALSE(h.ui.messages.empty());
    EXPECT_EQ(h.ui.messages.back().text, h.texts.text(TextId::NoUsbPort));
    EXPECT_FALSE(w.busy());
}

// Every control the run greys out, with the state it has now.
std::vector<bool> controlStates(CTarnelWinCDlg& w) {
    std::vector<bool> states;
    for (QWidget* c : std::initializer_list<QWidget*>{w.cutButton(), w.tabs(), w.plotterList(), w.mediaList(),
                                                      w.configurationButton(), w.newMediumButton(),
                                                      w.deleteMediumButton(), w.languageButton()})
        states.push_back(c->isEnabled());
    return states;
}

TEST_F(MainCutCommandTest, TheControlsComeBackAfterAFailedAndAfterACancelledRun) {
    MainWindowHarness h("SartovinAI", 2000, SARTOVIN_SOURCE_DIR "/examples/stickers.qxj");
    CTarnelWinCDlg& w = openWithPrinter(h);
    ASSERT_TRUE(h.setUpResult);
    const std::vector<bool> before = controlStates(w);
    std::vector<bool> during;
    bool busyDuring = false;
    h.ui.onPump = [&] {
        if (!w.busy()) return;
        busyDuring = true;
        during = controlStates(w);
    };

    // The queue refuses the job: 365, then 320, and the run ends.
    h.spooler.queues["Cutter"].startFails = true;
    w.cutButton()->click();
    EXPECT_TRUE(busyDuring);
    EXPECT_EQ(during, std::vector<bool>(before.size(), false));
    EXPECT_EQ(h.ui.messageTexts().back(),
              h.texts.text(TextId::CommunicationError) + "\n" + h.texts.format(TextId::PrintQueueNamed, {"Cutter"}));
    EXPECT_FALSE(w.busy());
    EXPECT_EQ(controlStates(w), before);

    // Cancel at the first pause between layers.
    h.spooler.queues["Cutter"].startFails = false;
    perLayerWithFrameAndPause(w);
    busyDuring = false;
    h.ui.answers = {MessageAnswer::Cancel};
    w.cutButton()->click();
    EXPECT_TRUE(busyDuring);
    EXPECT_EQ(h.spooler.queues["Cutter"].documents.size(), 1u);
    EXPECT_FALSE(w.busy());
    EXPECT_EQ(controlStates(w), before);

    // A control that was off before the run stays off after it.
    w.deleteMediumButton()->setEnabled(false);
    w.cutButton()->click();
    EXPECT_FALSE(w.deleteMediumButton()->isEnabled());
    EXPECT_TRUE(w.cutButton()->isEnabled());
    h.ui.onPump = nullptr;
}

TEST_F(MainCutCommandTest, APortThatDoesNotOpenIsNamedInTheUsersLanguage) {
    for (int language : {2000, 1000}) {
        MainWindowHarness h("SartovinAI", language);
        // A serial adapter that was unplugged, then a queue that was deleted.
        const std::string tty = h.m_dir.file("ttyUSB0");
        h.setting("State", "Plotter", "Jaguar IV 61");
        h.setting("Jaguar IV 61", "PortType", "1");
        h.setting("Jaguar IV 61", "Port", tty);
        CTarnelWinCDlg& w = h.open();
        ASSERT_TRUE(h.setUpResult);
        const std::string cannotOpen = h.texts.text(TextId::CannotOpenPort);
        w.cutButton()->click();
        ASSERT_FALSE(h.ui.messages.empty());
        EXPECT_EQ(h.ui.messageTexts().back().rfind(
                      cannotOpen + "\n" + h.texts.format(TextId::DeviceNamed, {tty}) + "\n", 0),
                  0u)
            << h.ui.messageTexts().back();

        w.model().plotters().current()->portType = kPortPrinter;
        w.model().plotters().current()->port = "Cutter";
        w.cutButton()->click();
        EXPECT_EQ(h.ui.messageTexts().back(),
                  cannotOpen + "\n" + h.texts.format(TextId::PrintQueueNamed, {"Cutter"}));
        if (language == 1000) {
            EXPECT_EQ(h.ui.messageTexts().back(), "Kann den Anschluss nicht öffnen !\nDruckwarteschlange: Cutter");
        }
    }
}

// The Sable asks for its settings block before the job: the window learns the model from the
// cutter's answer at start-up, and `sartovin plot` must do the same.
TEST_F(MainCutCommandTest, ASableGetsTheSameSettingsBlockFromTheCommandLineAsFromCut) {
    MainWindowHarness h;
    const std::map<std::string, std::string> answers{{"\x1b.R4:", "OR4,GCC,Sable 60,1.16;"},
                                                     {"\x1b.R1:", "OR1,3,120,250,20,1,0,1;"},
                                                     {"OH;", "0,0,40000,24000"}};
    test::SerialCutter windowsSable;
    windowsSable.answers = answers;
    h.ui.onPump = [&] { windowsSable.poll(); };
    h.setting("State", "Plotter", "Sable 60");
    h.setting("Sable 60", "PortType", "1");
    h.setting("Sable 60", "Port", windowsSable.path());
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    EXPECT_EQ(w.model().plotParameters().modelDescription, "Sable 60");
    w.cutButton()->click();
    for (int i = 0; i < 100 && windowsSable.receivedAfterAnswers().size() < w.plotStream().size(); ++i)
        windowsSable.poll();
    h.ui.onPump = nullptr;
    const std::string fromWindow = windowsSable.receivedAfterAnswers();
    const std::string block = settingsBlock(fromWindow);
    ASSERT_FALSE(block.empty()) << fromWindow.substr(0, 80);
    EXPECT_EQ(block.rfind("\x1b.C1;16;2:\x1b.C1;22;", 0), 0u);

    // The real program, on the same settings and drawing, with the cutter on a line of its own.
    test::SerialCutter commandLinesSable;
    commandLinesSable.answers = answers;
    commandLinesSable.startAnswering();
    h.setting("Sable 60", "Port", commandLinesSable.path());
    const std::vector<std::pair<std::string, std::string>> env{{"XDG_CONFIG_HOME", h.m_dir.file("config")},
                                                               {"XDG_DATA_DIRS", h.m_dir.file("share")},
                                                               {"TMPDIR", h.m_dir.file("temp")},
                                                               {"LC_ALL", ""},
                                                               {"DISPLAY", ""}};
    const std::string drawing = SARTOVIN_SOURCE_DIR "/examples/lettering.qxj";
    ProgramResult r = runProgram({SARTOVIN_CLI, "plot", "--quiet", "--start-mode", "2", drawing}, env);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string fromCommandLine = commandLinesSable.receivedAfterAnswers();
    for (int i = 0; i < 100 && fromCommandLine.size() < fromWindow.size(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        fromCommandLine = commandLinesSable.receivedAfterAnswers();
    }
    EXPECT_EQ(commandLinesSable.received().substr(0, 5), "\x1b.R4:") << "the cutter was asked first";
    EXPECT_EQ(settingsBlock(fromCommandLine), block);
    EXPECT_EQ(fromCommandLine, fromWindow) << "the whole job is the same";

    // Offline, the model named by hand gives the same bytes, and no cutter is asked.
    const std::string file = h.m_dir.file("sable.plt");
    r = runProgram({SARTOVIN_CLI, "plot", "--quiet", "--start-mode", "2", "--model", "Sable 60", "--output",
                    file, drawing},
                   env);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readFile(file), fromCommandLine);
    EXPECT_EQ(commandLinesSable.received().size(), 5 + 5 + 3 + fromCommandLine.size())
        << "three questions and the job, nothing since";
    commandLinesSable.stop();
}

// A first laser job: the engraver's queue "C180" is found and stored at once, the engraver settings come
// up after their announcement, and the job goes to the queue at the resolution chosen there.
TEST_F(MainCutCommandTest, TheFirstLaserJobAsksForTheEngraverSettingsAndEngraves) {
    for (int language : {2000, 1000}) {
        SCOPED_TRACE(language);
        MainWindowHarness h("SartovinLCAI", language, SARTOVIN_SOURCE_DIR "/examples/nameplate.qxj");
        h.spooler.add("Office");
        h.spooler.add("C180");
        CTarnelWinCDlg& w = h.open();
        ASSERT_TRUE(h.setUpResult);
        const std::string definition = w.model().laserDefinitionFile();
        EXPECT_EQ(definition, h.app.userDataRoot + "Sartovin/C18.def");
        QString title;
        int shown = 0;
        MainWindowHarness::onNextModal([&](QWidget* modal) {
            ++shown;
            title = modal->windowTitle();
            auto* list = modal->findChild<QComboBox*>("resolution");
            if (!list) {
                ADD_FAILURE() << "another window came first: " << title.toStdString();
                modal->close();
                return;
            }
            list->setCurrentIndex(list->findData(250));
            modal->findChild<QPushButton*>("okButton")->click();
        });
        w.cutButton()->click();
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(title.toStdString(), h.texts.text(TextId::EngraverSettingsTitle));
        EXPECT_EQ(title.toStdString(),
                  language == 1000 ? "Einstellungen des Lasergravierers" : "Engraver settings");
        const auto texts = h.ui.messageTexts();
        EXPECT_EQ(count(texts, h.texts.text(TextId::LaserDriverSettingsOpen)), 1);
        EXPECT_EQ(readSettingPort(h), "C180");
        const auto& docs = h.spooler.queues["C180"].documents;
        ASSERT_EQ(docs.size(), 1u);
        EXPECT_EQ(docs[0].rfind("\x1b%-12345X", 0), 0u);
        EXPECT_NE(docs[0].find("\x1b*t250R"), std::string::npos);
        EXPECT_TRUE(h.spooler.queues["Office"].documents.empty());

        // The options page's Details button opens the same settings; Cancel keeps the file.
        ASSERT_NE(w.optionsPage()->detailsButton(), nullptr);
        MainWindowHarness::onNextModal(
            [](QWidget* modal) { modal->findChild<QPushButton*>("cancelButton")->click(); });
        w.optionsPage()->detailsButton()->click();
        LaserDefinition d;
        ASSERT_EQ(checkLaserDriver(definition, d), LaserDriverStatus::Ok);
        EXPECT_EQ(d.resolution, 250);
    }
}

}  // namespace
}  // namespace sartovin::test

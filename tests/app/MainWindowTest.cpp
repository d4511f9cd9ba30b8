// The main window driven as a user drives it: choosing a plotter and a medium, typing into the
// options, ticking layers, cutting, and the keys that must not close the window.

#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

#include <QEventLoop>
#include <algorithm>

#include "app/CLayerTab.h"
#include "app/COptions.h"
#include "app/CStatus.h"
#include "app/MainWindowTestSupport.h"
#include "platform/Files.h"
#include "widgets/SpinEdit.h"

namespace sartovin::test {

namespace {

// Types `text` into a spin box or line edit as keystrokes, replacing what it shows.
void typeInto(QWidget* w, const QString& text) {
    QLineEdit* line = qobject_cast<QLineEdit*>(w);
    if (!line) line = w->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    line->selectAll();
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(line, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(line, &release);
    }
}

// The user leaves the field (Tab to the next control).
void leave(QWidget* w) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &out);
}

int entryOfLayer(const LayerSelectionModel& layers, const std::string& name) {
    for (std::size_t i = 0; i < layers.entries().size(); ++i)
        if (layers.entries()[i].kind == LayerEntry::Kind::Layer && layers.entries()[i].name == name)
            return static_cast<int>(i);
    return -1;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { testApplication(); }
};

TEST_F(MainWindowTest, SetUpShowsEveryControlWithItsTextsAndAsksOnceForACutter) {
    MainWindowHarness h;
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    EXPECT_FALSE(w.closing());
    EXPECT_EQ(w.cutButton()->text(), "Cut");
    EXPECT_EQ(w.cutButton()->toolTip(), "Send job to cutter.");
    EXPECT_EQ(w.configurationButton()->toolTip(), "Opens a window for the port configuration.");
    EXPECT_EQ(w.newMediumButton()->toolTip(), "Create a new medium.");
    EXPECT_EQ(w.deleteMediumButton()->toolTip(), "Delete the current medium.");
    EXPECT_EQ(w.infoButton()->toolTip(), "About Sartovin.");
    ASSERT_EQ(w.tabs()->count(), 4);
    EXPECT_EQ(w.tabs()->tabText(0), "General");
    EXPECT_EQ(w.tabs()->tabText(1), "Options");
    EXPECT_EQ(w.tabs()->tabText(2), "Layer");
    EXPECT_EQ(w.tabs()->tabText(3), "Cutter");
    EXPECT_GT(w.plotterList()->count(), 3);
    EXPECT_GT(w.mediaList()->count(), 0);
    EXPECT_TRUE(w.model().pagesOpen());
    EXPECT_FALSE(w.statusWindow()->isVisible()) << "the start-up progress is hidden once the job is read";

    // The standard edition asks for a cutter once, 2 s after the window opened.
    EXPECT_TRUE(h.ui.messages.empty());
    for (int i = 0; i < 30 && h.ui.messages.empty(); ++i) {
        QEventLoop loop;
        QTimer::singleShot(100, &loop, &QEventLoop::quit);
        loop.exec();
    }
    ASSERT_EQ(h.ui.messageTexts(), std::vector<std::string>{"Please choose a cutter !"});
    EXPECT_EQ(h.ui.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(h.ui.messages[0].caption, "Sartovin");
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(h.ui.messages.size(), 1u) << "the timer is one-shot";
}

// The about box speaks the user's language and names the version that runs.
TEST_F(MainWindowTest, TheAboutBoxSpeaksTheUsersLanguage) {
    for (const auto& [language, expected] : std::vector<std::pair<int, std::string>>{
             {1000, "Sartovin\nVersion " SARTOVIN_VERSION "\n\nFür Schneideplotter"},
             {2000, "Sartovin\nVersion " SARTOVIN_VERSION "\n\nFor cutting plotters"},
             {3000, "Sartovin\nVersion " SARTOVIN_VERSION "\n\nPour traceurs de découpe"}}) {
        MainWindowHarness h("SartovinAI", language);
        CTarnelWinCDlg& w = h.open();
        ASSERT_TRUE(h.setUpResult);
        h.ui.messages.clear();
        w.infoButton()->click();
        ASSERT_EQ(h.ui.messages.size(), 1u);
        EXPECT_EQ(h.ui.messages[0].text.rfind(expected, 0), 0u) << h.ui.messages[0].text;
        EXPECT_EQ(h.ui.messages[0].icon, MessageIcon::Information);
    }
}

TEST_F(MainWindowTest, ChoosingAPlotterStoresItAndBringsItsMediaAndLimits) {
    MainWindowHarness h;
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    int jaguar = w.plotterList()->findText("Jaguar IV 61");
    ASSERT_GE(jaguar, 0);
    w.plotterList()->setCurrentIndex(jaguar);
    emit w.plotterList()->activated(jaguar);
    EXPECT_EQ(h.readSetting("State", "Plotter"), "Jaguar IV 61");
    EXPECT_EQ(w.model().currentPlotter()->name, "Jaguar IV 61");
    EXPECT_EQ(w.model().options().range(OptionField::Force).max, 500);

    // Another medium: its name is remembered for this plotter and its values reach the options.
    ASSERT_GT(w.mediaList()->count(), 2);
    w.mediaList()->setCurrentIndex(2);
    emit w.mediaList()->activated(2);
    EXPECT_EQ(h.readSetting("Jaguar IV 61", "Medium"), w.model().media().media()[2].name);
    SpinEdit* force = w.optionsPage()->edit(OptionField::Force);
    EXPECT_EQ(force->value(), w.model().media().media()[2].cutForce);
}

TEST_F(MainWindowTest, AnOutOfRangeOptionIsCorrectedWhenTheFieldIsLeftAndAfterEachSpinStep) {
    MainWindowHarness h;
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    w.tabs()->setCurrentIndex(1);
    COptions* options = w.optionsPage();
    options->gridBox()->click();
    EXPECT_EQ(h.readSetting("State", "Grid"), "1");
    SpinEdit* distance = options->edit(OptionField::GridDistance);
    ASSERT_TRUE(distance->isEnabled()) << "the frame switch enables its distance";

    typeInto(distance, "150");
    leave(distance);
    EXPECT_EQ(distance->value(), 100);
    EXPECT_EQ(distance->findChild<QLineEdit*>()->text(), "100");
    EXPECT_EQ(h.readSetting("State", "GridDistance"), "100");
    EXPECT_EQ(w.model().options().gridDistance(), 100);

    // A spin step up at the limit stays at the limit; down steps by one.
    distance->stepBy(1);
    EXPECT_EQ(distance->value(), 100);
    distance->stepBy(-1);
    EXPECT_EQ(distance->value(), 99);
    EXPECT_EQ(h.readSetting("State", "GridDistance"), "99");

    // Speed below the plotter's minimum; the standard edition's speed steps by 3.
    SpinEdit* speed = options->edit(OptionField::Speed);
    int minSpeed = w.model().options().range(OptionField::Speed).min;
    typeInto(speed, "-7");
    leave(speed);
    EXPECT_EQ(speed->value(), minSpeed);
    EXPECT_EQ(h.readSetting("State", "Speed"), std::to_string(minSpeed));
    speed->stepBy(1);
    EXPECT_EQ(speed->value(), minSpeed + 3);
}

TEST_F(MainWindowTest, TickingLayersDecidesWhatIsCutInOwnPasses) {
    MainWindowHarness h("SartovinAI", 2000, SARTOVIN_SOURCE_DIR "/examples/stickers.qxj");
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    w.tabs()->setCurrentIndex(2);
    CLayerTab* page = w.layerPage();
    LayerSelectionModel& layers = w.model().layers();
    ASSERT_GE(layers.entries().size(), 3u) << "a root and the sticker layers";

    page->individualBox()->click();
    EXPECT_TRUE(layers.individualParameters());
    const std::string second = layers.entries()[2].name;
    int entry = entryOfLayer(layers, second);
    ASSERT_GE(entry, 0);
    QTreeWidgetItem* item = page->itemOf(entry);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->checkState(0), Qt::Checked);
    item->setCheckState(0, Qt::Unchecked);

    int skipped = 0, cut = 0;
    for (const CutGroup& g : layers.cutGroups()) {
        if (g.groupIndex < 0) continue;
        (g.skipped ? skipped : cut) += 1;
        if (w.model().job().layers[static_cast<std::size_t>(g.groupIndex)].name == second) {
            EXPECT_TRUE(g.skipped);
        }
    }
    EXPECT_EQ(skipped, 1);
    EXPECT_GE(cut, 1);
    // The tree shows the state after the model rebuilt it.
    ASSERT_NE(page->itemOf(entryOfLayer(layers, second)), nullptr);
    EXPECT_EQ(page->itemOf(entryOfLayer(layers, second))->checkState(0), Qt::Unchecked);
}

TEST_F(MainWindowTest, CuttingWithoutAPortOpensTheConfigurationAndCancellingItCancelsTheJob) {
    MainWindowHarness h;
    // Two printers: the configuration waits for the user, who cancels.
    h.spooler.add("Office");
    h.spooler.add("Cutter");
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    bool configurationShown = false;
    MainWindowHarness::onNextModal([&](QWidget* modal) {
        configurationShown = modal->objectName() == "CPlotterConfig";
        QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
    });
    w.cutButton()->click();
    EXPECT_TRUE(configurationShown);
    ASSERT_FALSE(h.ui.messages.empty());
    const auto& last = h.ui.messages.back();
    EXPECT_EQ(last.text, "You have to select a port for this cutter !\r\nThe Job will be canceled.");
    EXPECT_EQ(last.icon, MessageIcon::Exclamation);
    EXPECT_TRUE(h.spooler.queues["Cutter"].documents.empty());
    EXPECT_FALSE(w.busy());
    EXPECT_TRUE(w.cutButton()->isEnabled());
    EXPECT_EQ(h.readSetting(w.model().currentPlotter()->name, "PortType"), "");
}

TEST_F(MainWindowTest, CutSendsTheJobToThePrinterOfThePlotter) {
    MainWindowHarness h;
    h.spooler.add("Cutter");
    h.setting("State", "Plotter", "Jaguar IV 61");
    h.setting("Jaguar IV 61", "PortType", "3");
    h.setting("Jaguar IV 61", "Port", "Cutter");
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    w.cutButton()->click();
    const auto& docs = h.spooler.queues["Cutter"].documents;
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_GT(docs[0].size(), 100u);
    EXPECT_EQ(docs[0].back(), '\0') << "a standard-edition stream goes out with its terminating zero";
    EXPECT_EQ(w.plotStream().size() + 1, docs[0].size());
    EXPECT_FALSE(w.statusWindow()->isVisible());
}

TEST_F(MainWindowTest, TheStatusWindowsCancelButtonStopsARunningJob) {
    MainWindowHarness h;
    h.spooler.add("Cutter");
    h.setting("State", "Plotter", "Jaguar IV 61");
    h.setting("Jaguar IV 61", "PortType", "3");
    h.setting("Jaguar IV 61", "Port", "Cutter");
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    CStatus* status = w.statusWindow();
    bool pressed = false;
    bool barShown = false;
    h.ui.onPump = [&] {
        // While the job is generated the user sees the status window and presses Abbrechen.
        if (!pressed && status->isVisible() && w.busy()) {
            barShown = status->progressBar()->isVisible();
            status->cancelButton()->click();
            pressed = true;
        }
    };
    h.ui.answers.push_back(MessageAnswer::Yes);  // "Do you want to cancel the curent job ?"
    w.cutButton()->click();
    h.ui.onPump = nullptr;
    EXPECT_TRUE(pressed);
    EXPECT_TRUE(barShown);
    std::vector<std::string> texts = h.ui.messageTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Do you want to cancel the curent job ?"), texts.end());
    EXPECT_TRUE(h.spooler.queues["Cutter"].documents.empty()) << "a cancelled group is not sent";
    EXPECT_FALSE(w.busy());
    EXPECT_FALSE(status->isVisible());
}

TEST_F(MainWindowTest, EscapeAndEnterNeverCloseTheWindow) {
    MainWindowHarness h;
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&w, &press);
    }
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.result(), 0);
    EXPECT_TRUE(h.spooler.queues.empty());
    // Enter in an edit takes its value there.
    w.tabs()->setCurrentIndex(1);
    SpinEdit* repeat = w.optionsPage()->edit(OptionField::RepeatCount);
    typeInto(repeat, "99");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(repeat, &enter);
    EXPECT_EQ(repeat->value(), 20);
    EXPECT_EQ(h.readSetting("State", "RepeatCount"), "20");
    EXPECT_TRUE(w.isVisible());
}

TEST_F(MainWindowTest, NewAndDeleteMediumChangeTheUsersCatalog) {
    MainWindowHarness h;
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    int before = w.mediaList()->count();
    h.ui.textAnswers.push_back(std::string("Testfolie"));
    w.newMediumButton()->click();
    ASSERT_EQ(w.mediaList()->count(), before + 1);
    EXPECT_EQ(w.mediaList()->currentText(), "Testfolie");
    EXPECT_NE(readFile(h.app.mediaCatalogPath).find("\"Testfolie\""), std::string::npos);

    h.ui.answers.push_back(MessageAnswer::Yes);
    w.deleteMediumButton()->click();
    EXPECT_EQ(w.mediaList()->count(), before);
    EXPECT_EQ(readFile(h.app.mediaCatalogPath).find("Testfolie"), std::string::npos);
    EXPECT_EQ(h.ui.messages.back().text, "Do you want delete this medium ?");
}

TEST_F(MainWindowTest, TheSecondSaveAsksItsOwnQuestionAndIsOffWithThePlottersSettings) {
    MainWindowHarness h;
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    COptions* options = w.optionsPage();
    ASSERT_NE(options->secondSaveButton(), nullptr);
    int speed = w.model().options().range(OptionField::Speed).min + 1;
    w.model().options().setInt(OptionField::Speed, speed);
    std::string before = readFile(h.app.mediaCatalogPath);
    h.ui.answers.push_back(MessageAnswer::No);
    options->secondSaveButton()->click();
    EXPECT_EQ(h.ui.messages.back().text,
              "Do you want to save the current cutting parameters for this medium ?");
    EXPECT_EQ(readFile(h.app.mediaCatalogPath), before);
    h.ui.answers.push_back(MessageAnswer::Yes);
    options->secondSaveButton()->click();
    EXPECT_NE(readFile(h.app.mediaCatalogPath), before);
    EXPECT_EQ(w.model().media().current()->cutSpeed, speed);

    w.model().options().setUsePlotterSettings(true);
    options->refresh();
    EXPECT_FALSE(options->secondSaveButton()->isEnabled());
}

TEST_F(MainWindowTest, AJobFileThatCannotBeReadClosesTheWindow) {
    MainWindowHarness h("SartovinAI", 2000, "/nonexistent/job.qxj");
    h.open();
    EXPECT_FALSE(h.setUpResult);
    EXPECT_TRUE(h.window->closing());
}

TEST_F(MainWindowTest, AMissingPlotterCatalogIsReportedAndClosesTheWindow) {
    MainWindowHarness h;
    removeFile(h.app.plotterCatalogPath);
    h.app.plotterCatalogPath = h.m_dir.file("missing/Plotter.csv");
    h.open();
    EXPECT_FALSE(h.setUpResult);
    ASSERT_FALSE(h.ui.messages.empty());
    EXPECT_EQ(h.ui.messages[0].text, "Can not open config file !");
    EXPECT_EQ(h.ui.messages[0].icon, MessageIcon::Error);
}

}  // namespace
}  // namespace sartovin::test

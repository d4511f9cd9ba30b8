// The cutter page and the small commands of the main window: language, about box.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "app/CAdvanced.h"
#include "app/MainWindowTestSupport.h"
#include "widgets/SpinEdit.h"

namespace sartovin::test {
namespace {

void typeAndLeave(QWidget* w, const QString& text) {
    QLineEdit* line = w->findChild<QLineEdit*>();
    line->selectAll();
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(line, &press);
    }
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &out);
}

class MainCutterPageTest : public ::testing::Test {
protected:
    void SetUp() override { testApplication(); }
};

TEST_F(MainCutterPageTest, ShowsWhatTheCutterReportedAndSnapsThePressureToItsLevels) {
    MainWindowHarness h;
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    PlotterRecord* puma = w.model().plotters().current();
    ASSERT_EQ(puma->maxCutForce, 400);
    puma->identificationReply = "OR4,Puma III 60,1.16,0;";
    puma->firmware = "1.16";
    puma->deviceSettings = {30, 120, 250, 30, 0, 1, 0};
    w.tabs()->setCurrentIndex(3);
    CAdvanced* page = w.cutterPage();
    EXPECT_EQ(page->modelField()->text(), "Puma III 60");
    EXPECT_EQ(page->firmwareField()->text(), "1.16");
    EXPECT_EQ(page->offsetList()->currentText(), "0.250");
    SpinEdit* pressure = page->pressureEdit();
    EXPECT_EQ(pressure->value(), 120);
    typeAndLeave(pressure, "201");
    EXPECT_EQ(pressure->value(), 200);
    pressure->stepBy(1);
    EXPECT_EQ(pressure->value(), 202);
    EXPECT_NE(buildSettingsCommands(page->choice()).find("\x1b.C1;22;128:"), std::string::npos);
}

TEST_F(MainCutterPageTest, WithoutAReportedModelTheSettingsAreHidden) {
    MainWindowHarness h;
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    w.tabs()->setCurrentIndex(3);
    EXPECT_TRUE(w.cutterPage()->modelField()->text().isEmpty());
    EXPECT_FALSE(w.cutterPage()->pressureEdit()->isVisible());
}

TEST_F(MainCutterPageTest, TheLanguageButtonStoresAChoiceAndSaysWhenItTakesEffect) {
    MainWindowHarness h;
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    h.ui.listAnswers = {0};
    w.languageButton()->click();
    ASSERT_EQ(h.ui.listQuestions.size(), 1u);
    EXPECT_EQ(h.ui.listQuestions[0].items, (std::vector<std::string>{"Deutsch", "English", "France"}));
    EXPECT_EQ(h.readSetting("State", "Language"), "1000");
    EXPECT_EQ(h.readSetting("State", "LanguageChoice"), "-3");
    EXPECT_EQ(h.texts.languageId(), 1000);
    ASSERT_FALSE(h.ui.messages.empty());
    EXPECT_EQ(h.ui.messages.back().icon, MessageIcon::Information);
    // Captions already shown keep their language until the next start.
    EXPECT_EQ(w.cutButton()->text(), "Cut");
}

TEST_F(MainCutterPageTest, InfoShowsTheAboutBox) {
    MainWindowHarness h;
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    w.infoButton()->click();
    ASSERT_FALSE(h.ui.messages.empty());
    EXPECT_EQ(h.ui.messages.back().caption, "Sartovin");
    EXPECT_EQ(h.ui.messages.back().icon, MessageIcon::Information);
    EXPECT_NE(h.ui.messages.back().text.find("Version"), std::string::npos);
}

}  // namespace
}  // namespace sartovin::test

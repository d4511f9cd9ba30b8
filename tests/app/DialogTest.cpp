// The small dialogs as a user meets them: the port configuration, the marks settings, the
// Inkscape hint, the status window and the program's message boxes and list question.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "app/CInkscapeStart.h"
#include "app/CLanguageChoice.h"
#include "app/CMarksSettingsDlg.h"
#include "app/CPlotterConfig.h"
#include "app/CStatus.h"
#include "app/DrawingChooser.h"
#include "app/MainWindowTestSupport.h"
#include "app/QtInteraction.h"
#include "base/Settings.h"

namespace sartovin::test {
namespace {

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        testApplication();
        writeFile(m_dir.file("Sartovin.ini"), "[State]\n");
        m_record.name = "Puma III 60";
    }
    Settings settings() const { return Settings(m_dir.file("Sartovin.ini")); }
    Texts texts() const { return Texts(SARTOVIN_DATA_DIR "/", 2000); }

    TempDir m_dir;
    ScriptedInteraction m_ui;
    PlotterRecord m_record;
};

TEST_F(DialogTest, PortConfigurationStoresTheChosenComPortWithItsHint) {
    Texts t = texts();
    PortSources sources;
    sources.comPorts = {"/dev/ttyS0", "/dev/ttyUSB0"};
    sources.printers = {"Office"};
    PlotterPortList list(1, m_record.port, m_record.usbGccName, sources);
    Settings s = settings();
    CPlotterConfig dialog(list, t, [&](int index) {
        storePortChoice(list.choiceFor(index), m_record.name, m_record, s, t, m_ui);
    });
    EXPECT_EQ(dialog.windowTitle(), "Cutter Configuration");
    ASSERT_EQ(dialog.list()->count(), 3);
    int queried = 0;
    MainWindowHarness::onNextModal([&](QWidget* modal) {
        auto* list = modal->findChild<QComboBox*>("portList");
        list->setCurrentIndex(1);
        modal->findChild<QPushButton*>("okButton")->click();
        ++queried;
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(queried, 1);
    EXPECT_EQ(m_record.portType, kPortSerial);
    EXPECT_EQ(m_record.port, "/dev/ttyUSB0");
    EXPECT_EQ(settings().readString("Puma III 60", "PortType"), "1");
    EXPECT_EQ(settings().readString("Puma III 60", "Port"), "/dev/ttyUSB0");
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_EQ(m_ui.messages[0].text, t.text(TextId::SerialPortPrinterHint));
}

TEST_F(DialogTest, PortConfigurationCancelStoresNothing) {
    Texts t = texts();
    PortSources two;
    two.printers = {"Cutter", "Office"};
    PlotterPortList list(1, m_record.port, m_record.usbGccName, two);
    int stored = 0;
    CPlotterConfig dialog(list, t, [&](int) { ++stored; });
    MainWindowHarness::onNextModal(
        [](QWidget* modal) { modal->findChild<QPushButton*>("cancelButton")->click(); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(stored, 0);
    EXPECT_EQ(m_record.portType, kPortNone);
    EXPECT_EQ(settings().readString("Puma III 60", "PortType"), "");
}

TEST_F(DialogTest, AProgramStartedWithoutADrawingAsksForOneOnlyWhereNoHostWritesIt) {
    CTarnelWinCApp app;
    app.startMode = 5;  // the desktop entry's program
    EXPECT_TRUE(needsDrawingChoice(app));
    app.startMode = 2;  // the plug-in writes the job file
    EXPECT_FALSE(needsDrawingChoice(app));
    app.startMode = 6;  // the marks variant reads no drawing
    EXPECT_FALSE(needsDrawingChoice(app));
    app.startMode = 12;
    app.inputFileName = "/tmp/given.svg";
    EXPECT_FALSE(needsDrawingChoice(app));

    app.inputFileName.clear();
    const std::string drawing = m_dir.file("sign.svg");
    writeFile(drawing, "<svg xmlns='http://www.w3.org/2000/svg'/>");
    Texts t = texts();
    QString title;
    MainWindowHarness::onNextModal([&](QWidget* modal) {
        auto* chooser = qobject_cast<QFileDialog*>(modal);
        if (!chooser) {
            QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);  // fails below, never hangs
            return;
        }
        title = chooser->windowTitle();
        // The name typed into the dialog, as a user would; a dialog that does not take it is
        // closed after a while, so the test fails instead of waiting.
        if (auto* edit = chooser->findChild<QLineEdit*>("fileNameEdit"))
            edit->setText(QString::fromStdString(drawing));
        else
            chooser->selectFile(QString::fromStdString(drawing));
        QMetaObject::invokeMethod(chooser, "accept", Qt::QueuedConnection);
        QTimer::singleShot(3000, chooser, [chooser] { chooser->reject(); });
    });
    ASSERT_TRUE(chooseDrawing(app, t, nullptr));
    EXPECT_EQ(app.inputFileName, drawing);
    EXPECT_EQ(title.toStdString(), t.text(TextId::ChooseDrawing));

    app.inputFileName.clear();
    MainWindowHarness::onNextModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_FALSE(chooseDrawing(app, t, nullptr));
    EXPECT_TRUE(app.inputFileName.empty());
}

TEST_F(DialogTest, MarksSettingsRefuseALengthOutOfRangeAndThenPlaceTheMarks) {
    Texts t = texts();
    Settings s = settings();
    s.setMarksValue("DeleteMarks", 1);  // a stale request of an earlier run
    MarksSettingsModel model(s, t, m_ui, {"A4", "A3"});
    model.open();
    CMarksSettingsDlg dialog(model);
    EXPECT_EQ(dialog.windowTitle(), QString::fromStdString(t.text(TextId::MarksSettingsTitle)));
    dialog.lengthEdit()->setText("60");
    dialog.placeButton()->click();
    EXPECT_EQ(dialog.result(), 0) << "the window stays open";
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_EQ(m_ui.messages[0].text, t.text(TextId::MarksLengthRange));
    EXPECT_EQ(s.setMarks(), 0);

    dialog.lengthEdit()->setText("30");
    dialog.placeButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(s.setMarks(), 1);
    EXPECT_EQ(s.deleteMarks(), 0);
    EXPECT_EQ(s.marksLength(), 30);
}

TEST_F(DialogTest, InkscapeHintOffersNotToShowItAgain) {
    Texts t = texts();
    CInkscapeStart hint(t.text(TextId::InkscapeHint), t);
    EXPECT_FALSE(hint.hideAgain());
    hint.hideBox()->click();
    EXPECT_TRUE(hint.hideAgain());
    MainWindowHarness::onNextModal(
        [](QWidget* modal) { modal->findChild<QPushButton*>("okButton")->click(); });
    EXPECT_EQ(hint.exec(), QDialog::Accepted);
}

TEST_F(DialogTest, StatusWindowCancelSetsTheRequestUntilItIsCleared) {
    CStatus status;
    EXPECT_EQ(status.windowTitle(), "Sartovin - Status");
    EXPECT_EQ(status.cancelButton()->text(), "Abbrechen");
    EXPECT_FALSE(status.cancelRequested());
    status.show();
    status.cancelButton()->click();
    EXPECT_TRUE(status.cancelRequested());
    status.clearCancel();
    EXPECT_FALSE(status.cancelRequested());
    // Positions beyond the range show clamped; ranges wider than an int still show.
    status.setRange(0, 40'000'000'000LL);
    status.setPosition(20'000'000'000LL);
    EXPECT_EQ(status.progressBar()->value(), status.progressBar()->maximum() / 2);
    status.setPosition(90'000'000'000LL);
    EXPECT_EQ(status.progressBar()->value(), status.progressBar()->maximum());
    status.hide();
}

TEST_F(DialogTest, MessageBoxesCarryCaptionIconAndButtonsAndTellWhichWasPressed) {
    QtInteraction ui;
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    MainWindowHarness::onNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->button(QMessageBox::No)->click();
    });
    MessageAnswer answer = ui.messageBox("Do you want delete this medium ?", kProgramCaption,
                                         MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::Yes);
    EXPECT_EQ(answer, MessageAnswer::No);
    EXPECT_EQ(caption, "Sartovin");
    EXPECT_EQ(text, "Do you want delete this medium ?");
    EXPECT_EQ(icon, QMessageBox::Question);

    // A box without a caption of its own still names the program.
    MainWindowHarness::onNextModal([&](QWidget* modal) {
        caption = modal->windowTitle();
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(ui.messageBox("x", "", MessageIcon::Error, MessageButtons::Ok, MessageAnswer::Ok),
              MessageAnswer::Ok);
    EXPECT_EQ(caption, "Sartovin");
}

TEST_F(DialogTest, LanguageQuestionReturnsTheChosenEntry) {
    QtInteraction ui;
    QString title;
    MainWindowHarness::onNextModal([&](QWidget* modal) {
        title = modal->windowTitle();
        auto* list = modal->findChild<QComboBox*>("languageList");
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->currentIndex(), 0);
        list->setCurrentIndex(2);
        QMetaObject::invokeMethod(modal, "accept", Qt::QueuedConnection);
    });
    EXPECT_EQ(ui.chooseFromList("Sprachauswahl / Language / Langue", {"Deutsch", "English", "France"}, 0), 2);
    EXPECT_EQ(title, "Sprachauswahl / Language / Langue");
    // Closing the dialog without OK chooses nothing.
    MainWindowHarness::onNextModal(
        [](QWidget* modal) { QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection); });
    EXPECT_EQ(ui.chooseFromList("t", {"Deutsch", "English", "France"}, 0), -1);
}

TEST_F(DialogTest, MediumNameIsAskedWithTheCatalogsTexts) {
    Texts t = texts();
    QtInteraction ui(&t);
    QString title, cancel;
    MainWindowHarness::onNextModal([&](QWidget* modal) {
        title = modal->windowTitle();
        cancel = modal->findChild<QPushButton*>("cancelButton")->text();
        modal->findChild<QLineEdit*>("mediumName")->setText("Folie X");
        modal->findChild<QPushButton*>("okButton")->click();
    });
    std::string value;
    EXPECT_TRUE(ui.askText(t.text(TextId::NewMediumTitle), t.text(TextId::NewMediumPrompt), value));
    EXPECT_EQ(value, "Folie X");
    EXPECT_EQ(title, "New Medium");
    EXPECT_EQ(cancel, "Cancel");
}

}  // namespace
}  // namespace sartovin::test

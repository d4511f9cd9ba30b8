// What a new user meets on the first runs, in German and English: the Cut command's outcome and
// the status window during delivery, the port configuration when only a serial device exists and
// when a queue and nothing else is there, and a cutter that is switched off at start-up.

#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>

#include "app/CAdvanced.h"
#include "app/CGeneralTab.h"
#include "app/CPlotterConfig.h"
#include "app/CStatus.h"
#include "app/CTarnelViewWnd.h"
#include "app/MainWindowTestSupport.h"

namespace sartovin::test {
namespace {

void saveShot(QWidget* w, const QString& name) {
    QString folder = QStringLiteral(SARTOVIN_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    EXPECT_TRUE(w->grab().save(folder + "/" + name + ".png"));
}

int count(const std::vector<std::string>& texts, const std::string& text) {
    return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

class MainFirstRunTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { testApplication(); }
};

TEST_P(MainFirstRunTest, CutShowsTheDeliveryAndEndsWithWhatReachedThePort) {
    MainWindowHarness h("SartovinAI", GetParam());
    h.spooler.add("Cutter");
    h.setting("State", "Plotter", "Jaguar IV 61");
    h.setting("Jaguar IV 61", "PortType", "3");
    h.setting("Jaguar IV 61", "Port", "Cutter");
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    bool deliveryShown = false;
    h.ui.onPump = [&] {
        CStatus* s = w.statusWindow();
        if (s->isVisible() && s->textLabel()->text().toStdString() == h.texts.text(TextId::SendingData))
            deliveryShown = true;
    };
    w.cutButton()->click();
    h.ui.onPump = nullptr;
    const auto& docs = h.spooler.queues["Cutter"].documents;
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_TRUE(deliveryShown) << "the status window says that the job is being sent";
    EXPECT_FALSE(w.statusWindow()->isVisible());
    EXPECT_EQ(w.statusText()->text().toStdString(),
              h.texts.format(TextId::CutSentBytes, {std::to_string(docs[0].size()), "Cutter"}));
    EXPECT_NE(w.statusText()->text().indexOf(QString::number(docs[0].size())), -1);

    // A queue that refuses the job: its message, and the line says nothing went out.
    h.spooler.queues["Cutter"].startFails = true;
    w.cutButton()->click();
    EXPECT_EQ(h.ui.messageTexts().back(),
              h.texts.text(TextId::CommunicationError) + "\n" + h.texts.format(TextId::PrintQueueNamed, {"Cutter"}));
    EXPECT_EQ(w.statusText()->text().toStdString(), h.texts.format(TextId::CutNothingSent, {"Cutter"}));
    EXPECT_EQ(docs.size(), 1u);
}

TEST_P(MainFirstRunTest, AnOnlySerialDeviceIsOfferedNeverTakenAndTheListSaysNoCutterWasFound) {
    MainWindowHarness h("SartovinAI", GetParam());
    const std::string node = h.tree.addTty("ttyS0", false, "4");
    h.setting("State", "Plotter", "Jaguar IV 61");
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    EXPECT_TRUE(h.ui.messages.empty()) << "no port: nobody asked the cutter at start-up";

    QStringList shown;
    bool noteShown = false;
    int dialogs = 0;
    MainWindowHarness::onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CPlotterConfig*>(modal);
        ASSERT_NE(dialog, nullptr);
        ++dialogs;
        for (int i = 0; i < dialog->list()->count(); ++i) shown << dialog->list()->itemText(i);
        noteShown = dialog->noCutterNote() && dialog->noCutterNote()->isVisible() &&
                    dialog->noCutterNote()->text().toStdString() == h.texts.text(TextId::NoCutterFound);
        saveShot(dialog, QStringLiteral("ports-serial-only-%1").arg(GetParam()));
        dialog->reject();
    });
    w.cutButton()->click();
    EXPECT_EQ(dialogs, 1) << "the port configuration opened instead of taking the serial device";
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].toStdString(), node + "  \u2014  " + h.texts.text(TextId::PortKindSerial));
    EXPECT_TRUE(noteShown);
    EXPECT_EQ(h.ui.messageTexts(), std::vector<std::string>{h.texts.text(TextId::NoPortSelected)})
        << "no serial-port hint and no communication error";
    EXPECT_EQ(w.model().currentPlotter()->portType, kPortNone);
    EXPECT_EQ(h.readSetting("Jaguar IV 61", "PortType"), "");
    EXPECT_EQ(h.readSetting("Jaguar IV 61", "Port"), "");
}

TEST_P(MainFirstRunTest, TheListSaysWhatEachEntryIsAndCancelStoresNothing) {
    MainWindowHarness h("SartovinAI", GetParam());
    h.tree.addTty("ttyS0", false, "4");
    FakeSpooler::Queue& q = h.spooler.add("Cutter", "USB001");
    q.info.description = "Vinyl cutter in the shop";
    q.info.deviceUri = "usb://Cutters/Vinyl%2061";
    h.setting("State", "Plotter", "Jaguar IV 61");
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    QStringList shown;
    bool note = true;
    MainWindowHarness::onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CPlotterConfig*>(modal);
        ASSERT_NE(dialog, nullptr);
        for (int i = 0; i < dialog->list()->count(); ++i) shown << dialog->list()->itemText(i);
        note = dialog->noCutterNote() != nullptr;
        saveShot(dialog, QStringLiteral("ports-queue-%1").arg(GetParam()));
        dialog->reject();
    });
    w.configurationButton()->click();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[1].toStdString(), "Cutter  \u2014  " + h.texts.text(TextId::PortKindQueue) +
                                          " (Vinyl cutter in the shop, usb://Cutters/Vinyl%2061)");
    EXPECT_FALSE(note);
    EXPECT_EQ(h.readSetting("Jaguar IV 61", "Port"), "") << "Cancel stores nothing";
}

TEST_P(MainFirstRunTest, ACutterThatIsOffIsReportedOnceNamingItsPortAndNeverAfterClose) {
    MainWindowHarness h("SartovinAI", GetParam());
    const std::string port = h.m_dir.file("ttyS7-gone");
    h.setting("State", "Plotter", "Jaguar IV 61");
    h.setting("Jaguar IV 61", "PortType", "1");
    h.setting("Jaguar IV 61", "Port", port);
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    const std::string message = h.texts.format(TextId::CutterNotAnswering, {port});
    EXPECT_EQ(h.ui.messageTexts(), std::vector<std::string>{message});
    EXPECT_EQ(h.ui.messages.back().icon, MessageIcon::Error);

    // The cutter page asks the cutter again: the same silent port is not reported again.
    w.tabs()->setCurrentWidget(w.cutterPage());
    w.tabs()->setCurrentIndex(0);
    EXPECT_EQ(count(h.ui.messageTexts(), message), 1);

    // The user's own request always gets its answer.
    w.mediaQuery(true);
    EXPECT_EQ(count(h.ui.messageTexts(), message), 2);

    // Closing with the cutter page shown asks nobody.
    w.tabs()->setCurrentWidget(w.cutterPage());
    const std::size_t before = h.ui.messages.size();
    w.close();
    h.window.reset();
    EXPECT_EQ(h.ui.messages.size(), before);
}

TEST_P(MainFirstRunTest, TheWindowFitsALaptopScreenAndTheSizeFieldsTheirLargestValue) {
    for (const char* program : {"SartovinAI", "SartovinAIHP"}) {
        MainWindowHarness h(program, GetParam());
        CTarnelWinCDlg& w = h.open();
        ASSERT_TRUE(h.setUpResult) << program;
        // 1366 x 768 less a panel and the window frame.
        const QSize least = w.minimumSizeHint();
        EXPECT_LE(least.width(), 1366 - 16) << program;
        EXPECT_LE(least.height(), 768 - 48) << program;
        // On such a screen Cut and Close lie inside the window.
        w.resize(1366 - 16, 768 - 48);
        QApplication::processEvents();
        for (QPushButton* b : {w.cutButton(), w.findChild<QPushButton*>("close")}) {
            ASSERT_NE(b, nullptr);
            EXPECT_TRUE(w.rect().contains(QRect(b->mapTo(&w, QPoint(0, 0)), b->size()))) << program;
        }
        if (std::string(program) == "SartovinAIHP")
            saveShot(&w, QStringLiteral("main-laptop-hobby-%1").arg(GetParam()));
        for (QLineEdit* e : w.generalTab()->findChildren<QLineEdit*>()) {
            if (!e->isVisibleTo(w.generalTab()) || qobject_cast<QAbstractSpinBox*>(e->parentWidget()))
                continue;
            EXPECT_GE(e->minimumWidth(), e->fontMetrics().horizontalAdvance(QStringLiteral("50000.00")))
                << program << " " << e->objectName().toStdString();
        }
    }
}

TEST_P(MainFirstRunTest, ThePreviewOpensOnTheWholeJobAndZoomToContentFitsIt) {
    for (const char* program : {"SartovinAI", "SartovinAIHP"}) {
        SCOPED_TRACE(program);
        MainWindowHarness h(program, GetParam(), SARTOVIN_SOURCE_DIR "/examples/stickers.qxj");
        CTarnelWinCDlg& w = h.open();
        ASSERT_TRUE(h.setUpResult);
        w.resize(1240, 780);  // a desktop's window; the offscreen screen is smaller
        QApplication::processEvents();
        auto* view = qobject_cast<CTarnelViewWnd*>(w.preview());
        ASSERT_NE(view, nullptr);
        ASSERT_FALSE(view->jobAreaMm().isEmpty());
        // The job with its margin of medium, in viewport pixels: inside the view, and filling it
        // in one direction.
        auto shown = [&] {
            const QRectF area = view->jobAreaMm();
            const double s = view->pixelsPerMm();
            return QRectF(area.topLeft() * s + QPointF(view->contentOffset()), area.size() * s);
        };
        const QRectF port = QRectF(view->viewport()->rect()).adjusted(-2, -2, 2, 2);
        EXPECT_TRUE(port.contains(shown())) << view->zoomPercent();
        EXPECT_TRUE(shown().width() > port.width() / 2 || shown().height() > port.height() / 2)
            << view->zoomPercent();
        const int opening = view->zoomPercent();
        saveShot(&w, QStringLiteral("preview-opening-%1-%2").arg(program).arg(GetParam()));

        view->setZoomPercent(1000);
        EXPECT_FALSE(port.contains(shown()));
        view->zoomToContent();
        EXPECT_EQ(view->zoomPercent(), opening);
        EXPECT_TRUE(port.contains(shown()));
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, MainFirstRunTest, ::testing::Values(1000, 2000));

}  // namespace
}  // namespace sartovin::test

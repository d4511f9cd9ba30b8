// Pictures of the main window with each page, in German and English, and of the status window,
// for a person to look at (build folder, screenshots/). They also show that every page lays out
// and paints in both languages.

#include <gtest/gtest.h>

#include <QDir>
#include <QEventLoop>
#include <QPixmap>
#include <QProgressBar>
#include <QTabWidget>
#include <QTimer>

#include "app/CStatus.h"
#include "app/MainWindowTestSupport.h"

namespace sartovin::test {
namespace {

QString screenshotFolder() {
    QString folder = QStringLiteral(SARTOVIN_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    return folder;
}

void settle(int ms = 50) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

class MainScreenshot : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { testApplication(); }
};

TEST_P(MainScreenshot, EveryPageInTheLanguage) {
    const int language = GetParam();
    MainWindowHarness h("SartovinAI", language, SARTOVIN_SOURCE_DIR "/examples/stickers.qxj");
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    // The window as a desktop screen shows it (the offscreen screen is smaller than any desktop's).
    w.resize(1240, 780);
    const char* names[] = {"general", "options", "layer", "cutter"};
    for (int page = 0; page < 4; ++page) {
        w.tabs()->setCurrentIndex(page);
        settle();
        QPixmap shot = w.grab();
        ASSERT_FALSE(shot.isNull());
        EXPECT_GE(shot.width(), 900);
        QString file =
            QStringLiteral("%1/main-%2-%3.png").arg(screenshotFolder()).arg(language).arg(names[page]);
        EXPECT_TRUE(shot.save(file)) << file.toStdString();
    }
    w.tabs()->setCurrentIndex(0);
    EXPECT_EQ(w.tabs()->tabText(0),
              language == 1000 ? QStringLiteral("Allgemein") : QStringLiteral("General"));
}

INSTANTIATE_TEST_SUITE_P(Languages, MainScreenshot, ::testing::Values(1000, 2000));

TEST(EditionScreenshot, HobbyOptionsWithTheBladeSlider) {
    testApplication();
    MainWindowHarness h("SartovinAIHP", 1000);
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    w.tabs()->setCurrentIndex(1);
    settle();
    EXPECT_TRUE(w.grab().save(screenshotFolder() + "/main-hobby-1000-options.png"));
    w.tabs()->setCurrentIndex(0);
    settle();
    EXPECT_TRUE(w.grab().save(screenshotFolder() + "/main-hobby-1000-general.png"));
}

TEST(StatusScreenshot, TextBarAndCancel) {
    testApplication();
    MainWindowHarness h;
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    CStatus* status = w.statusWindow();
    status->setText(h.texts.text(TextId::SendingData));
    status->setRange(0, 200);
    status->setPosition(80);
    status->showCentred();
    settle();
    EXPECT_EQ(status->windowTitle(), "Sartovin - Status");
    EXPECT_EQ(status->progressBar()->value(), 4000);
    QPixmap shot = status->grab();
    EXPECT_TRUE(shot.save(screenshotFolder() + "/status.png"));
    status->hide();
}

}  // namespace
}  // namespace sartovin::test

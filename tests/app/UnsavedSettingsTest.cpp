// Settings the window cannot store: the user is told once, naming the file, and not on every click.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include <algorithm>
#include <clocale>

#include "app/CGeneralTab.h"
#include "app/MainWindowTestSupport.h"

namespace sartovin::test {
namespace {

class UnsavedSettingsTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        testApplication();
        if (GetParam() == 1000) {
            ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "the de_DE.UTF-8 locale is missing";
        }
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }

    static int count(const ScriptedInteraction& ui, const std::string& text) {
        const auto texts = ui.messageTexts();
        return static_cast<int>(std::count(texts.begin(), texts.end(), text));
    }
};

TEST_P(UnsavedSettingsTest, ChangesThatCannotBeStoredAreSaidOnceNamingTheFile) {
    MainWindowHarness h("SartovinAI", GetParam());
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    QApplication::processEvents();
    const std::string ini = h.app.iniPath;
    const std::string notSaved = h.texts.format(TextId::SettingsNotSaved, {ini});
    EXPECT_EQ(count(h.ui, notSaved), 0);
    const std::string before = readFile(ini);
    ASSERT_EQ(::chmod(ini.c_str(), 0444), 0);

    QCheckBox* mirror = w.generalTab()->findChild<QCheckBox*>("mirror");
    ASSERT_NE(mirror, nullptr);
    mirror->click();
    QApplication::processEvents();
    EXPECT_EQ(count(h.ui, notSaved), 1) << "German: " << (GetParam() == 1000);
    if (GetParam() == 1000) {
        EXPECT_NE(notSaved.find("nicht in " + ini + " gespeichert"), std::string::npos);
    }

    // More changes, of other kinds: the user knows already.
    mirror->click();
    QComboBox* rotation = w.generalTab()->rotationList();
    rotation->setCurrentIndex((rotation->currentIndex() + 1) % rotation->count());
    QApplication::processEvents();
    EXPECT_EQ(count(h.ui, notSaved), 1);
    ::chmod(ini.c_str(), 0644);
    EXPECT_EQ(readFile(ini), before);
}

TEST_P(UnsavedSettingsTest, ALanguageThatCannotBeStoredIsNotPromisedForTheNextStart) {
    MainWindowHarness h("SartovinAI", GetParam());
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    QApplication::processEvents();
    const std::string ini = h.app.iniPath;
    ASSERT_EQ(::chmod(ini.c_str(), 0444), 0);
    const std::string nextStart = h.texts.text(TextId::LanguageNextStart);
    h.ui.listAnswers.push_back(GetParam() == 1000 ? 2 : 0);  // French, or German
    w.languageButton()->click();
    QApplication::processEvents();
    EXPECT_EQ(h.app.languageId, GetParam() == 1000 ? 3000 : 1000);
    ::chmod(ini.c_str(), 0644);
    EXPECT_EQ(count(h.ui, h.texts.format(TextId::SettingsNotSaved, {ini})), 1);
    EXPECT_EQ(count(h.ui, nextStart), 0);
    EXPECT_EQ(count(h.ui, h.texts.text(TextId::LanguageNextStart)), 0);
}

INSTANTIATE_TEST_SUITE_P(Languages, UnsavedSettingsTest, ::testing::Values(2000, 1000));

}  // namespace
}  // namespace sartovin::test

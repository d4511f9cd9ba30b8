#include "base/Texts.h"

#include <gtest/gtest.h>

#include "base/LanguageCommand.h"
#include "base/Settings.h"
#include "base/Startup.h"
#include "platform/Files.h"
#include "platform/Profile.h"
#include "platform/ScriptedInteraction.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::TempDir;
using test::writeFile;

class TextsTest : public ::testing::Test {
protected:
    TextsTest() {
        writeFile(dir.file("1000.txt"),
                  "[1000]\n1331=Bitte wählen Sie einen Plotter !\n1346=Neustart nötig\n1500=nur deutsch\n"
                  "[Medien]\nPapier 120g=Papier 120 g/m²\n");
        writeFile(dir.file("2000.txt"),
                  "[2000]\n2331=Please choose a cutter !\n2307=You have to select a port for this cutter "
                  "!\\r\\nThe Job will be canceled.\n2400=  two\\nlines  \n2346=Restart needed\n"
                  "2323=The connected device\\r\\n%s\\r\\nis different to the choosen cutter typ\\r\\n%s !\n"
                  "[Medien]\nStandardfolie=Standard vinyl\n");
        writeFile(dir.file("3000.Txt"), "[3000]\n3307=Choisissez un port !\n");
    }
    TempDir dir;
};

TEST_F(TextsTest, CurrentLanguageThenEnglishThenGerman) {
    Texts fr(dir.path(), 3000);
    EXPECT_EQ(fr.text(TextId::NoPortSelected), "Choisissez un port !");
    EXPECT_EQ(fr.text(TextId::ChooseCutter), "Please choose a cutter !");  // the French file lacks 3331
    std::string german;
    EXPECT_TRUE(fr.lookupText(500, german));  // neither French nor English
    EXPECT_EQ(german, "nur deutsch");
    std::string out = "stale";
    EXPECT_FALSE(fr.lookupText(999, out));
    EXPECT_EQ(out, "");
}

TEST_F(TextsTest, EscapesBecomeLineBreaksAndValuesAreTrimmed) {
    Texts en(dir.path(), 2000);
    EXPECT_EQ(en.text(TextId::NoPortSelected),
              "You have to select a port for this cutter !\r\nThe Job will be canceled.");
    EXPECT_EQ(en.text(TextId::CutterSettings), "two\nlines");
    EXPECT_EQ(en.format(TextId::DifferentModel, {"Jaguar V", "Puma III 60"}),
              "The connected device\r\nJaguar V\r\nis different to the choosen cutter typ\r\nPuma III 60 !");
}

TEST_F(TextsTest, MediumNamesAreTranslatedOnlyFromTheCurrentLanguage) {
    std::string out;
    Texts de(dir.path(), 1000), en(dir.path(), 2000);
    EXPECT_TRUE(de.translateMediumName("Papier 120g", out));
    EXPECT_EQ(out, "Papier 120 g/m²");
    EXPECT_FALSE(en.translateMediumName("Papier 120g", out));
    EXPECT_TRUE(en.translateMediumName("Standardfolie", out));
    EXPECT_EQ(out, "Standard vinyl");
}

TEST_F(TextsTest, LanguageCommandStoresOnlyAChange) {
    CTarnelWinCApp app;
    app.iniPath = dir.file("Sartovin.ini");
    app.languageId = 2000;
    Texts texts(dir.path(), 2000);
    ScriptedInteraction ui;

    EXPECT_FALSE(applyLanguageIndex(app, texts, ui, 1));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(fileExists(app.iniPath));

    ui.listAnswers = {0};
    runLanguageCommand(app, texts, ui);
    ASSERT_EQ(ui.listQuestions.size(), 1u);
    EXPECT_EQ(ui.listQuestions[0].preselected, 1) << "the dialog opens on the window's English";
    EXPECT_EQ(app.languageId, 1000);
    EXPECT_EQ(texts.languageId(), 1000);
    EXPECT_EQ(GetPrivateProfileInt("State", "Language", 0, app.iniPath), 1000);
    EXPECT_EQ(GetPrivateProfileInt("State", "LanguageChoice", 0, app.iniPath), -3);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Neustart nötig");  // shown in the new language at once
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(ui.messages[0].caption, "Sartovin");

    // Closing the dialog (Escape, the close box) keeps German and writes nothing.
    const std::string stored = test::readFile(app.iniPath);
    ui.listAnswers = {kLanguageDialogClosed};
    runLanguageCommand(app, texts, ui);
    EXPECT_EQ(ui.listQuestions.back().preselected, 0);
    EXPECT_EQ(app.languageId, 1000);
    EXPECT_EQ(texts.languageId(), 1000);
    EXPECT_EQ(test::readFile(app.iniPath), stored);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST(SettingsTest, DefaultsAndTypedKeys) {
    TempDir dir;
    Settings s(dir.file("Sartovin.ini"));
    EXPECT_EQ(s.languageChoice(), -2);
    EXPECT_EQ(s.language(), 1000);
    EXPECT_EQ(s.rotate(), 1);
    EXPECT_EQ(s.sameDistance(), 1);
    EXPECT_EQ(s.repeatCount(), 1);
    EXPECT_EQ(s.cutInit(), 1);
    EXPECT_EQ(s.mediumWidth(1220), 1220);
    EXPECT_EQ(s.marksLength(), 25);
    EXPECT_EQ(s.xStep(), 500);
    EXPECT_EQ(s.isCameo(), 1);
    EXPECT_EQ(s.minOvercutAngle(), 7);

    ASSERT_TRUE(s.setOffset(0.25));
    EXPECT_EQ(s.readString("State", "Offset"), "0.250");
    s.writeInt("State", "MinOvercutAngle", 0);
    EXPECT_EQ(s.minOvercutAngle(), 1);
    s.writeInt("State", "MinOvercutAngle", 120);
    EXPECT_EQ(s.minOvercutAngle(), 90);

    EXPECT_EQ(s.qualityIndex(5), 3);
    EXPECT_EQ(s.qualityIndex(1), 0);
    s.setQualityIndex(4);
    EXPECT_EQ(s.qualityIndex(5), 4);
    EXPECT_EQ(s.qualityIndex(4), 2);

    s.setPortType("Puma]III", 4);
    EXPECT_EQ(s.portType("puma]iii"), 4);
    EXPECT_EQ(s.usbGccName("Puma]III"), "");
    s.setHideInkscapeHint(true);
    EXPECT_EQ(s.readString("State", "HideInkscapeHint"), "1");
}

}  // namespace
}  // namespace sartovin

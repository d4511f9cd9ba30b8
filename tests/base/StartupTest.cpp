#include "base/Startup.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "base/Settings.h"
#include "platform/Files.h"
#include "platform/Profile.h"
#include "platform/ScriptedInteraction.h"
#include "platform/SystemFolders.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::readFile;
using test::ScopedEnv;
using test::TempDir;
using test::writeFile;

// A private installation: program folder with its data, a common and a user data folder.
class StartupTest : public ::testing::Test {
protected:
    StartupTest()
        : common("XDG_DATA_DIRS", dir.file("common")),
          config("XDG_CONFIG_HOME", dir.file("user")),
          lcAll("LC_ALL", std::nullopt),
          lcMessages("LC_MESSAGES", std::nullopt),
          lang("LANG", "de_DE.UTF-8") {
        for (const char* name :
             {"Sartovin.ini", "Plotter.csv", "PlotterHP.csv", "PlotterLC.csv", "Media.csv", "MediaHP.csv",
              "MediaLC.csv", "Tools.csv", "ToolsHP.csv", "1000.txt", "2000.txt", "3000.txt"})
            writeFile(dir.file(std::string("prog/") + name), std::string("program ") + name + "\n");
        writeFile(dir.file("prog/Sartovin.ini"), "[State]\nCutInit=1\n");
    }

    CTarnelWinCApp start(const std::string& programName, StartupOptions options = {}) {
        CTarnelWinCApp app;
        runStartup(app, dir.file("prog/") + programName, ui, options);
        return app;
    }

    TempDir dir;
    ScopedEnv common, config, lcAll, lcMessages, lang;
    ScriptedInteraction ui;
};

TEST_F(StartupTest, StandardEditionFoldersAndCopies) {
    CTarnelWinCApp app = start("SartovinAI");
    EXPECT_EQ(app.startMode, 2);
    EXPECT_FALSE(app.hobbyFlag);
    EXPECT_EQ(app.programFolder, dir.file("prog/"));
    EXPECT_EQ(app.commonDataRoot, dir.file("common/"));
    EXPECT_EQ(app.userDataRoot, dir.file("user/"));
    EXPECT_EQ(app.iniPath, dir.file("user/Sartovin/Sartovin.ini"));
    EXPECT_EQ(app.plotterCatalogPath, dir.file("user/Sartovin/Plotter.csv"));
    EXPECT_EQ(app.mediaCatalogPath, dir.file("user/Sartovin/Media.csv"));
    EXPECT_EQ(app.toolsCatalogPath, dir.file("user/Sartovin/Tools.csv"));
    EXPECT_EQ(readFile(app.plotterCatalogPath), "program Plotter.csv\n");
    EXPECT_EQ(readFile(dir.file("user/Sartovin/3000.txt")), "program 3000.txt\n");
    EXPECT_TRUE(directoryExists(dir.file("common/Sartovin")));
    EXPECT_EQ(GetPrivateProfileInt("State", "CutInit", 0, app.iniPath), 1);
}

TEST_F(StartupTest, TemplatesInTheCommonFolderComeFirst) {
    writeFile(dir.file("common/Sartovin/Plotter.csv"), "common plotters\n");
    writeFile(dir.file("common/Sartovin/Sartovin.ini"), "[State]\nCutInit=0\n");
    CTarnelWinCApp app = start("SartovinAI");
    EXPECT_EQ(readFile(app.plotterCatalogPath), "common plotters\n");
    EXPECT_EQ(readFile(app.mediaCatalogPath), "program Media.csv\n");
    EXPECT_EQ(GetPrivateProfileInt("State", "CutInit", 9, app.iniPath), 0);
}

TEST_F(StartupTest, AUsersFilesAreNeverReplaced) {
    writeFile(dir.file("user/Sartovin/Sartovin.ini"), "[State]\nPlotter=Mine\n");
    writeFile(dir.file("user/Sartovin/Media.csv"), "my media\n");
    CTarnelWinCApp app = start("SartovinAI");
    EXPECT_EQ(GetPrivateProfileString("State", "Plotter", "", app.iniPath), "Mine");
    EXPECT_EQ(readFile(app.mediaCatalogPath), "my media\n");
}

TEST_F(StartupTest, HobbyProgramUsesTheHobbyFamilyAndItsToolsFallback) {
    CTarnelWinCApp app = start("SartovinAIHP");
    EXPECT_EQ(app.startMode, 11);
    EXPECT_TRUE(app.hobbyFlag);
    EXPECT_EQ(app.plotterCatalogPath, dir.file("user/Sartovin-Hobbyplotter/PlotterHP.csv"));
    EXPECT_EQ(app.toolsCatalogPath, dir.file("user/Sartovin-Hobbyplotter/ToolsHP.csv"));
    EXPECT_EQ(readFile(app.toolsCatalogPath), "program ToolsHP.csv\n");
    // In the common folder the hobby tools template is named "Tools.csv".
    writeFile(dir.file("common/Sartovin-Hobbyplotter/Tools.csv"), "common hobby tools\n");
    removeFile(app.toolsCatalogPath);
    app = start("SartovinAIHP");
    EXPECT_EQ(readFile(app.toolsCatalogPath), "common hobby tools\n");
}

TEST_F(StartupTest, AHobbyProductFolderSelectsHobbyFoldersButKeepsTheStartMode) {
    for (const char* name : {"PlotterHP.csv", "MediaHP.csv", "ToolsHP.csv", "2000.txt"})
        writeFile(dir.file(std::string("Sartovin-Hobbyplotter/") + name), std::string("hobby ") + name);
    CTarnelWinCApp app;
    runStartup(app, dir.file("Sartovin-Hobbyplotter/sartovin"), ui);
    EXPECT_EQ(app.startMode, 1);
    EXPECT_TRUE(app.hobbyFlag);
    EXPECT_EQ(app.productFolder, "Sartovin-Hobbyplotter/");
    EXPECT_EQ(readFile(app.plotterCatalogPath), "hobby PlotterHP.csv");
}

TEST_F(StartupTest, LaserEdition) {
    CTarnelWinCApp app = start("SartovinLCAI");
    EXPECT_EQ(app.startMode, 21);
    EXPECT_EQ(app.family, CatalogFamily::Laser);
    EXPECT_EQ(app.plotterCatalogPath, dir.file("user/Sartovin/PlotterLC.csv"));
    EXPECT_EQ(app.toolsCatalogPath, dir.file("user/Sartovin/Tools.csv"));
}

TEST_F(StartupTest, DataBesideAnInstalledProgramAreFound) {
    writeFile(dir.file("inst/share/Sartovin/2000.txt"), "[2000]\n");
    writeFile(dir.file("inst/share/Sartovin/Plotter.csv"), "installed plotters\n");
    writeFile(dir.file("inst/bin/SartovinAI"), "");
    CTarnelWinCApp app;
    runStartup(app, dir.file("inst/bin/SartovinAI"), ui);
    EXPECT_EQ(app.programFolder, dir.file("inst/bin/"));
    EXPECT_EQ(app.dataFolder, dir.file("inst/share/Sartovin/"));
    EXPECT_EQ(readFile(app.plotterCatalogPath), "installed plotters\n");
}

TEST_F(StartupTest, UnwritableFoldersDoNotStopStartUp) {
    writeFile(dir.file("blocked"), "a file, not a folder");
    ScopedEnv cfg("XDG_CONFIG_HOME", dir.file("blocked"));
    ScopedEnv data("XDG_DATA_DIRS", dir.file("blocked"));
    CTarnelWinCApp app = start("SartovinAI");
    EXPECT_EQ(app.startMode, 2);
    EXPECT_EQ(app.languageId, 1000);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StartupTest, DetectedLanguageIsNotStoredAsAChoice) {
    CTarnelWinCApp app = start("SartovinAI");
    EXPECT_EQ(app.languageId, 1000);
    EXPECT_TRUE(ui.listQuestions.empty());
    EXPECT_EQ(GetPrivateProfileInt("State", "Language", 0, app.iniPath), 1000);
    EXPECT_EQ(GetPrivateProfileString("State", "LanguageChoice", "absent", app.iniPath), "absent");
    ScopedEnv fr("LANG", "fr_FR.UTF-8");
    app = start("SartovinAI");
    EXPECT_EQ(app.languageId, 3000);
    EXPECT_EQ(GetPrivateProfileInt("State", "Language", 0, app.iniPath), 3000);
}

TEST_F(StartupTest, AnUnknownLocaleAsksOnceAndRemembersTheChoice) {
    ScopedEnv it("LANG", "it_IT.UTF-8");
    ui.listAnswers = {2};
    CTarnelWinCApp app = start("SartovinAI");
    ASSERT_EQ(ui.listQuestions.size(), 1u);
    EXPECT_EQ(ui.listQuestions[0].title, "Sprachauswahl / Language / Langue");
    EXPECT_EQ(ui.listQuestions[0].items, (std::vector<std::string>{"Deutsch", "English", "France"}));
    EXPECT_EQ(ui.listQuestions[0].preselected, 0);
    EXPECT_EQ(app.languageId, 3000);
    EXPECT_EQ(GetPrivateProfileInt("State", "LanguageChoice", 0, app.iniPath), -3);
    app = start("SartovinAI");
    EXPECT_EQ(ui.listQuestions.size(), 1u);
    EXPECT_EQ(app.languageId, 3000);
}

TEST_F(StartupTest, ClosingTheLanguageDialogStoresNoChoiceAndAsksAgain) {
    ScopedEnv it("LANG", "it_IT.UTF-8");
    ui.listAnswers = {kLanguageDialogClosed};
    CTarnelWinCApp app = start("SartovinAI");
    EXPECT_EQ(app.languageId, 2000);
    EXPECT_EQ(GetPrivateProfileString("State", "LanguageChoice", "absent", app.iniPath), "absent");
    ui.listAnswers = {0};
    app = start("SartovinAI");
    EXPECT_EQ(ui.listQuestions.size(), 2u);
    EXPECT_EQ(app.languageId, 1000);
}

// ~/bin/SartovinAI linked to the installed program: the link decides the start mode, the real
// executable (here this test program, whose build tree holds the data) where the data are.
TEST_F(StartupTest, AProgramNameLinkedFromElsewhereFindsTheDataOfTheRealProgram) {
    writeFile(dir.file("home/bin/.keep"), "");
    ASSERT_EQ(::symlink(executablePath().c_str(), dir.file("home/bin/SartovinAI").c_str()), 0);
    CTarnelWinCApp app;
    runStartup(app, dir.file("home/bin/SartovinAI"), ui, startupOptionsOfThisProgram());
    EXPECT_EQ(app.startMode, 2);
    EXPECT_EQ(app.programFolder, dir.file("home/bin/"));
    EXPECT_TRUE(fileExists(app.dataFolder + "2000.txt")) << app.dataFolder;
    EXPECT_EQ(app.dataFolder, std::string(SARTOVIN_BINARY_DIR) + "/share/Sartovin/");
    EXPECT_TRUE(fileExists(app.plotterCatalogPath));
}

TEST_F(StartupTest, AStoredChoiceOutsideTheThreeLanguagesAsksAgain) {
    writeFile(dir.file("user/Sartovin/Sartovin.ini"), "[State]\nLanguageChoice=-3\nLanguage=4000\n");
    ui.listAnswers = {-1};  // nothing chosen: English
    CTarnelWinCApp app = start("SartovinAI");
    EXPECT_EQ(ui.listQuestions.size(), 1u);
    EXPECT_EQ(app.languageId, 2000);
    EXPECT_EQ(GetPrivateProfileInt("State", "Language", 0, app.iniPath), 2000);
}

TEST_F(StartupTest, OtherChoiceValuesLeaveTheLanguageUnsettled) {
    writeFile(dir.file("user/Sartovin/Sartovin.ini"), "[State]\nLanguageChoice=-1\nLanguage=1000\n");
    ui.listAnswers = {0};
    CTarnelWinCApp app = start("SartovinAI");
    EXPECT_EQ(ui.listQuestions.size(), 1u);
    EXPECT_EQ(app.languageId, 1000);
}

TEST_F(StartupTest, WithoutADialogEnglishIsTakenAndNoChoiceStored) {
    ScopedEnv c("LANG", "C");
    StartupOptions options;
    options.languageDialogAvailable = false;
    CTarnelWinCApp app = start("SartovinAI", options);
    EXPECT_TRUE(ui.listQuestions.empty());
    EXPECT_EQ(app.languageId, 2000);
    EXPECT_EQ(GetPrivateProfileString("State", "LanguageChoice", "absent", app.iniPath), "absent");
}

TEST(StartupRulesTest, LocaleAndDialogMapping) {
    EXPECT_EQ(languageFromLocaleName("de-AT"), 1000);
    EXPECT_EQ(languageFromLocaleName("fr-CH"), 3000);
    EXPECT_EQ(languageFromLocaleName("en-US"), 2000);
    EXPECT_EQ(languageFromLocaleName("it-IT"), -1);
    EXPECT_EQ(languageFromDialogIndex(0), 1000);
    EXPECT_EQ(languageFromDialogIndex(1), 2000);
    EXPECT_EQ(languageFromDialogIndex(2), 3000);
    EXPECT_EQ(languageFromDialogIndex(-1), 2000);
    EXPECT_EQ(languageFromDialogIndex(7), 2000);
}

}  // namespace
}  // namespace sartovin

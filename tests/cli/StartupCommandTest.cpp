#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/Profile.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::runProgram;
using test::TempDir;

class StartupCommandTest : public ::testing::Test {
protected:
    std::vector<std::pair<std::string, std::string>> env(const std::string& lang = "en_US.UTF-8") {
        return {{"XDG_CONFIG_HOME", dir.file("cfg")},
                {"XDG_DATA_DIRS", dir.file("share")},
                {"LC_ALL", ""},
                {"LC_MESSAGES", ""},
                {"LANG", lang}};
    }
    TempDir dir;
};

TEST_F(StartupCommandTest, PrintsTheSettledStateForAProgramPath) {
    auto r =
        runProgram({SARTOVIN_CLI, "startup", "--program-path", "/opt/x/SartovinAIHP"}, env("de_DE.UTF-8"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("startMode=11\n"), std::string::npos);
    EXPECT_NE(r.out.find("hobbyFlag=1\n"), std::string::npos);
    EXPECT_NE(r.out.find("programFolder=/opt/x/\n"), std::string::npos);
    EXPECT_NE(r.out.find("iniPath=" + dir.file("cfg/Sartovin-Hobbyplotter/Sartovin.ini") + "\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("plotterCatalogPath=" + dir.file("cfg/Sartovin-Hobbyplotter/PlotterHP.csv")),
              std::string::npos);
    EXPECT_NE(r.out.find("languageId=1000\n"), std::string::npos);
    // The program's own data serve as templates for a path that holds none.
    EXPECT_TRUE(fileExists(dir.file("cfg/Sartovin-Hobbyplotter/2000.txt")));
}

TEST_F(StartupCommandTest, WithoutALanguageEnglishIsTakenAndNothingChosenIsStored) {
    auto r = runProgram({SARTOVIN_CLI, "startup"}, env("C"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("startMode=1\n"), std::string::npos);
    EXPECT_NE(r.out.find("languageId=2000\n"), std::string::npos);
    std::string ini = dir.file("cfg/Sartovin/Sartovin.ini");
    EXPECT_EQ(GetPrivateProfileString("State", "LanguageChoice", "absent", ini), "absent");
}

TEST_F(StartupCommandTest, TextPrintsALookupAndFailsForAnUnknownId) {
    auto r = runProgram({SARTOVIN_CLI, "text", "331"}, env());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Please choose a cutter !\n");
    r = runProgram({SARTOVIN_CLI, "text", "99999"}, env());
    EXPECT_EQ(r.exitCode, 1);
    r = runProgram({SARTOVIN_CLI, "text", "abc"}, env());
    EXPECT_EQ(r.exitCode, 2);
}

TEST_F(StartupCommandTest, HelpAndUnknownCommands) {
    auto r = runProgram({SARTOVIN_CLI, "--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("startup"), std::string::npos);
    r = runProgram({SARTOVIN_CLI, "frobnicate"});
    EXPECT_EQ(r.exitCode, 2);
}

}  // namespace
}  // namespace sartovin

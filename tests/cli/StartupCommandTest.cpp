#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/Profile.h"
#include "support/CliTest.h"

namespace sartovin {
namespace {

class StartupCommandTest : public test::CliTest {
protected:
    /// Runs the program under the language `lang` (LANG).
    test::ProgramResult runIn(const std::string& lang, const std::vector<std::string>& args) {
        return runCli(args, {{"LANG", lang}});
    }
};

TEST_F(StartupCommandTest, PrintsTheSettledStateForAProgramPath) {
    auto r = runIn("de_DE.UTF-8", {"startup", "--program-path", "/opt/x/SartovinAIHP"});
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
    auto r = runIn("C", {"startup"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("startMode=1\n"), std::string::npos);
    EXPECT_NE(r.out.find("languageId=2000\n"), std::string::npos);
    std::string ini = dir.file("cfg/Sartovin/Sartovin.ini");
    EXPECT_EQ(GetPrivateProfileString("State", "LanguageChoice", "absent", ini), "absent");
}

TEST_F(StartupCommandTest, TextPrintsALookupAndFailsForAnUnknownId) {
    auto r = runCli({"text", "331"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Please choose a cutter !\n");
    r = runCli({"text", "99999"});
    EXPECT_EQ(r.exitCode, 1);
    r = runCli({"text", "abc"});
    EXPECT_EQ(r.exitCode, 2);
}

TEST_F(StartupCommandTest, HelpAndUnknownCommands) {
    auto r = runCli({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("startup"), std::string::npos);
    r = runCli({"frobnicate"});
    EXPECT_EQ(r.exitCode, 2);
}

}  // namespace
}  // namespace sartovin

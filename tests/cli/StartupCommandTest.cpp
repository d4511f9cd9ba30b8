#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>

#include <ctime>

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

TEST_F(StartupCommandTest, ALaterStartLeavesTheSettingsAloneAndClearsWhatACrashLeft) {
    // The first runs store the language and the plotter chosen for the user.
    ASSERT_EQ(runIn("C", {"startup"}).exitCode, 0);
    ASSERT_EQ(runIn("C", {"ports"}).exitCode, 0);
    const std::string ini = dir.file("cfg/Sartovin/Sartovin.ini");
    struct stat before {};
    ASSERT_EQ(::stat(ini.c_str(), &before), 0);
    // A rewrite killed before its rename, an hour ago, and one that another program is making now.
    const std::string stale = ini + ".tmp-a1B2c3", fresh = ini + ".tmp-d4E5f6";
    test::writeFile(stale, "[State]\nLang");
    test::writeFile(fresh, "[State]\n");
    struct timeval old[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimes(stale.c_str(), old), 0);

    for (const char* command : {"startup", "ports"}) {
        auto r = runIn("C", {command});
        ASSERT_EQ(r.exitCode, 0) << command << r.err;
    }
    struct stat after {};
    ASSERT_EQ(::stat(ini.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the settings file was rewritten";
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_FALSE(fileExists(stale));
    EXPECT_TRUE(fileExists(fresh));
}

TEST_F(StartupCommandTest, ALanguageTheStartUpCannotStoreIsSaidAndFailsTheCommand) {
    ASSERT_EQ(runIn("C", {"startup"}).exitCode, 0);
    const std::string ini = dir.file("cfg/Sartovin/Sartovin.ini");
    const std::string before = test::readFile(ini);
    ASSERT_EQ(::chmod(ini.c_str(), 0444), 0);

    // The German locale settles on German, which the read-only file cannot take.
    auto r = runIn("de_DE.UTF-8", {"startup"});
    ::chmod(ini.c_str(), 0644);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("languageId=1000\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.err, "error: Die Einstellungen konnten nicht in " + ini + " gespeichert werden !\n");
    EXPECT_EQ(test::readFile(ini), before);

    // Nothing to store, nothing to say.
    ASSERT_EQ(::chmod(ini.c_str(), 0444), 0);
    r = runIn("C", {"startup"});
    ::chmod(ini.c_str(), 0644);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
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

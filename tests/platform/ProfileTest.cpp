#include "platform/Profile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

class ProfileTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string ini = dir.file("settings.ini");
};

TEST_F(ProfileTest, NamesCompareWithoutCaseAndTheFirstMatchWins) {
    writeFile(ini,
              "[State]\nSpeed=10\nspeed=20\n"
              "[state]\nSpeed=30\nForce=99\n");
    EXPECT_EQ(GetPrivateProfileInt("STATE", "SPEED", -1, ini), 10);
    // Only the first "State" section is read; its twin's keys are invisible.
    EXPECT_EQ(GetPrivateProfileInt("State", "Force", -1, ini), -1);
    EXPECT_EQ(GetPrivateProfileString("sTaTe", "sPeEd", "x", ini), "10");
}

TEST_F(ProfileTest, AbsentKeysReadAsTheDefaultAndEmptyIntegersToo) {
    writeFile(ini, "[State]\nEmpty=\nName=  spaced value  \nQuoted=\"  kept  \"\n");
    EXPECT_EQ(GetPrivateProfileInt("State", "Missing", 7, ini), 7);
    EXPECT_EQ(GetPrivateProfileInt("State", "Empty", 7, ini), 7);
    EXPECT_EQ(GetPrivateProfileString("State", "Missing", "def", ini), "def");
    EXPECT_EQ(GetPrivateProfileString("State", "Empty", "def", ini), "");
    EXPECT_EQ(GetPrivateProfileString("State", "Name", "", ini), "spaced value");
    EXPECT_EQ(GetPrivateProfileString("State", "Quoted", "", ini), "  kept  ");
    EXPECT_EQ(GetPrivateProfileString("Nowhere", "Name", "def", dir.file("nofile.ini")), "def");
}

TEST_F(ProfileTest, IntegersThatAreNotNumbersReadAsZero) {
    writeFile(ini, "[S]\na=abc\nb=12abc\nc=-3\nd=0x10\ne= +42\nf=--1\n");
    EXPECT_EQ(GetPrivateProfileInt("S", "a", 5, ini), 0);
    EXPECT_EQ(GetPrivateProfileInt("S", "b", 5, ini), 12);
    EXPECT_EQ(GetPrivateProfileInt("S", "c", 5, ini), -3);
    EXPECT_EQ(GetPrivateProfileInt("S", "d", 5, ini), 16);
    EXPECT_EQ(GetPrivateProfileInt("S", "e", 5, ini), 42);
    EXPECT_EQ(GetPrivateProfileInt("S", "f", 5, ini), 0);
}

TEST_F(ProfileTest, StringReadsAreLimitedToTheBuffer) {
    writeFile(ini, "[S]\nk=abcdef\nu=\xC3\xA4\xC3\xB6\n");
    EXPECT_EQ(GetPrivateProfileString("S", "k", "", ini, 4), "abc");
    // A cut never splits a UTF-8 character.
    EXPECT_EQ(GetPrivateProfileString("S", "u", "", ini, 4), "\xC3\xA4");
}

TEST_F(ProfileTest, ReadsMessyFilesByTheSameRules) {
    std::string messy =
        "\xEF\xBB\xBF[State]\r\n"
        "garbage line without equals\r\n"
        "; comment=1\r\n"
        "\x01\x02\xFF binary\r\n"
        "  Plotter = Jaguar IV 61 \r\n"
        "[Pl]otter]\r\nPortType=4";  // no final newline
    writeFile(ini, messy);
    EXPECT_EQ(GetPrivateProfileString("State", "Plotter", "", ini), "Jaguar IV 61");
    EXPECT_EQ(GetPrivateProfileString("State", "; comment", "none", ini), "none");
    EXPECT_EQ(GetPrivateProfileInt("Pl]otter", "PortType", 0, ini), 4);
}

TEST_F(ProfileTest, WritesChangeOneLineAndKeepEverythingElse) {
    std::string before = "\xEF\xBB\xBF; my notes\r\n[State]\r\nSpeed=10\r\n  odd line\r\n\r\n[Other]\r\nX=1";
    writeFile(ini, before);
    ASSERT_TRUE(WritePrivateProfileString("state", "SPEED", "25", ini));
    EXPECT_EQ(readFile(ini),
              "\xEF\xBB\xBF; my notes\r\n[State]\r\nSpeed=25\r\n  odd line\r\n\r\n[Other]\r\nX=1");

    // A new key goes after the last line of its section, before the blank line.
    ASSERT_TRUE(WritePrivateProfileString("State", "Force", "80", ini));
    EXPECT_EQ(readFile(ini),
              "\xEF\xBB\xBF; my notes\r\n[State]\r\nSpeed=25\r\n  odd line\r\nForce=80\r\n"
              "\r\n[Other]\r\nX=1");

    // A new key at the end of a file without a final newline gets a line end first.
    ASSERT_TRUE(WritePrivateProfileString("Other", "Y", "2", ini));
    EXPECT_EQ(readFile(ini).substr(readFile(ini).size() - 10), "X=1\r\nY=2\r\n");

    // A new section is appended.
    ASSERT_TRUE(WritePrivateProfileString("Jaguar IV 61", "PortType", "1", ini));
    EXPECT_EQ(GetPrivateProfileInt("Jaguar IV 61", "PortType", 0, ini), 1);
    EXPECT_EQ(GetPrivateProfileInt("State", "Speed", 0, ini), 25);
}

TEST_F(ProfileTest, WritesOnlyTheFirstOfDuplicateKeysAndSections) {
    writeFile(ini, "[A]\nk=1\nk=2\n[A]\nk=3\n");
    ASSERT_TRUE(WritePrivateProfileString("A", "K", "9", ini));
    EXPECT_EQ(readFile(ini), "[A]\nk=9\nk=2\n[A]\nk=3\n");
}

TEST_F(ProfileTest, TheFileIsCreatedOnTheFirstWrite) {
    ASSERT_TRUE(WritePrivateProfileString("State", "Language", "2000", ini));
    EXPECT_EQ(readFile(ini), "[State]\nLanguage=2000\n");
    EXPECT_EQ(GetPrivateProfileInt("State", "Language", 0, ini), 2000);
}

TEST_F(ProfileTest, ValuesCannotBreakTheFileIntoLines) {
    ASSERT_TRUE(WritePrivateProfileString("State", "Plotter", "evil\n[State]\nLanguage=1", ini));
    EXPECT_EQ(GetPrivateProfileInt("State", "Language", 7, ini), 7);
}

TEST_F(ProfileTest, AFailedWriteLeavesTheOldFileWhole) {
    writeFile(ini, "[State]\nSpeed=10\n");
    // A path whose folder is a file can never be written, root or not.
    writeFile(dir.file("blocker"), "x");
    EXPECT_FALSE(WritePrivateProfileString("State", "Speed", "1", dir.file("blocker/settings.ini")));
    EXPECT_EQ(readFile(dir.file("blocker")), "x");

    // A folder that cannot take the temporary sibling: the original stays as it was.
    if (::geteuid() != 0) {
        ::chmod(dir.path().c_str(), 0500);
        EXPECT_FALSE(WritePrivateProfileString("State", "Speed", "1", ini));
        ::chmod(dir.path().c_str(), 0700);
        EXPECT_EQ(readFile(ini), "[State]\nSpeed=10\n");
    }
}

TEST_F(ProfileTest, RewritesLeaveNoTemporaryFilesBehind) {
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(WritePrivateProfileString("S", "k", std::to_string(i), ini));
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    // The lock file stays: removing it would let two writers lock different files.
    EXPECT_EQ(names, (std::vector<std::string>{"settings.ini", "settings.ini.lock"}));
}

TEST_F(ProfileTest, TwoProgramsWritingAtOnceLoseNoKey) {
    ASSERT_TRUE(WritePrivateProfileString("State", "Language", "2000", ini));
    constexpr int kRounds = 150;
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        bool ok = true;
        for (int i = 0; i < kRounds; ++i) {
            ok = WritePrivateProfileString("State", "Language", "2000", ini) && ok;
            ok = WritePrivateProfileString("Child", "K" + std::to_string(i), std::to_string(i), ini) && ok;
        }
        ::_exit(ok ? 0 : 1);
    }
    bool ok = true;
    for (int i = 0; i < kRounds; ++i)
        ok = WritePrivateProfileString("Parent", "K" + std::to_string(i), std::to_string(i), ini) && ok;
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(ok);
    int lost = 0;
    for (int i = 0; i < kRounds; ++i) {
        lost += GetPrivateProfileInt("Child", "K" + std::to_string(i), -1, ini) != i;
        lost += GetPrivateProfileInt("Parent", "K" + std::to_string(i), -1, ini) != i;
    }
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(GetPrivateProfileInt("State", "Language", -1, ini), 2000);
}

TEST_F(ProfileTest, AFileChangedInPlaceByAnotherProgramIsReadAgain) {
    writeFile(ini, "[State]\nLanguage=1000\n");
    // Old enough for its parsing to be kept.
    std::this_thread::sleep_for(std::chrono::milliseconds(3100));
    EXPECT_EQ(GetPrivateProfileInt("State", "Language", -1, ini), 1000);
    EXPECT_EQ(GetPrivateProfileInt("State", "Language", -1, ini), 1000);
    // Same inode, same size: only the times tell.
    writeFile(ini, "[State]\nLanguage=2000\n");
    EXPECT_EQ(GetPrivateProfileInt("State", "Language", -1, ini), 2000);
    EXPECT_EQ(GetPrivateProfileKeys("State", ini), std::vector<std::string>{"Language"});
    ASSERT_TRUE(WritePrivateProfileString("State", "Language", "3000", ini));
    EXPECT_EQ(GetPrivateProfileInt("State", "Language", -1, ini), 3000);
}

TEST_F(ProfileTest, AWriteThatChangesNothingLeavesTheFileAlone) {
    writeFile(ini, "[State]\nLanguage=2000\n");
    struct stat before {};
    ASSERT_EQ(::stat(ini.c_str(), &before), 0);
    ASSERT_TRUE(WritePrivateProfileString("state", "LANGUAGE", "2000", ini));
    struct stat after {};
    ASSERT_EQ(::stat(ini.c_str(), &after), 0);
    // Same inode: no rename replaced the file.
    EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(ProfileTest, SeveralValuesGoInOneRewrite) {
    writeFile(ini, "[Sable 60]\nPort=COM1\n");
    struct stat before {};
    ASSERT_EQ(::stat(ini.c_str(), &before), 0);
    ASSERT_TRUE(WritePrivateProfileStrings(
        {{"Sable 60", "USBGCCName", "Sable 60"}, {"Sable 60", "PortType", "4"}}, ini));
    EXPECT_EQ(readFile(ini), "[Sable 60]\nPort=COM1\nUSBGCCName=Sable 60\nPortType=4\n");
    // A batch with an empty key is refused as a whole.
    EXPECT_FALSE(WritePrivateProfileStrings({{"Sable 60", "Port", "COM2"}, {"Sable 60", " ", "x"}}, ini));
    EXPECT_EQ(GetPrivateProfileString("Sable 60", "Port", "", ini), "COM1");
}

TEST_F(ProfileTest, KeysAndDeletion) {
    writeFile(ini, "[Medien]\nPapier=Paper\nKarton=Cardboard\n[X]\nA=1\n");
    EXPECT_EQ(GetPrivateProfileKeys("medien", ini), (std::vector<std::string>{"Papier", "Karton"}));
    ASSERT_TRUE(DeletePrivateProfileKey("Medien", "papier", ini));
    EXPECT_EQ(readFile(ini), "[Medien]\nKarton=Cardboard\n[X]\nA=1\n");
}

}  // namespace
}  // namespace sartovin

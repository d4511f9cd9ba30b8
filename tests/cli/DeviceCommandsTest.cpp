#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <future>
#include <thread>

#include "support/FullFileSystem.h"
#include "support/PrivateCupsd.h"
#include "support/PseudoTerminal.h"
#include "support/RunProgram.h"
#include "support/SerialCutter.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::readFile;
using test::runProgram;
using test::TempDir;
using test::writeFile;

// The drawing and the settings of a user whose Jaguar IV 61 hangs on a given port.
class DeviceCommandsTest : public ::testing::Test {
protected:
    DeviceCommandsTest() {
        writeFile(job,
                  "Sartovin Daten von AI.\r\nQXSeite\r\n100 100\r\nQXEbene\r\nE\r\nQXObjekt\r\nQXAuswahl\r\n"
                  "nein\r\nQXKoordinaten\r\n0 10 10 0\r\nQXFuellfarbe\r\nkeine\r\n\r\n\r\nQXStart\r\n"
                  "QXGeschlossen\r\nja\r\nC 0 0 0 0 0 0\r\nC 10 0 10 0 10 0\r\nC 10 10 10 10 10 10\r\n"
                  "QXEnde\r\n");
    }

    void usePort(int portType, const std::string& port, const std::string& plotter = "Jaguar IV 61") {
        writeFile(dir.file("cfg/Sartovin/Sartovin.ini"), "[State]\nPlotter=" + plotter + "\n[" + plotter +
                                                             "]\nPortType=" + std::to_string(portType) +
                                                             "\nPort=" + port + "\n");
    }

    test::ProgramResult run(std::vector<std::string> args,
                            std::vector<std::pair<std::string, std::string>> extra = {},
                            const std::function<void(int)>& whileRunning = {}) {
        std::vector<std::string> argv{SARTOVIN_CLI};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<std::pair<std::string, std::string>> env{{"XDG_CONFIG_HOME", dir.file("cfg")},
                                                             {"XDG_DATA_DIRS", dir.file("share")},
                                                             {"LC_ALL", ""},
                                                             {"LANG", "en_US.UTF-8"},
                                                             {"TMPDIR", dir.file("")},
                                                             {"DISPLAY", ""}};
        env.insert(env.end(), extra.begin(), extra.end());
        return runProgram(argv, env, whileRunning);
    }

    // The bytes the plot run produces, written to a file instead of a port.
    std::string expectedStream() {
        std::string out = dir.file("expected.plt");
        auto r = run({"plot", "--quiet", "--start-mode", "2", "--output", out, job});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return readFile(out);
    }

    TempDir dir;
    std::string job = dir.file("square.qxj");
};

// A Jaguar on a serial line: it answers the questions the program asks before it cuts.
TEST_F(DeviceCommandsTest, PlotDeliversTheStreamOverASerialPort) {
    test::SerialCutter jaguar;
    jaguar.answers = {{"\x1b.R4:", "OR4,Jaguar IV,GCC,1.10;"},
                      {"\x1b.R1:", "OR1,3,120,250,20,1,0,1;"},
                      {"OH;", "0,0,40000,24000"}};
    jaguar.startAnswering();
    usePort(1, jaguar.path());
    std::string expected = expectedStream();
    ASSERT_FALSE(expected.empty());
    auto r = run({"plot", "--quiet", "--start-mode", "2", job});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::string received = jaguar.received();
    EXPECT_EQ(received.substr(0, 13), "\x1b.R4:\x1b.R1:OH;") << "the cutter is asked what it is first";
    EXPECT_EQ(jaguar.receivedAfterAnswers(), expected);
    EXPECT_NE(r.err.find("serial port " + jaguar.path()), std::string::npos) << r.err;
}

// A Sable takes its settings block before the job; offline, --model stands in for its answer.
TEST_F(DeviceCommandsTest, ASableIsAskedWhatItIsAndGetsItsSettingsBlock) {
    test::SerialCutter sable;
    sable.answers = {{"\x1b.R4:", "OR4,GCC,Sable 60,1.16;"},
                     {"\x1b.R1:", "OR1,3,120,250,20,1,0,1;"},
                     {"OH;", "0,0,40000,24000"}};
    sable.startAnswering();
    usePort(1, sable.path(), "Sable 60");
    auto r = run({"plot", "--quiet", "--start-mode", "2", job});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string delivered = sable.receivedAfterAnswers();
    EXPECT_EQ(sable.received().substr(0, 13), "\x1b.R4:\x1b.R1:OH;");
    EXPECT_NE(test::settingsBlock(delivered), "") << delivered.substr(0, 80);

    std::string out = dir.file("sable.plt");
    r = run({"plot", "--quiet", "--start-mode", "2", "--model", "Sable 60", "--output", out, job});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readFile(out), delivered);
    r = run({"plot", "--quiet", "--start-mode", "2", "--output", out, job});
    EXPECT_EQ(test::settingsBlock(readFile(out)), "") << "without the cutter's answer no block";
    r = run({"plot", "--quiet", "--start-mode", "2", "--model", "Sable 60", job});
    EXPECT_EQ(r.exitCode, 2) << "a connected cutter answers for itself";

    // The test cut asks too: the block goes first, on its own.
    std::size_t before = sable.received().size();
    r = run({"testcut", "--start-mode", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string testCut = sable.received().substr(before);
    EXPECT_EQ(testCut.rfind("\x1b.R4:", 0), 0u);
    const std::string block = test::settingsBlock(testCut);
    EXPECT_EQ(block.rfind("\x1b.C1;16;2:\x1b.C1;18;", 0), 0u) << block;
    // The file holds what the cutter received: each send as it went out, closing zero included.
    const std::string sent = sable.receivedAfterAnswers();
    EXPECT_EQ(sent.substr(block.size(), 1), std::string(1, '\0')) << "the block is a send of its own";
    EXPECT_EQ(sent.back(), '\0');
    r = run({"testcut", "--start-mode", "2", "--model", "Sable 60", "--output", out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readFile(out), sent);
}

TEST_F(DeviceCommandsTest, PlotDeliversToAPrintQueueAndFailsOnAStoppedOne) {
    if (!test::PrivateCupsd::installed()) GTEST_SKIP() << "cupsd is not installed";
    test::PrivateCupsd cupsd;
    ASSERT_TRUE(cupsd.running()) << cupsd.problem();
    std::string capture = cupsd.addCaptureQueue("Cutter");
    ASSERT_FALSE(capture.empty());
    usePort(3, "Cutter");
    std::string expected = expectedStream();
    auto r = run({"plot", "--quiet", "--start-mode", "2", job}, {{"CUPS_SERVER", cupsd.socketPath()}});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(cupsd.waitForFile(capture, expected.size()), expected);

    ASSERT_TRUE(cupsd.admin("cupsdisable", "Cutter"));
    r = run({"plot", "--quiet", "--start-mode", "2", job}, {{"CUPS_SERVER", cupsd.socketPath()}});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Cutter communication error"), std::string::npos) << r.err;
}

TEST_F(DeviceCommandsTest, TheLaserJobGoesToTheEngraversQueueUnchanged) {
    if (!test::PrivateCupsd::installed()) GTEST_SKIP() << "cupsd is not installed";
    test::PrivateCupsd cupsd;
    ASSERT_TRUE(cupsd.running()) << cupsd.problem();
    std::string capture = cupsd.addCaptureQueue("Engraver");
    ASSERT_FALSE(capture.empty());
    usePort(3, "Engraver", "Laser C180");
    writeFile(dir.file("cfg/Sartovin/C18.def"), "[C18]\nRESOLUTION=250\n");
    const std::string expected = dir.file("expected.prn");
    auto r = run({"plot", "--quiet", "--start-mode", "21", "--output", expected, job});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string block = readFile(expected);
    ASSERT_GT(block.size(), 100u);
    r = run({"plot", "--quiet", "--start-mode", "21", job}, {{"CUPS_SERVER", cupsd.socketPath()}});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(cupsd.waitForFile(capture, block.size()) == block);
}

TEST_F(DeviceCommandsTest, ACutterThatHangsUpEndsTheRunWithItsMessage) {
    // The adapter was unplugged: its node is gone. (A closed pseudo-terminal's number can be taken
    // again at once by a test running beside this one.)
    usePort(1, dir.file("ttyUSB0"));
    auto r = run({"plot", "--quiet", "--start-mode", "2", job});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("error: Can not open the port !\nDevice: " + dir.file("ttyUSB0") +
                         "\nNo such file or directory\n"),
              std::string::npos)
        << r.err;
    // A German user reads the same in German.
    usePort(1, dir.file("ttyUSB0"));
    std::string ini = readFile(dir.file("cfg/Sartovin/Sartovin.ini"));
    writeFile(dir.file("cfg/Sartovin/Sartovin.ini"), ini.insert(ini.find('\n') + 1, "LanguageChoice=-3\nLanguage=1000\n"));
    r = run({"plot", "--quiet", "--start-mode", "2", job});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Kann den Anschluss nicht öffnen !\nGerät: " + dir.file("ttyUSB0") + "\n"),
              std::string::npos)
        << r.err;
}

TEST_F(DeviceCommandsTest, AQueueOfASchedulerThatIsNotThereIsNamedWithTheReason) {
    usePort(3, "Cutter");
    const std::string socket = dir.file("no-cupsd.sock");
    auto r = run({"plot", "--quiet", "--start-mode", "2", job}, {{"CUPS_SERVER", socket}});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("error: Can not open the port !\nPrint queue: Cutter\n" + socket + ": "),
              std::string::npos)
        << r.err;
}

// A cutter that stops reading mid-job: Ctrl-C or a terminate signal ends the run with its message
// instead of killing the program or leaving it waiting, and the port serves the next run.
TEST_F(DeviceCommandsTest, ATerminateSignalStopsAWriteTheCutterNoLongerTakes) {
    // A long zig-zag: far more bytes than the line buffers hold.
    std::string big =
        "Sartovin Daten von AI.\r\nQXSeite\r\n100 100\r\nQXEbene\r\nE\r\nQXObjekt\r\nQXAuswahl\r\nnein\r\n"
        "QXKoordinaten\r\n0 100 100 "
        "0\r\nQXFuellfarbe\r\nkeine\r\n\r\n\r\nQXStart\r\nQXGeschlossen\r\nnein\r\n";
    for (int i = 0; i < 40000; ++i) {
        std::string p = std::to_string(i % 2 ? 90 : 10) + " " + std::to_string(10 + (i % 800) / 10);
        big += "C " + p + " " + p + " " + p + "\r\n";
    }
    big += "QXEnde\r\n";
    std::string bigJob = dir.file("zigzag.qxj");
    writeFile(bigJob, big);

    test::SerialCutter jaguar;
    jaguar.answers = {{"\x1b.R4:", "OR4,Jaguar IV,GCC,1.10;"},
                      {"\x1b.R1:", "OR1,3,120,250,20,1,0,1;"},
                      {"OH;", "0,0,40000,24000\r"}};
    jaguar.startAnswering();
    usePort(1, jaguar.path());
    auto start = std::chrono::steady_clock::now();
    double secondsToEnd = 0;
    auto r = run({"plot", "--quiet", "--start-mode", "2", bigJob}, {}, [&](int pid) {
        while (jaguar.receivedAfterAnswers().size() < 1000 &&
               std::chrono::steady_clock::now() - start < std::chrono::seconds(60))
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        jaguar.stop();  // the cutter takes nothing more
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        auto signalled = std::chrono::steady_clock::now();
        ::kill(pid, SIGTERM);
        // Wait for the end without reaping: runProgram collects the exit status.
        siginfo_t info{};
        while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
               info.si_pid == 0) {
            if (std::chrono::steady_clock::now() - signalled > std::chrono::seconds(10)) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        secondsToEnd = std::chrono::duration<double>(std::chrono::steady_clock::now() - signalled).count();
    });
    EXPECT_EQ(r.exitCode, 1) << "the signal must end the write, not the program";
    EXPECT_NE(r.err.find("delivery to serial port"), std::string::npos) << r.err;
    EXPECT_LT(secondsToEnd, 2.0);

    jaguar.startAnswering();
    auto again = run({"plot", "--quiet", "--start-mode", "2", job});
    EXPECT_EQ(again.exitCode, 0) << again.err;
}

TEST_F(DeviceCommandsTest, TestCutTextsForBothCutterEditions) {
    std::string out = dir.file("testcut.plt");
    auto r = run({"testcut", "--start-mode", "2", "--plotter", "Jaguar IV 61", "--output", out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string bytes = readFile(out);
    EXPECT_EQ(bytes.rfind("IN;VS", 0), 0u) << bytes;
    EXPECT_NE(bytes.find(";SP1;PR;PD;"), std::string::npos) << bytes;
    EXPECT_EQ(bytes.back(), '\0') << "the cutter receives the closing zero byte";

    r = run({"testcut", "--start-mode", "11", "--plotter", "CC200", "--output", out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    bytes = readFile(out);
    EXPECT_EQ(bytes.rfind("!", 0), 0u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "H,");
    r = run({"testcut", "--start-mode", "21", "--output", out});
    EXPECT_EQ(r.exitCode, 2);
}

TEST_F(DeviceCommandsTest, PortsListsAndRefusesBadChoices) {
    auto r = run({"ports", "--start-mode", "2", "--plotter", "Jaguar IV 61"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Connections for Jaguar IV 61"), std::string::npos) << r.out;
    r = run({"ports", "--start-mode", "2", "--choose", "999"});
    EXPECT_EQ(r.exitCode, 2);
    r = run({"ports", "--start-mode", "2", "--plotter", "Nope"});
    EXPECT_EQ(r.exitCode, 2);
}

TEST_F(DeviceCommandsTest, APortChoiceThatCannotBeSavedIsReportedAndNotClaimed) {
    if (!test::PrivateCupsd::installed()) GTEST_SKIP() << "cupsd is not installed";
    test::FullFileSystem disk(dir.file("cfg"), 1 << 20);
    if (!disk.mounted()) GTEST_SKIP() << "no right to mount a small file system here";
    test::PrivateCupsd cupsd;
    ASSERT_TRUE(cupsd.running()) << cupsd.problem();
    cupsd.addCaptureQueue("Cutter");
    const std::pair<std::string, std::string> server{"CUPS_SERVER", cupsd.socketPath()};
    const std::string ini = dir.file("cfg/Sartovin/Sartovin.ini");
    usePort(1, "/dev/ttyS9");
    auto r = run({"ports", "--start-mode", "2"}, {server});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::size_t at = r.out.find("  Cutter");
    ASSERT_NE(at, std::string::npos) << r.out;
    std::size_t lineStart = r.out.rfind('\n', at) + 1;
    const std::string item = std::to_string(std::stoi(r.out.substr(lineStart + 2)));
    const std::string before = readFile(ini);

    disk.fill();
    r = run({"ports", "--start-mode", "2", "--choose", item}, {server});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out.find("now uses"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("The settings could not be saved in " + ini), std::string::npos) << r.err;
    EXPECT_EQ(readFile(ini), before);

    // With room again the same choice is stored, and nothing of the failed attempt is in the way.
    disk.drain();
    r = run({"ports", "--start-mode", "2", "--choose", item}, {server});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("now uses"), std::string::npos) << r.out;
    EXPECT_NE(readFile(ini).find("PortType=3"), std::string::npos) << readFile(ini);
}

TEST_F(DeviceCommandsTest, EveryCommandRefusesABadStartModeAndPlotterInTheSameWords) {
    const std::string png = dir.file("p.png");
    for (const std::string mode : {"99", "x"}) {
        for (std::vector<std::string> args :
             {std::vector<std::string>{"plot", "--output", dir.file("o"), job},
              {"preview", "--png", png, job},
              {"ports"},
              {"query"},
              {"testcut"},
              {"inspect", job}}) {
            const std::string command = args[0];
            args.insert(args.begin() + 1, {"--start-mode", mode});
            auto r = run(args);
            EXPECT_EQ(r.exitCode, 2) << command;
            EXPECT_EQ(r.err, "sartovin " + command + ": '" + mode + "' is not a start mode\n") << command;
        }
    }
    for (std::vector<std::string> args : {std::vector<std::string>{"plot", "--output", dir.file("o"), job},
                                          {"preview", "--png", png, job},
                                          {"ports"},
                                          {"query"},
                                          {"testcut"}}) {
        const std::string command = args[0];
        args.insert(args.begin() + 1, {"--start-mode", "2", "--plotter", "Nope"});
        auto r = run(args);
        EXPECT_EQ(r.exitCode, 2) << command;
        EXPECT_EQ(
            r.err.rfind(
                "sartovin " + command + ": no plotter named 'Nope'; the catalog has:\n  Puma III 60\n", 0),
            0u)
            << command << ": " << r.err;
    }
}

}  // namespace
}  // namespace sartovin

#include <gtest/gtest.h>
#include <sys/time.h>

#include <algorithm>
#include <ctime>

#include "platform/Files.h"
#include "platform/Profile.h"
#include "support/CliTest.h"
#include "support/FullFileSystem.h"
#include "support/JobFileText.h"

namespace sartovin {
namespace {

using test::readFile;
using test::writeFile;

class PlotCommandTest : public test::CliTest {
protected:
    // A 10 mm square, closed, drawn with four corner anchors.
    PlotCommandTest() { writeFile(job, test::rectangleJobFile(10, 10)); }

    test::ProgramResult plot(std::vector<std::string> args) {
        args.insert(args.begin(), {"plot", "--quiet"});
        return runCli(args);
    }

    std::string job = dir.file("square.qxj");
    std::string out = dir.file("out.plt");
};

TEST_F(PlotCommandTest, StandardEditionWritesHpglWithItsTrailingZeroByte) {
    auto r = plot({"--start-mode", "2", "--plotter", "Jaguar IV 61", "--speed", "20", "--force", "80",
                   "--output", out, job});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string bytes = readFile(out);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.back(), '\0');
    EXPECT_NE(bytes.find("IN;VS20;FS80;"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("PD;"), std::string::npos);
    EXPECT_NE(r.err.find("1 group(s)"), std::string::npos);
}

TEST_F(PlotCommandTest, RunsAreRepeatableAndLeaveTheSettingsAlone) {
    ASSERT_EQ(plot({"--start-mode", "2", "--output", out, job}).exitCode, 0);
    std::string ini = dir.file("cfg/Sartovin/Sartovin.ini");
    std::string settingsBefore = readFile(ini);
    std::string first = readFile(out);
    auto r = plot({"--start-mode", "2", "--speed", "7", "--columns", "3", "--output", out, job});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(readFile(out), first);
    EXPECT_EQ(readFile(ini), settingsBefore);
    ASSERT_EQ(plot({"--start-mode", "2", "--output", out, job}).exitCode, 0);
    EXPECT_EQ(readFile(out), first);
}

TEST_F(PlotCommandTest, AnOutputThatCannotBeWrittenWholeLeavesTheOldFileAndNoPart) {
    test::FullFileSystem disk(dir.file("disk"), 256 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << "no right to mount a small file system here";
    const std::string target = dir.file("disk/job.plt");
    ASSERT_EQ(plot({"--start-mode", "2", "--output", target, job}).exitCode, 0);
    const std::string old = readFile(target);
    disk.fill();

    auto r = plot({"--start-mode", "2", "--speed", "7", "--output", target, job});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("writing " + target + " failed"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(target), old);
    std::vector<std::string> names;
    ASSERT_TRUE(listFolder(dir.file("disk"), names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".filler", "job.plt"}));

    // With room again, what a killed run left beside the target an hour ago goes too.
    disk.drain();
    const std::string stale = target + ".tmp-Zz9Yy8";
    writeFile(stale, old.substr(0, 10));
    struct timeval hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimes(stale.c_str(), hourAgo), 0);
    r = plot({"--start-mode", "2", "--speed", "7", "--output", target, job});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(readFile(target), old);
    EXPECT_FALSE(fileExists(stale));
}

TEST_F(PlotCommandTest, ProgressIsInTheLanguageOfTheRestOfTheRun) {
    auto r = runCli({"plot", "--start-mode", "2", "--output", out, job}, {{"LANG", "C.UTF-8"}});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("Calculating the plot data ... 100%"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Plotdaten"), std::string::npos) << r.err;
    r = runCli({"plot", "--start-mode", "2", "--output", out, job}, {{"LANG", "de_DE.UTF-8"}});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("Plotdaten werden berechnet ... 100%"), std::string::npos) << r.err;
}

TEST_F(PlotCommandTest, HobbyEditionWritesGpglWithoutTheZeroByte) {
    auto r = plot({"--start-mode", "11", "--plotter", "CC200", "--output", out, job});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string bytes = readFile(out);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.rfind("FU", 0), 0u) << bytes.substr(0, 40);
    EXPECT_NE(bytes.back(), '\0');
    const std::string end = "&1,1,1,FO0\x03H,";
    EXPECT_EQ(bytes.substr(bytes.size() - end.size()), end);
}

TEST_F(PlotCommandTest, OutOfRangeValuesAreClampedAndSaid) {
    auto r =
        plot({"--start-mode", "2", "--plotter", "Jaguar IV 61", "--speed", "5000", "--output", out, job});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("speed 5000 is outside"), std::string::npos) << r.err;
}

TEST_F(PlotCommandTest, BadInputIsRefusedWithAReason) {
    auto r = plot({"--start-mode", "2", "--plotter", "No Such Cutter", "--output", out, job});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("Jaguar IV 61"), std::string::npos);  // the catalog is listed

    writeFile(dir.file("empty.qxj"), "Sartovin Daten von AI.\r\nQXSeite\r\n10 10\r\n");
    r = plot({"--start-mode", "2", "--output", out, dir.file("empty.qxj")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("No objects for cutting found !"), std::string::npos) << r.err;

    r = plot({"--start-mode", "2", "--speed", "fast", "--output", out, job});
    EXPECT_EQ(r.exitCode, 2);
    r = plot({"--output", out, dir.file("missing.qxj")});
    EXPECT_EQ(r.exitCode, 1);
    r = runCli({"plot", "--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("--position-right"), std::string::npos);
}

TEST_F(PlotCommandTest, MistakesAreNamedBeforeTheUsageAndCountsBelowOneAreRefused) {
    auto r = plot({"--start-mode", "2", "--frobnicate", "--output", out, job});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("sartovin plot: unknown option '--frobnicate'\n", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("usage: sartovin plot"), std::string::npos);
    for (const char* option : {"--columns", "--rows", "--repeat"}) {
        r = plot({"--start-mode", "2", option, "-3", "--output", out, job});
        EXPECT_EQ(r.exitCode, 2) << option;
        EXPECT_NE(r.err.find(std::string(option) + " wants a count of 1 or more, not -3"), std::string::npos)
            << r.err;
    }
    r = plot({"--start-mode", "2", "--rotate", "sideways", "--output", out, job});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("--rotate wants none, right, left or 180"), std::string::npos) << r.err;
    r = plot({"--start-mode", "2", "--overcut", "5", "--output", out, job});
    EXPECT_EQ(r.exitCode, 2);
    r = runCli({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind("sartovin ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find('.'), std::string::npos);
}

TEST_F(PlotCommandTest, APlotterNamePicksItsEditionAndTheJobOptionsChangeWhatIsCut) {
    auto r = plot({"--plotter", "Silhouette Cameo", "--output", out, job});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string bytes = readFile(out);
    EXPECT_EQ(bytes.rfind("FU", 0), 0u) << bytes.substr(0, 40);
    EXPECT_NE(r.err.find("Silhouette Cameo"), std::string::npos);

    auto cut = [&](std::vector<std::string> extra) {
        std::vector<std::string> args{"--start-mode", "2", "--plotter", "Jaguar IV 61", "--output", out};
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(job);
        auto result = plot(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return readFile(out);
    };
    auto strokes = [](const std::string& s) {
        std::size_t n = 0;
        for (std::size_t at = s.find("PD"); at != std::string::npos; at = s.find("PD", at + 1)) ++n;
        return n;
    };
    const std::string plain = cut({});
    EXPECT_NE(cut({"--mirror"}), plain);
    EXPECT_NE(cut({"--rotate", "180"}), plain);
    EXPECT_EQ(cut({"--rotate", "none", "--no-mirror"}), cut({"--rotate", "none"}));
    EXPECT_GT(strokes(cut({"--weeding-frame", "5"})), strokes(plain)) << "the frame is one more shape";
    EXPECT_EQ(cut({"--weeding-frame", "0"}), plain);
    EXPECT_NE(cut({"--overcut", "1"}), plain);
}

TEST_F(PlotCommandTest, AGenericHpglCutterGetsOnlyCommonCommandsAndKeepsItsOwnSettings) {
    auto r = plot(
        {"--start-mode", "2", "--plotter", "Generic HP-GL cutter", "--speed", "20", "--output", out, job});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string bytes = readFile(out);
    EXPECT_EQ(bytes.rfind("IN;SP1;PR;", 0), 0u) << bytes.substr(0, 40);
    for (const char* maker : {"\x1b", "VS", "FS", "AS", "TO"})
        EXPECT_EQ(bytes.find(maker), std::string::npos) << maker << " in " << bytes.substr(0, 80);
    EXPECT_NE(bytes.find("PD"), std::string::npos);
}

TEST_F(PlotCommandTest, TheBundledExamplesCut) {
    for (const char* example : {"stickers.qxj", "lettering.qxj", "marks.qxj"}) {
        auto r = plot({"--start-mode", "2", "--output", out,
                       std::string(SARTOVIN_SOURCE_DIR) + "/examples/" + example});
        EXPECT_EQ(r.exitCode, 0) << example << ": " << r.err;
        EXPECT_GT(readFile(out).size(), 100u) << example;
    }
}

}  // namespace
}  // namespace sartovin

namespace sartovin {
namespace {

TEST_F(PlotCommandTest, LaserEditionEngravesTheBundledNameplate) {
    const std::string nameplate = std::string(SARTOVIN_SOURCE_DIR) + "/examples/nameplate.qxj";
    const std::string definition = dir.file("cfg/Sartovin/C18.def");
    const std::string esc(1, '\x1b');

    // Without the engraver's definition file nothing is generated, and the message names the file.
    auto r = plot({"--start-mode", "21", "--output", out, nameplate});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(definition), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("was not found"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(out), "");

    // The file's resolution, snapped to the engraver's list: 600 dpi engraves at 500.
    ASSERT_TRUE(WritePrivateProfileString("C18", "RESOLUTION", "600", definition));
    r = plot({"--start-mode", "21", "--output", out, nameplate});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string bytes = readFile(out);
    EXPECT_EQ(bytes.rfind(esc + "%-12345X" + esc + "E", 0), 0u);
    EXPECT_EQ(bytes.substr(bytes.size() - 11), esc + "E" + esc + "%-12345X");
    EXPECT_NE(bytes.find(esc + "*t500R"), std::string::npos);
    EXPECT_NE(bytes.find(esc + "*b"), std::string::npos);
    EXPECT_NE(bytes.find("SP2;"), std::string::npos);

    // The Inkscape host of the laser edition builds the laser job too.
    r = plot({"--start-mode", "22", "--no-inkscape", "--output", out,
              std::string(SARTOVIN_SOURCE_DIR) + "/examples/nameplate.svg"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readFile(out).rfind(esc + "%-12345X" + esc + "E", 0), 0u);

    // --resolution stands in for the file; --invert engraves the objects instead.
    r = plot({"--start-mode", "21", "--resolution", "300", "--output", out, nameplate});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string at250 = readFile(out);
    EXPECT_NE(at250.find(esc + "*t250R"), std::string::npos);
    r = plot({"--start-mode", "21", "--resolution", "250", "--invert", "--output", out, nameplate});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(readFile(out), at250);
    EXPECT_EQ(readFile(out).size() > 1000, true);

    EXPECT_EQ(plot({"--start-mode", "21", "--resolution", "100", "--output", out, nameplate}).exitCode, 2);
    EXPECT_EQ(plot({"--start-mode", "2", "--invert", "--output", out, nameplate}).exitCode, 2);
}

}  // namespace
}  // namespace sartovin

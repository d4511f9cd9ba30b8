#include <gtest/gtest.h>

#include <cstdint>
#include <regex>

#include "support/CliTest.h"
#include "support/JobFileText.h"

namespace sartovin {
namespace {

using test::readFile;
using test::writeFile;

std::uint32_t bigEndian(const std::string& b, std::size_t at) {
    return (std::uint32_t(std::uint8_t(b[at])) << 24) | (std::uint32_t(std::uint8_t(b[at + 1])) << 16) |
           (std::uint32_t(std::uint8_t(b[at + 2])) << 8) | std::uint32_t(std::uint8_t(b[at + 3]));
}

class PreviewCommandTest : public test::CliTest {
protected:
    // A 40 × 20 mm rectangle.
    PreviewCommandTest() { writeFile(job, test::rectangleJobFile(40, 20)); }

    test::ProgramResult preview(std::vector<std::string> args) {
        args.insert(args.begin(), "preview");
        return runCli(args);
    }

    std::string job = dir.file("rect.qxj");
    std::string png = dir.file("out.png");
};

TEST_F(PreviewCommandTest, WritesAPngOfTheMediumAtTheScale) {
    auto r =
        preview({"--start-mode", "2", "--columns", "3", "--rows", "2", "--scale", "2", "--png", png, job});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string bytes = readFile(png);
    ASSERT_GT(bytes.size(), 24u);
    ASSERT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    ASSERT_EQ(bytes.substr(12, 4), "IHDR");
    const std::uint32_t width = bigEndian(bytes, 16), height = bigEndian(bytes, 20);

    // The message names the medium and the part of a roll that is drawn; the picture is that at
    // 2 pixels per mm with 20 pixels around it.
    std::smatch m;
    const std::regex said(
        R"(medium (\d+) x (\d+) mm(?: \(its first (\d+) mm\))?, 6 copies: (\d+) x (\d+) pixels written to (.*)\n)");
    ASSERT_TRUE(std::regex_search(r.err, m, said)) << r.err;
    const int mediumWidth = std::stoi(m[1]);
    const int shownLength = m[3].matched ? std::stoi(m[3]) : std::stoi(m[2]);
    EXPECT_EQ(width, std::uint32_t(2 * mediumWidth + 40));
    EXPECT_EQ(height, std::uint32_t(2 * shownLength + 40));
    EXPECT_EQ(std::stoul(m[4]), width);
    EXPECT_EQ(std::stoul(m[5]), height);
    EXPECT_EQ(m[6], png);
}

TEST_F(PreviewCommandTest, RefusesWithoutAPngAndReportsUnreadableDrawings) {
    auto r = preview({"--start-mode", "2", job});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("usage: sartovin preview"), std::string::npos);
    r = preview({"--start-mode", "2", "--scale", "0", "--png", png, job});
    EXPECT_EQ(r.exitCode, 2);
    writeFile(dir.file("broken.qxj"), "not a job\r\n");
    r = preview({"--start-mode", "2", "--png", png, dir.file("broken.qxj")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cannot read"), std::string::npos) << r.err;
    EXPECT_TRUE(readFile(png).empty());
}

}  // namespace
}  // namespace sartovin

namespace sartovin {
namespace {

TEST_F(PreviewCommandTest, TheLaserEditionShowsTheInvertedJob) {
    auto r = preview({"--start-mode", "21", "--scale", "2", "--png", png, job});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string plain = readFile(png);
    r = preview({"--start-mode", "21", "--invert", "--scale", "2", "--png", png, job});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(readFile(png), plain);
    EXPECT_EQ(preview({"--start-mode", "2", "--invert", "--png", png, job}).exitCode, 2);
}

}  // namespace
}  // namespace sartovin

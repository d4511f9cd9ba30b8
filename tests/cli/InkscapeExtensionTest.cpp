#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::readFile;
using test::runProgram;
using test::TempDir;
using test::writeFile;

const std::string kScript = std::string(SARTOVIN_BINARY_DIR) + "/inkscape/sartovin-inkscape";
const std::string kPackaging = std::string(SARTOVIN_SOURCE_DIR) + "/packaging/inkscape/";

// A stand-in for the program that records what it was started with.
std::string fakeProgram(const TempDir& dir) {
    std::string path = dir.file("fake-sartovin");
    writeFile(path, "#!/bin/sh\nprintf '%s\\n' \"$1\" > \"" + dir.file("started") +
                        ".tmp\"\ncat \"$1\" >> \"" + dir.file("started") + ".tmp\"\nmv \"" +
                        dir.file("started") + ".tmp\" \"" + dir.file("started") + "\"\n");
    ::chmod(path.c_str(), 0755);
    return path;
}

std::string waitForFile(const std::string& path) {
    for (int i = 0; i < 100 && !std::filesystem::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return readFile(path);
}

TEST(InkscapeExtensionTest, HandsACopyToTheProgramAndTheDrawingBackUnchanged) {
    TempDir dir;
    std::string drawing = dir.file("inkscape-copy.svg");
    writeFile(drawing, "<svg xmlns=\"http://www.w3.org/2000/svg\"><path d=\"M 0,0 L 10,0\"/></svg>\n");
    auto r = runProgram({kScript, "--edition=hobby", "--id=path1", drawing},
                        {{"SARTOVIN_PROGRAM", fakeProgram(dir)}, {"XDG_RUNTIME_DIR", dir.file("")}});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, readFile(drawing));
    // Inkscape removes its own copy when the script ends; the program reads one of its own.
    std::string started = waitForFile(dir.file("started"));
    ASSERT_FALSE(started.empty());
    std::string copy = started.substr(0, started.find('\n'));
    EXPECT_NE(copy, drawing);
    EXPECT_NE(copy.find("sartovin-drawing-"), std::string::npos);
    EXPECT_EQ(started.substr(started.find('\n') + 1), readFile(drawing));
    // ...and the copy is gone once the program has ended.
    for (int i = 0; i < 100 && std::filesystem::exists(copy); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(std::filesystem::exists(copy));
}

TEST(InkscapeExtensionTest, WithoutTheProgramTheDrawingStillComesBack) {
    TempDir dir;
    std::string drawing = dir.file("d.svg");
    writeFile(drawing, "<svg/>");
    auto r = runProgram({kScript, drawing}, {{"SARTOVIN_PROGRAM", dir.file("missing")}});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "<svg/>");
    EXPECT_NE(r.err.find("is not installed"), std::string::npos);
    r = runProgram({kScript, "--edition=laser"});
    EXPECT_EQ(r.exitCode, 1);
}

TEST(InkscapeExtensionTest, EveryEditionHasItsMenuEntry) {
    for (const char* edition : {"standard", "hobby", "laser"}) {
        std::string inx = readFile(kPackaging + "sartovin_" + edition + ".inx");
        EXPECT_NE(inx.find(std::string("<id>org.sartovin.cut.") + edition + "</id>"), std::string::npos);
        EXPECT_NE(inx.find(std::string(">") + edition + "</param>"), std::string::npos);
        EXPECT_NE(inx.find("<command location=\"inx\">sartovin-inkscape</command>"), std::string::npos);
    }
}

}  // namespace
}  // namespace sartovin

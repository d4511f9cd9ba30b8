// The bundled SVG examples cut the same without Inkscape as with it: our converter gives the very
// bytes Inkscape's conversion gives for every drawing without text, and a drawing with text tells
// the user, instead of losing its lettering.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Files.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::readFile;
using test::runProgram;
using test::TempDir;

class SvgExamplesPlotTest : public ::testing::Test {
protected:
    test::ProgramResult plot(std::vector<std::string> args, const std::string& path = "") {
        std::vector<std::string> argv{SARTOVIN_CLI, "plot", "--quiet", "--start-mode", "5"};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<std::pair<std::string, std::string>> env{{"XDG_CONFIG_HOME", dir.file("cfg")},
                                                             {"XDG_DATA_DIRS", dir.file("share")},
                                                             {"LC_ALL", ""},
                                                             {"LANG", "en_US.UTF-8"},
                                                             {"TMPDIR", dir.file("")}};
        if (!path.empty()) env.emplace_back("PATH", path);
        return runProgram(argv, env);
    }
    bool haveInkscape() { return fileExists("/usr/bin/inkscape") || fileExists("/usr/local/bin/inkscape"); }

    TempDir dir;
};

TEST_F(SvgExamplesPlotTest, WithoutInkscapeTheSameBytes) {
    if (!haveInkscape()) GTEST_SKIP() << "inkscape is not installed; there is nothing to compare with";
    const std::string hidden = dir.file("no-inkscape-here");  // a PATH without Inkscape
    MakeSureDirectoryPathExists(hidden + "/");
    int compared = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(SARTOVIN_SOURCE_DIR) + "/examples")) {
        if (entry.path().extension() != ".svg") continue;
        const std::string drawing = entry.path().string();
        const std::string withInkscape = dir.file("inkscape.plt"), without = dir.file("own.plt");
        removeFile(withInkscape);
        removeFile(without);
        auto a = plot({"--svg-converter", "inkscape", "--output", withInkscape, drawing});
        ASSERT_EQ(a.exitCode, 0) << drawing << ": " << a.err;
        const bool hasText = readFile(drawing).find("<text") != std::string::npos;
        auto b = plot({"--output", without, drawing}, hidden);
        if (hasText) {
            EXPECT_EQ(b.exitCode, 1) << drawing;
            EXPECT_NE(b.err.find("text objects that only Inkscape"), std::string::npos) << b.err;
            EXPECT_FALSE(fileExists(without));
            continue;
        }
        ASSERT_EQ(b.exitCode, 0) << drawing << ": " << b.err;
        const std::string bytes = readFile(without);
        ASSERT_FALSE(bytes.empty());
        EXPECT_TRUE(bytes == readFile(withInkscape)) << drawing << ": the streams differ";
        ++compared;
    }
    EXPECT_GE(compared, 1);
}

}  // namespace
}  // namespace sartovin

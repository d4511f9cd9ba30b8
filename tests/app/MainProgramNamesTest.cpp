// The names the installation links to the program: each must select its own start mode, and the
// installation must make exactly the names the program knows.

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

#include "base/StartMode.h"
#include "support/TempDir.h"

namespace sartovin::test {
namespace {

std::set<std::string> installedNames() {
    std::string cmake = readFile(SARTOVIN_SOURCE_DIR "/cmake/ProgramNames.cmake");
    std::smatch m;
    std::set<std::string> names;
    if (!std::regex_search(cmake, m, std::regex(R"(set\(SARTOVIN_PROGRAM_NAMES([^)]*)\))"))) return names;
    std::istringstream words(m[1].str());
    for (std::string w; words >> w;) names.insert(w);
    return names;
}

TEST(MainProgramNames, EveryStartModeHasAnInstalledNameThatSelectsIt) {
    std::set<std::string> installed = installedNames();
    std::set<std::string> expected;
    for (int mode = 0; mode < 30; ++mode) {
        if (!StartMode(mode).isKnown()) continue;
        std::string name = programNameForStartMode(mode);
        expected.insert(name);
        StartModeResult r = startModeFromPath("/usr/local/bin/" + name);
        EXPECT_EQ(r.startMode, mode) << name;
    }
    EXPECT_EQ(installed, expected);
    EXPECT_TRUE(installed.count("SartovinIsHP")) << "the binary itself";
}

TEST(MainProgramNames, TheDesktopEntryStartsAnInstalledName) {
    std::string entry = readFile(SARTOVIN_SOURCE_DIR "/packaging/desktop/sartovin.desktop");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(entry, m, std::regex(R"(\nExec=(\S+))")));
    EXPECT_TRUE(installedNames().count(m[1].str())) << m[1].str();
    EXPECT_NE(entry.find("\nIcon=sartovin\n"), std::string::npos);
}

}  // namespace
}  // namespace sartovin::test

#pragma once
// The plug-in in a fake host on a fake Windows: an installation (registry, program files, text
// files, settings files), the document of the test, and the job file read back by the program's
// own reader.

#include <gtest/gtest.h>

#include <string>

#include "FakeIllustrator.h"
#include "FakePluginSystem.h"
#include "aiplugin/SartovinPlugin.h"
#include "job/Job.h"
#include "support/TempDir.h"

namespace sartovin::test {

class PluginTest : public ::testing::Test {
protected:
    void SetUp() override { SartovinPlugin::instance().setSystem(&system); }
    void TearDown() override {
        if (host.blocksHeld > 0) host.shutdown();
        SartovinPlugin::instance().setSystem(nullptr);
        EXPECT_TRUE(host.heldSuites.empty()) << "suites still held after the test";
        EXPECT_EQ(host.stringsHeld, 0) << "host strings not destroyed";
    }

    /// Installs the editions: settings files with the install keys, "InstallPath" (without a final
    /// backslash) and the program and text files in the program folders.
    void install(bool grid, bool laser, bool hobby);
    /// Writes one key of a settings (or any profile) file given by its Windows path.
    void setKey(const std::string& file, const std::string& section, const std::string& key,
                const std::string& value);
    std::string key(const std::string& file, const std::string& section, const std::string& key);

    /// The bytes of the job file the plug-in wrote ("" when there is none).
    std::string jobBytes();
    /// Reads the job file as the cutting program does (Illustrator variant); with `markSensor` the
    /// plotter reads marks.
    bool readJob(Job& job, JobState& state, bool markSensor = false);

    TempDir dir;
    FakePluginSystem system{dir.path()};
    FakeIllustrator host;
    const std::string standardIni = "C:\\Users\\Anna\\AppData\\Roaming\\Sartovin\\Sartovin.ini";
    const std::string hobbyIni = "C:\\Users\\Anna\\AppData\\Roaming\\Sartovin-Hobbyplotter\\Sartovin.ini";
    const std::string standardFolder = "C:\\Program Files\\Sartovin";
    const std::string hobbyFolder = "C:\\Program Files\\Sartovin-Hobbyplotter\\";
};

}  // namespace sartovin::test

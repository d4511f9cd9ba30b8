#include "session/DeviceSession.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/ScriptedInteraction.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::ScopedEnv;
using test::TempDir;
using test::writeFile;

TEST(DeviceSessionTest, TheDisplayToolStartsForItsConnectionOnly) {
    TempDir dir;
    ScopedEnv noDisplay("DISPLAY", std::nullopt);
    writeFile(dir.file("texts/2000.txt"), "[2000]\n2307=You have to select a port for this cutter !\n");
    Texts texts(dir.file("texts/"), 2000);
    ScriptedInteraction ui;
    // An empty sysfs: no USB cutters, no serial ports.
    DeviceSession devices(2, texts, ui, dir.file("sys"), dir.file("dev"));

    PlotterRecord plotter;
    plotter.name = "Jaguar IV 61";
    EXPECT_FALSE(devices.startDisplayTool(plotter, dir.file("prog/")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "You have to select a port for this cutter !");

    plotter.portType = kPortSerial;
    plotter.port = "/dev/ttyUSB0";
    EXPECT_FALSE(devices.startDisplayTool(plotter, dir.file("prog/")));  // the tool is not installed

    std::string marker = dir.file("started");
    writeFile(dir.file("prog/VLCD.exe"), "#!/bin/sh\ntouch '" + marker + "'\n");
    ::chmod(dir.file("prog/VLCD.exe").c_str(), 0755);
    writeFile(dir.file("prog/VLCD2.exe"), "#!/bin/sh\ntouch '" + marker + "2'\n");
    ::chmod(dir.file("prog/VLCD2.exe").c_str(), 0755);
    EXPECT_TRUE(devices.startDisplayTool(plotter, dir.file("prog/")));
    for (int i = 0; i < 100 && !std::filesystem::exists(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(std::filesystem::exists(marker));
    EXPECT_FALSE(std::filesystem::exists(marker + "2"));  // serial cutters use the first tool
    EXPECT_EQ(ui.messages.size(), 1u);
}

}  // namespace
}  // namespace sartovin

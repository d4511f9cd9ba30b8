#include "session/OtherRun.h"

#include <gtest/gtest.h>

#include "support/FakeDesktop.h"

namespace sartovin {
namespace {

using test::FakeProcesses;
using test::FakeWindows;

const std::string kProgram = "/usr/lib/sartovin/sartovin-window";

class OtherRunTest : public ::testing::Test {
protected:
    // A process of the program started under `name`, owning a window titled `title`.
    void runs(int pid, const std::string& name, const std::string& title, unsigned long id) {
        processes.executables[pid] = kProgram;
        processes.commandLines[pid] = {"/usr/bin/" + name, "/run/user/1000/sartovin-drawing-x.svg"};
        windows.windows.push_back({title, pid, id});
    }
    FakeWindows windows;
    FakeProcesses processes;
    const ThisRun self{500, kProgram, "SartovinIsHP"};
};

TEST_F(OtherRunTest, FindsTheTopmostWindowOfTheSameEditionOnly) {
    windows.windows.push_back({"drawing.svg - Inkscape", 42, 7});
    processes.executables[42] = "/usr/bin/inkscape";
    processes.commandLines[42] = {"inkscape"};
    runs(300, "SartovinIs", "Sartovin", 8);      // another edition
    runs(500, "SartovinIsHP", "Sartovin", 9);    // this run's own window
    runs(400, "SartovinIsHP", "Status", 10);     // the other run: its topmost window
    runs(400, "SartovinIsHP", "Sartovin", 11);
    const std::optional<WindowInfo> found = windowOfAnotherRun(windows, processes, self);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->pid, 400);
    EXPECT_EQ(found->id, 10u);
}

TEST_F(OtherRunTest, NothingToBringForward) {
    // Only other programs and editions, a window without owner, a program file of another build.
    runs(300, "SartovinIs", "Sartovin", 8);
    windows.windows.push_back({"Sartovin", 0, 12});
    runs(301, "SartovinIsHP", "Sartovin", 13);
    processes.executables[301] = "/home/me/build/sartovin-window";
    EXPECT_FALSE(windowOfAnotherRun(windows, processes, self));
    // A process that ended between the two looks: its command line cannot be read.
    runs(302, "SartovinIsHP", "Sartovin", 14);
    processes.commandLines.erase(302);
    EXPECT_FALSE(windowOfAnotherRun(windows, processes, self));
    // No display: no windows, so a second window is what the user gets.
    runs(303, "SartovinIsHP", "Sartovin", 15);
    EXPECT_TRUE(windowOfAnotherRun(windows, processes, self));
    windows.display = false;
    EXPECT_FALSE(windowOfAnotherRun(windows, processes, self));
}

}  // namespace
}  // namespace sartovin

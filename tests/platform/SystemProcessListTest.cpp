#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "platform/SystemProcessList.h"
#include "support/TempDir.h"

using namespace sartovin;

namespace {

bool waitUntilGone(ProcessList& list, int pid) {
    for (int i = 0; i < 500; ++i) {
        if (!list.isRunning(pid)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

}  // namespace

TEST(SystemProcessList, StartsWithoutAShellAndSeesTheEnd) {
    SystemProcessList list;
    test::TempDir dir;
    const std::string env = list.findOnPath("env");
    ASSERT_FALSE(env.empty());
    test::ScopedEnv gone("SARTOVIN_GONE", "still here");
    // Arguments reach the program as they are: no shell splits or expands them.
    const std::string out = dir.file("out.txt");
    int pid = list.start(env, {"SARTOVIN_ARG=$HOME; echo", "printenv"},
                         {{"SARTOVIN_SET", "a b"}, {"SARTOVIN_GONE", ""}}, out);
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(waitUntilGone(list, pid));
    const std::string text = test::readFile(out);
    EXPECT_NE(text.find("SARTOVIN_ARG=$HOME; echo\n"), std::string::npos);
    EXPECT_NE(text.find("SARTOVIN_SET=a b\n"), std::string::npos);
    EXPECT_EQ(text.find("SARTOVIN_GONE"), std::string::npos);
    EXPECT_FALSE(list.isRunning(pid));

    EXPECT_EQ(list.start(dir.file("no-such-program"), {}, {}, ""), -1);
}

TEST(SystemProcessList, ProcessesAndStop) {
    SystemProcessList list;
    const std::string sleep = list.findOnPath("sleep");
    ASSERT_FALSE(sleep.empty());
    int pid = list.start(sleep, {"30"}, {}, "");
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(list.isRunning(pid));
    // The child shows its own command line only once it has executed the program.
    const std::vector<std::string> expected{sleep, "30"};
    for (int i = 0; i < 200 && list.commandLineOf(pid) != expected; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    bool seen = false;
    for (const ProcessInfo& p : list.processes())
        if (p.pid == pid) seen = p.name == "sleep" && p.executable == list.executableOf(pid);
    EXPECT_TRUE(seen);
    EXPECT_EQ(list.commandLineOf(pid), expected);
    list.stop(pid);
    EXPECT_TRUE(waitUntilGone(list, pid));

    // Only what we started is stopped.
    list.stop(static_cast<int>(::getpid()));
    EXPECT_TRUE(list.isRunning(static_cast<int>(::getpid())));
    EXPECT_EQ(list.findOnPath("no-such-program-here"), "");
    EXPECT_EQ(list.findOnPath("/bin/sh"), "");
}

TEST(SystemProcessList, AProgramThatHasEndedIsNotListedBeforeItIsCollected) {
    SystemProcessList list;
    const int pid = list.start("/bin/true", {}, {}, "");
    ASSERT_GT(pid, 0);
    // Wait until it has ended without collecting it: it stays a zombie of ours.
    const std::string stat = "/proc/" + std::to_string(pid) + "/stat";
    for (int i = 0; i < 200; ++i) {
        std::ifstream in(stat);
        std::string text;
        std::getline(in, text);
        const auto close = text.rfind(')');
        if (close != std::string::npos && close + 2 < text.size() && text[close + 2] == 'Z') break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    for (const ProcessInfo& p : list.processes()) EXPECT_NE(p.pid, pid) << p.name;
    EXPECT_FALSE(list.isRunning(pid));
}

TEST(SystemProcessList, ReadsTheStateNameAndArgumentsOfProcFiles) {
    using namespace std::string_literals;
    // The state follows the last ')': a command name may hold ") " itself.
    EXPECT_EQ(processStateOfStat("4242 (a) b) ) Z 1 4242 4242 0 -1\n"), 'Z');
    EXPECT_EQ(processStateOfStat("17 (sleep) S 1 17\n"), 'S');
    EXPECT_EQ(processStateOfStat("17 (sleep)"), 0);
    EXPECT_EQ(processStateOfStat("17 (sleep) "), 0);
    EXPECT_EQ(processStateOfStat("17 sleep S\n"), 0);
    EXPECT_EQ(processStateOfStat("17 (x\n) R"), 0);  // only the first line counts
    EXPECT_EQ(processStateOfStat(""), 0);

    EXPECT_EQ(processNameOfComm("inkscape\n"), "inkscape");
    EXPECT_EQ(processNameOfComm("Web Content\nrest"), "Web Content");
    EXPECT_EQ(processNameOfComm(""), "");

    using Args = std::vector<std::string>;
    EXPECT_EQ(splitCommandLine("/usr/bin/inkscape\0--pipe\0"s), (Args{"/usr/bin/inkscape", "--pipe"}));
    EXPECT_EQ(splitCommandLine("a\0\0b"s), (Args{"a", "", "b"}));
    EXPECT_EQ(splitCommandLine("\0"s), (Args{""}));
    EXPECT_EQ(splitCommandLine("no end"), (Args{"no end"}));
    EXPECT_EQ(splitCommandLine(""), Args{});

    EXPECT_EQ(executableOfLinkTarget("/usr/bin/inkscape (deleted)"), "/usr/bin/inkscape");
    EXPECT_EQ(executableOfLinkTarget("/usr/bin/inkscape"), "/usr/bin/inkscape");
    EXPECT_EQ(executableOfLinkTarget(" (deleted)"), " (deleted)");
}

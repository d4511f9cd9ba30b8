// The cross-built DLL in a host of ours under Wine: menus made, the job file written where the
// Linux program reads it, the Linux program started, and the marks drawn after the Linux marks
// program (whose window Wine cannot see) has ended.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "base/Texts.h"
#include "job/JobFileReader.h"
#include "platform/ScriptedInteraction.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace sartovin::test {
namespace {

namespace fs = std::filesystem;

std::string wineLoader() {
    if (fs::exists("/usr/lib/wine/wine64")) return "/usr/lib/wine/wine64";
    for (const char* name : {"wine64", "wine"}) {
        const char* path = std::getenv("PATH");
        std::string dirs = path ? path : "";
        std::size_t start = 0;
        while (start <= dirs.size()) {
            const std::size_t end = dirs.find(':', start);
            const fs::path candidate = fs::path(dirs.substr(start, end - start)) / name;
            if (fs::exists(candidate)) return candidate.string();
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    return "";
}

// Wine's drive Z: is the Linux root.
std::string dosPath(const std::string& unixPath) {
    std::string p = "Z:" + unixPath;
    for (char& c : p)
        if (c == '/') c = '\\';
    if (p.size() > 3 && p.back() == '\\') p.pop_back();
    return p;
}

void script(const std::string& path, const std::string& body) {
    writeFile(path, "#!/bin/sh\n" + body);
    ::chmod(path.c_str(), 0755);
}

TEST(WineSmokeTest, TheDllRunsItsCommandsInAHostUnderWine) {
    const std::string build = SARTOVIN_PLUGIN_WIN64_DIR;
    const std::string dll = build + "/SartovinCS2.aip";
    const std::string hostProgram = build + "/sartovin-plugin-host.exe";
    if (build.empty() || !fs::exists(dll) || !fs::exists(hostProgram))
        GTEST_SKIP() << "The plug-in DLL was not built: MinGW-w64 (g++-mingw-w64-x86-64) is not installed.";
    const std::string loader = wineLoader();
    if (loader.empty()) GTEST_SKIP() << "Wine is not installed (Debian package wine64).";

    TempDir dir;
    const std::string config = dir.file("config/"), runtime = dir.file("runtime/"),
                      programs = dir.file("programs/");
    fs::create_directories(runtime);
    writeFile(config + "Sartovin/Sartovin.ini",
              "[State]\nInstallGridPlotter=1\nLanguageChoice=-3\nLanguage=2000\n");
    for (const char* texts : {"1000.txt", "2000.txt", "3000.txt"})
        writeFile(programs + texts, readFile(std::string(SARTOVIN_DATA_DIR) + "/" + texts));
    // The cutting program records how it was started and what it found.
    script(programs + "SartovinAI.exe",
           "{ echo \"$0\"; echo \"Temp=${Temp-unset}\"; } > '" + dir.file("started") + "'\n");
    // The marks program answers only after longer than the plug-in would look for an answer on
    // its own (3 s + 5 s): the marks appear only if it was waited for while it ran.
    script(programs + "QXPassermarkenAI.exe",
           "sleep 9\nsed -i 's/^SetMarks=0/SetMarks=1/' \"$XDG_CONFIG_HOME/Sartovin/Sartovin.ini\"\n");

    const std::vector<std::pair<std::string, std::string>> env = {
        {"WINEPREFIX", dir.file("prefix")},
        {"WINEDEBUG", "-all"},
        {"WINEDLLOVERRIDES", "mscoree,mshtml="},
        {"XDG_CONFIG_HOME", config},
        {"XDG_RUNTIME_DIR", runtime},
        {"TMPDIR", ""},
        {"Temp", ""},
        {"Tmp", ""},
        {"DISPLAY", ""},
        {"WAYLAND_DISPLAY", ""},
    };
    // The first start makes Wine's prefix; a host that cannot even print its usage means Wine
    // cannot run here.
    ProgramResult probe = runProgram({"/usr/bin/timeout", "240", loader, hostProgram}, env);
    if (probe.exitCode != 2 || probe.err.find("usage") == std::string::npos) {
        runProgram({"/usr/bin/timeout", "30", fs::path(loader).parent_path() / "wineserver", "-k"}, env);
        GTEST_SKIP() << "Wine cannot run here (exit " << probe.exitCode << "): " << probe.err;
    }

    ProgramResult run =
        runProgram({"/usr/bin/timeout", "240", loader, hostProgram, dosPath(dll), dosPath(programs)}, env);
    runProgram({"/usr/bin/timeout", "30", fs::path(loader).parent_path() / "wineserver", "-k"}, env);
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    const std::string& out = run.out;
    auto saw = [&](const std::string& line) { return out.find(line + "\n") != std::string::npos; };

    EXPECT_TRUE(saw("block globals 32")) << out;
    EXPECT_TRUE(saw("menu Export Document: Sartovin")) << out;
    EXPECT_TRUE(saw("submenu SDK Group")) << out;
    EXPECT_TRUE(saw("menu SDK Group: Plot / Cut")) << out;
    EXPECT_TRUE(saw("menu SDK Group: Registermarks")) << out;
    EXPECT_TRUE(saw("auto 1 275 0x1000400")) << out;
    EXPECT_TRUE(saw("modal About Dialog 16050")) << out;
    EXPECT_EQ(out.find("alert"), std::string::npos) << out;
    EXPECT_EQ(out.find("dialog text"), std::string::npos) << out;  // no error was reported

    // The job file lies where the Linux program looks for it, and reads as the document.
    Texts texts(std::string(SARTOVIN_DATA_DIR) + "/", 2000);
    ScriptedInteraction ui;
    JobImportContext ctx{texts, ui};
    Job job;
    JobState state;
    ASSERT_TRUE(readIllustratorJob(runtime + "qxjob.qxj", job, state, ctx)) << out;
    ASSERT_EQ(job.layers.size(), 1u);
    EXPECT_EQ(job.layers[0].name, "Ebene 1");
    ASSERT_EQ(job.layers[0].objects.size(), 1u);
    const PathSegment& first = job.layers[0].objects[0].paths.at(0).segments.at(0);
    EXPECT_NEAR(first.startX, 10, 1e-3);
    EXPECT_NEAR(first.startY, 20, 1e-3);
    EXPECT_NE(readFile(config + "Sartovin/Sartovin.ini").find("AIVersion=12.0"), std::string::npos);

    // The Linux program was started by its Windows name (which selects its start mode).
    const std::string started = readFile(dir.file("started"));
    EXPECT_NE(started.find("/programs/SartovinAI.exe\n"), std::string::npos) << started;

    // The marks were drawn after the marks program had ended.
    EXPECT_TRUE(saw("layer QX-PassermarkenEbene: 10 objects, locked")) << out;
    EXPECT_TRUE(saw("blocks held 0, suites held 0")) << out;
}

}  // namespace
}  // namespace sartovin::test

// The source folders are layers: a folder includes only its own headers and those of the folders
// below it, and the core never includes Qt. This test reads every source file of src/ and fails on
// the first include that runs the wrong way, naming file, line and the rule it breaks.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace sartovin {
namespace {

namespace fs = std::filesystem;

// Bottom to top. A folder may include the folders of lower rank; folders of equal rank do not see
// each other. The front ends (rank 10) are each given their own list below.
const std::map<std::string, int>& folderRanks() {
    // "aiplugin/win" is the plug-in's Windows side, built only into the DLL: the system interface on
    // Win32 and the platform's file functions for the profile rules the DLL shares with the program.
    static const std::map<std::string, int> ranks = {
        {"platform", 0}, {"base", 1},   {"catalog", 2}, {"job", 3},       {"layout", 4},
        {"plot", 5},     {"device", 6}, {"pages", 7},   {"session", 8},   {"render", 9},
        {"widgets", 9},  {"app", 10},   {"cli", 10},    {"aiplugin", 10}, {"aiplugin/win", 11},
    };
    return ranks;
}

// What each front end may include besides its own folder.
const std::map<std::string, std::set<std::string>>& frontEndReach() {
    static const std::map<std::string, std::set<std::string>> reach = {
        // The window program sees everything below it.
        {"app",
         {"platform", "base", "catalog", "job", "layout", "plot", "device", "pages", "session", "render",
          "widgets"}},
        // The command line writes PNGs with the painter but never links widgets.
        {"cli",
         {"platform", "base", "catalog", "job", "layout", "plot", "device", "pages", "session", "render"}},
        // The plug-in writes job files and draws marks; it knows no device and no window.
        {"aiplugin", {"base", "job", "layout"}},
        // Its Windows side reads settings and text files by the program's own profile rules.
        {"aiplugin/win", {"aiplugin", "base", "job", "layout", "platform"}},
    };
    return reach;
}

// Folders that may include Qt, and how much of it.
enum class QtUse { None, GuiOnly, Any };

QtUse qtUse(const std::string& folder) {
    if (folder == "app" || folder == "widgets") return QtUse::Any;
    if (folder == "render" || folder == "cli") return QtUse::GuiOnly;
    return QtUse::None;
}

struct Include {
    std::string path;
    bool angled = false;
    int line = 0;
};

std::vector<Include> includesOf(const fs::path& file) {
    static const std::regex re(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<Include> out;
    std::ifstream in(file);
    std::string line;
    int n = 0;
    while (std::getline(in, line)) {
        ++n;
        std::smatch m;
        if (std::regex_search(line, m, re)) out.push_back({m[2].str(), m[1].str() == "<", n});
    }
    return out;
}

// The Qt include folders of QtCore and QtGui, as the build knows them.
std::vector<fs::path> guiIncludeDirs() {
    std::vector<fs::path> dirs;
    std::stringstream list(SARTOVIN_QT_GUI_INCLUDE_DIRS);
    std::string dir;
    while (std::getline(list, dir, '|'))
        if (!dir.empty()) dirs.emplace_back(dir);
    return dirs;
}

bool isQtHeader(const std::string& header) {
    return (header.size() > 1 && header[0] == 'Q' && std::isupper(static_cast<unsigned char>(header[1]))) ||
           header.rfind("Qt", 0) == 0;
}

bool isCoreOrGuiHeader(const std::string& header, const std::vector<fs::path>& dirs) {
    std::string name = header;
    for (const char* module : {"QtCore/", "QtGui/"})
        if (name.rfind(module, 0) == 0) return true;
    if (name.find('/') != std::string::npos) return false;  // QtWidgets/..., QtNetwork/...
    for (const fs::path& d : dirs) {
        if (fs::exists(d / name)) {
            const std::string folder = d.filename().string();
            if (folder == "QtCore" || folder == "QtGui") return true;
        }
    }
    return false;
}

/// Every rule broken under `srcRoot`, one line each.
std::vector<std::string> layeringViolations(const fs::path& srcRoot) {
    std::vector<std::string> problems;
    const auto& ranks = folderRanks();
    const auto& reach = frontEndReach();
    const std::vector<fs::path> guiDirs = guiIncludeDirs();

    for (const auto& entry : fs::recursive_directory_iterator(srcRoot)) {
        if (!entry.is_regular_file()) continue;
        const std::string ext = entry.path().extension().string();
        if (ext != ".h" && ext != ".cpp") continue;
        const fs::path rel = fs::relative(entry.path(), srcRoot);
        std::string folder = rel.begin()->string();
        auto depth = std::distance(rel.begin(), rel.end());
        // A sub-folder with a place of its own in the layer order is a layer of its own.
        if (depth == 3 && ranks.count(folder + "/" + std::next(rel.begin())->string())) {
            folder += "/" + std::next(rel.begin())->string();
            depth = 2;
        }
        if (depth != 2) {
            problems.push_back(rel.string() + ": source files lie directly in a folder of src/");
            continue;
        }
        auto own = ranks.find(folder);
        if (own == ranks.end()) {
            problems.push_back(rel.string() + ": folder '" + folder + "' has no place in the layer order");
            continue;
        }
        for (const Include& inc : includesOf(entry.path())) {
            const std::string where = rel.string() + ":" + std::to_string(inc.line) + ": ";
            if (inc.angled) {
                if (!isQtHeader(inc.path)) continue;
                const QtUse use = qtUse(folder);
                if (use == QtUse::None)
                    problems.push_back(where + folder + " is core code and includes Qt <" + inc.path + ">");
                else if (use == QtUse::GuiOnly && !isCoreOrGuiHeader(inc.path, guiDirs))
                    problems.push_back(where + folder + " may use QtCore and QtGui only, not <" + inc.path +
                                       ">");
                continue;
            }
            const auto slash = inc.path.find('/');
            if (slash == std::string::npos) continue;  // a header beside the file
            const std::string target = inc.path.substr(0, slash);
            if (target == folder) continue;
            auto other = ranks.find(target);
            if (other == ranks.end()) {
                problems.push_back(where + "includes \"" + inc.path + "\" from outside the layers");
                continue;
            }
            auto fe = reach.find(folder);
            const bool allowed =
                fe != reach.end() ? fe->second.count(target) > 0 : other->second < own->second;
            if (!allowed)
                problems.push_back(where + folder + " includes \"" + inc.path +
                                   "\", which lies above it or beside it");
        }
    }
    return problems;
}

TEST(Layering, NoFolderIncludesUpwardsAndTheCoreHasNoQt) {
    const fs::path src = fs::path(SARTOVIN_SOURCE_DIR) / "src";
    ASSERT_TRUE(fs::is_directory(src)) << src;
    const std::vector<std::string> problems = layeringViolations(src);
    std::string all;
    for (const auto& p : problems) all += p + "\n";
    EXPECT_TRUE(problems.empty()) << all;
}

TEST(Layering, TheRulesCatchWhatTheyAreFor) {
    // A small tree with one fault of each kind must produce exactly those complaints.
    const fs::path root = fs::temp_directory_path() / ("sartovin-layering-" + std::to_string(::getpid()));
    fs::remove_all(root);
    auto write = [&](const std::string& rel, const std::string& text) {
        fs::create_directories((root / rel).parent_path());
        std::ofstream(root / rel) << text;
    };
    write("base/Fine.h", "#include \"platform/Profile.h\"\n#include <string>\n");
    write("catalog/Up.cpp", "#include \"base/Fine.h\"\n#include \"plot/PathWalker.h\"\n");
    write("job/Qt.cpp", "#include <QString>\n");
    write("cli/Widgets.cpp", "#include \"widgets/SpinEdit.h\"\n#include \"session/DeviceSession.h\"\n");
    write("render/Gui.cpp", "#include <QImage>\n#include <QtWidgets/QWidget>\n");
    write("stray/File.cpp", "\n");
    write("aiplugin/win/Win.cpp",
          "#include <windows.h>\n#include \"platform/Profile.h\"\n#include \"aiplugin/X.h\"\n");
    write("aiplugin/Logic.cpp", "#include \"platform/Files.h\"\n");
    std::vector<std::string> problems = layeringViolations(root);
    fs::remove_all(root);

    auto has = [&](const std::string& needle) {
        for (const auto& p : problems)
            if (p.find(needle) != std::string::npos) return true;
        return false;
    };
    EXPECT_TRUE(has("catalog/Up.cpp:2: catalog includes \"plot/PathWalker.h\""));
    EXPECT_TRUE(has("job/Qt.cpp:1: job is core code and includes Qt <QString>"));
    EXPECT_TRUE(has("cli/Widgets.cpp:1: cli includes \"widgets/SpinEdit.h\""));
    EXPECT_TRUE(has("render/Gui.cpp:2: render may use QtCore and QtGui only"));
    EXPECT_TRUE(has("stray/File.cpp: folder 'stray'"));
    // The plug-in's logic knows no platform; only its Windows side may use it.
    EXPECT_TRUE(has("aiplugin/Logic.cpp:1: aiplugin includes \"platform/Files.h\""));
    EXPECT_EQ(problems.size(), 6u);
}

}  // namespace
}  // namespace sartovin

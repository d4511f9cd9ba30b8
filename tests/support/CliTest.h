#pragma once
// The fixture of the command-line tests: the built program run as a user of the test's own would run
// it, with settings, catalogs and temporary files below the test's folder, English messages and no
// display, whatever the machine running the tests has set.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace sartovin::test {

class CliTest : public ::testing::Test {
protected:
    using Environment = std::vector<std::pair<std::string, std::string>>;

    /// The user's environment: XDG_CONFIG_HOME "cfg", XDG_DATA_DIRS "share" and TMPDIR in the test's
    /// folder; the other temporary-folder variables, the locale variables but LANG (en_US.UTF-8) and
    /// the display variables unset.
    Environment environment() const {
        return {{"XDG_CONFIG_HOME", dir.file("cfg")},
                {"XDG_DATA_DIRS", dir.file("share")},
                {"TMPDIR", dir.file("")},
                {"XDG_RUNTIME_DIR", ""},
                {"Temp", ""},
                {"Tmp", ""},
                {"LC_ALL", ""},
                {"LC_MESSAGES", ""},
                {"LANG", "en_US.UTF-8"},
                {"DISPLAY", ""},
                {"WAYLAND_DISPLAY", ""}};
    }

    /// Runs the program with `args` in that environment; `changes` set further variables or replace
    /// the ones above (an empty value unsets).
    ProgramResult runCli(const std::vector<std::string>& args, const Environment& changes = {}) const {
        std::vector<std::string> argv{SARTOVIN_CLI};
        argv.insert(argv.end(), args.begin(), args.end());
        Environment env = environment();
        for (const auto& change : changes) {
            bool replaced = false;
            for (auto& entry : env) {
                if (entry.first != change.first) continue;
                entry.second = change.second;
                replaced = true;
            }
            if (!replaced) env.push_back(change);
        }
        return runProgram(argv, env);
    }

    TempDir dir;
};

}  // namespace sartovin::test

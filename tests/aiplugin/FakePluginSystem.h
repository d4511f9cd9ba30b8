#pragma once
// The operating system under the plug-in in the tests: a registry, Windows paths ("C:\...") that
// live in a temporary folder, the program's profile rules for settings and text files, program
// starts and window checks the test scripts, and a virtual clock for the plug-in's waits.

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "aiplugin/PluginSystem.h"

namespace sartovin::test {

class FakePluginSystem : public PluginSystem {
public:
    /// `root` is a folder ending in "/" that holds drive C.
    explicit FakePluginSystem(std::string root) : m_root(std::move(root)) {}

    /// Where the Windows path `path` lives in the test's folder.
    std::string local(const std::string& path) const;

    void setRegistry(RegistryRoot root, const std::string& key, const std::string& name,
                     const std::string& value) {
        registry[{root, key, name}] = value;
    }

    std::map<std::tuple<RegistryRoot, std::string, std::string>, std::string> registry;
    std::string appData = "C:\\Users\\Anna\\AppData\\Roaming";
    std::string temp = "C:\\Users\\Anna\\AppData\\Local\\Temp";
    std::vector<std::string> started;
    /// Runs when a program is started (the marks program writes its answer here).
    std::function<void(const std::string& program)> onStart;
    /// Answers windowOpen; by default no window is open.
    std::function<bool(const std::string& title, const std::string& program)> onWindowCheck;
    std::vector<std::string> titlesAsked;
    /// Runs at every dispatch (a host message that arrives while the plug-in waits).
    std::function<void()> onDispatch;
    long long clockMs = 0;
    int dispatches = 0;
    std::vector<std::string> errorBoxes;

    bool registryString(RegistryRoot root, const std::string& key, const std::string& name,
                        std::string& value) override;
    std::string userDataFolder() override { return appData; }
    std::string tempFolder() override { return temp; }
    std::string profileString(const std::string& section, const std::string& key,
                              const std::string& defaultValue, const std::string& path) override;
    int profileInt(const std::string& section, const std::string& key, int defaultValue,
                   const std::string& path) override;
    bool writeProfileString(const std::string& section, const std::string& key, const std::string& value,
                            const std::string& path) override;
    bool fileExists(const std::string& path) override;
    bool writeNewFile(const std::string& path, const std::string& bytes) override;
    bool startProgram(const std::string& program) override;
    bool windowOpen(const std::string& title, const std::string& program) override;
    void dispatchMessages() override;
    void sleep(int milliseconds) override { clockMs += milliseconds; }
    void errorBox(const std::string& text, const std::string& caption) override;

private:
    std::string m_root;
};

}  // namespace sartovin::test

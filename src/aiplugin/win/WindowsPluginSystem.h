#pragma once
// The plug-in's system interface on Win32. Under Wine it answers with the Linux program's facts
// where Windows' own would lead the two apart: the settings folder and the temporary folder are the
// ones the Linux program uses (Wine hides "Temp" and "Tmp" from the Linux programs it starts), and
// the marks window counts as open while the Linux marks program runs (Wine sees no Linux window).

#include "aiplugin/PluginSystem.h"

namespace sartovin {

class WindowsPluginSystem : public PluginSystem {
public:
    bool registryString(RegistryRoot root, const std::string& key, const std::string& name,
                        std::string& value) override;
    std::string userDataFolder() override;
    std::string tempFolder() override;
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
    void sleep(int milliseconds) override;
    void errorBox(const std::string& text, const std::string& caption) override;
};

/// True when the plug-in runs under Wine.
bool runsUnderWine();

/// The Windows path Wine gives the Linux path `unixPath` ("" outside Wine or when it has none).
std::string dosPathOf(const std::string& unixPath);

/// True when a Linux process runs a program file named like the last component of `program`: the
/// first word of its command line, or the second after a script's interpreter (found through Wine's
/// drive Z: in /proc; false outside Wine).
bool linuxProgramRuns(const std::string& program);

}  // namespace sartovin

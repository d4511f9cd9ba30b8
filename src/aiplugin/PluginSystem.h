#pragma once
// What the plug-in asks of the operating system, as one small interface: registry values, the
// user's data folder and the temporary folder, settings and text files, the start of a program,
// whether the marks window is open, letting the host breathe, and a message box. The DLL has a
// Win32 implementation (aiplugin/win); the tests have a fake. Strings are UTF-8; paths are the
// system's own (with backslashes on Windows).

#include <string>

namespace sartovin {

enum class RegistryRoot { CurrentUser, LocalMachine };

class PluginSystem {
public:
    virtual ~PluginSystem() = default;

    /// A string value of the registry; false when the key or the value is missing.
    virtual bool registryString(RegistryRoot root, const std::string& key, const std::string& name,
                                std::string& value) = 0;

    /// The user's application-data folder as "AppData" of the shell folders names it (the caller
    /// adds a missing final backslash); "" when unknown. Under Wine: the folder the Linux program
    /// keeps its settings in, so that both read and write one settings file.
    virtual std::string userDataFolder() = 0;

    /// The folder of the job file: "Temp", or "Tmp" when "Temp" is empty; "" when neither is set.
    /// Under Wine: the temporary folder the Linux program looks in.
    virtual std::string tempFolder() = 0;

    /// Settings and text files, by the rules of the program's own profile reader.
    virtual std::string profileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, const std::string& path) = 0;
    virtual int profileInt(const std::string& section, const std::string& key, int defaultValue,
                           const std::string& path) = 0;
    virtual bool writeProfileString(const std::string& section, const std::string& key,
                                    const std::string& value, const std::string& path) = 0;

    virtual bool fileExists(const std::string& path) = 0;

    /// Deletes any file at `path`, creates it anew for exclusive writing and writes `bytes`. False
    /// when it cannot be written.
    virtual bool writeNewFile(const std::string& path, const std::string& bytes) = 0;

    /// Starts `program` without arguments, inheriting handles, with the default environment and
    /// folder; does not wait. False when it could not be started.
    virtual bool startProgram(const std::string& program) = 0;

    /// True while a top-level window titled exactly `title` exists. Under Wine also while a Linux
    /// process runs `program`: the windows of a Linux program are no windows Wine can see.
    virtual bool windowOpen(const std::string& title, const std::string& program) = 0;

    /// Dispatches the window messages that are waiting, so the host stays responsive.
    virtual void dispatchMessages() = 0;
    virtual void sleep(int milliseconds) = 0;

    /// A modal message box captioned `caption` with an error icon.
    virtual void errorBox(const std::string& text, const std::string& caption) = 0;
};

}  // namespace sartovin

#pragma once
// A menu command from start to end: find the installed program, record the host's version in the
// settings file, export the document and start the cutting program, or start the marks program,
// wait for its window to close and act on its answer in the document.

#include <string>

#include "aiplugin/PluginEnvironment.h"
#include "aiplugin/PluginGlobals.h"
#include "aiplugin/PluginMenus.h"
#include "aiplugin/PluginSystem.h"
#include "aiplugin/SuiteTable.h"

namespace sartovin {

/// The program file each command starts ("" for None).
const char* programFileOf(PluginCommand command);

class CommandRunner {
public:
    CommandRunner(const SuiteTable& suites, PluginSystem& system, SPPluginRef self,
                  const PluginGlobals* globals)
        : m_suites(suites), m_system(system), m_environment(system), m_self(self), m_globals(globals) {}

    /// The command of menu item `item` (runCommand). Returns a host error, kJobFileError when the
    /// job file could not be written, else 0 (also when nothing was to be done).
    SPErr run(AIMenuItemHandle item);

    /// The command's program path as run() builds it ("" without a program folder).
    std::string programPath(PluginCommand command);

private:
    /// Lets the host breathe for `passes` × 100 ms.
    void breathe(int passes);
    SPErr handOver(PluginCommand command, const std::string& folder, const std::string& program,
                   const std::string& settingsFile);

    const SuiteTable& m_suites;
    PluginSystem& m_system;
    PluginEnvironment m_environment;
    SPPluginRef m_self;
    const PluginGlobals* m_globals;
};

}  // namespace sartovin

#pragma once
// The plug-in as the host sees it: PluginMain receives every message, acquires the suites around
// it, dispatches it and reports what went wrong. One instance lives for as long as the code is
// loaded; what must outlive an unload is in the globals block.

#include "aiplugin/PluginGlobals.h"
#include "aiplugin/PluginSdk.h"
#include "aiplugin/PluginSystem.h"
#include "aiplugin/SuiteTable.h"

extern "C" {
/// The plug-in's one export.
SPErr PluginMain(char* caller, char* selector, void* message);
}

namespace sartovin {

class SartovinPlugin {
public:
    /// The instance PluginMain uses. Its system must have been set before the first message.
    static SartovinPlugin& instance();

    /// The operating system behind the plug-in: the DLL sets its Win32 one when it is loaded,
    /// tests set their fake.
    void setSystem(PluginSystem* system) { m_system = system; }

    SPErr handle(const char* caller, const char* selector, void* message);

    const SuiteTable& suites() const { return m_suites; }
    /// The globals block (null before Startup and after Shutdown).
    PluginGlobals* globals() const { return m_globals; }

private:
    SPErr dispatch(SPMessageData* data, const char* caller, const char* selector, void* message);
    SPErr startup(SPMessageData* data);
    SPErr shutdown(SPMessageData* data);
    SPErr about(SPMessageData* data);

    SuiteTable m_suites;
    PluginSystem* m_system = nullptr;
    PluginGlobals* m_globals = nullptr;
};

}  // namespace sartovin

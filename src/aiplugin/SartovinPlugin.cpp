#include "aiplugin/SartovinPlugin.h"

#include <new>

#include "aiplugin/CommandRunner.h"
#include "aiplugin/ErrorReport.h"
#include "aiplugin/HostStrings.h"
#include "aiplugin/PluginMenus.h"

extern "C" SPErr PluginMain(char* caller, char* selector, void* message) {
    return sartovin::SartovinPlugin::instance().handle(caller, selector, message);
}

namespace sartovin {

SartovinPlugin& SartovinPlugin::instance() {
    static SartovinPlugin plugin;
    return plugin;
}

SPErr SartovinPlugin::handle(const char* caller, const char* selector, void* message) {
    auto* data = static_cast<SPMessageData*>(message);
    if (!data || !data->basic || !caller || !selector) return kSPUnhandledResult;
    SPBasicSuite* basic = data->basic;

    // The access messages come while the code is being unloaded or reloaded: no suites.
    if (basic->IsEqual(caller, kSPAccessCaller)) {
        if (basic->IsEqual(selector, kSPAccessUnloadSelector)) {
            data->globals = m_globals;
        } else if (basic->IsEqual(selector, kSPAccessReloadSelector)) {
            m_globals = static_cast<PluginGlobals*>(data->globals);
            m_suites.resetNesting();
        }
        return kSPNoError;
    }

    SuiteTable::Failure failure;
    SPErr result = m_suites.acquire(basic, failure);
    if (result != kSPNoError) {
        ErrorReport::suiteFailure(basic, result, failure);
        return result;
    }
    result = dispatch(data, caller, selector, message);
    if (ErrorReport::isReported(result)) ErrorReport::show(m_suites, data->self, result);
    m_suites.release(basic);
    return result;
}

SPErr SartovinPlugin::dispatch(SPMessageData* data, const char* caller, const char* selector, void* message) {
    SPBasicSuite* basic = data->basic;
    if (basic->IsEqual(caller, kSPInterfaceCaller)) {
        if (basic->IsEqual(selector, kSPInterfaceStartupSelector)) return startup(data);
        if (basic->IsEqual(selector, kSPInterfaceShutdownSelector)) return shutdown(data);
        if (basic->IsEqual(selector, kSPInterfaceAboutSelector)) return about(data);
        return kSPNoError;
    }
    if (basic->IsEqual(caller, kCallerAIMenu)) {
        if (basic->IsEqual(selector, kSelectorAIGoMenuItem)) {
            if (!m_system) return kSPNoError;
            CommandRunner runner(m_suites, *m_system, data->self, m_globals);
            return runner.run(static_cast<AIMenuMessage*>(message)->menuItem);
        }
        // "AI Update": the host enables the items by itself.
        return kSPNoError;
    }
    return kSPNoError;
}

SPErr SartovinPlugin::startup(SPMessageData* data) {
    void* block = nullptr;
    SPErr err = m_suites.blocks->AllocateBlock(sizeof(PluginGlobals), "globals", &block);
    if (err != kSPNoError) return err;
    m_globals = new (block) PluginGlobals();
    if (m_system) {
        PluginEnvironment environment(*m_system);
        PluginMenus::readSettings(environment, *m_globals);
    }
    return PluginMenus::build(m_suites, data->self, *m_globals);
}

SPErr SartovinPlugin::shutdown(SPMessageData* data) {
    if (!m_globals) return kSPNoError;
    const void* suite = nullptr;
    SPErr err = data->basic->AcquireSuite("SP Blocks Suite", 2, &suite);
    if (err != kSPNoError) return err;
    if (suite) static_cast<const SPBlocksSuite*>(suite)->FreeBlock(m_globals);
    data->basic->ReleaseSuite("SP Blocks Suite", 2);
    m_globals = nullptr;
    return kSPNoError;
}

SPErr SartovinPlugin::about(SPMessageData* data) {
    m_suites.admDialog->Modal(data->self, "About Dialog", kAboutDialogId, 0, nullptr, nullptr, 0);
    return kSPNoError;
}

}  // namespace sartovin

#include "aiplugin/ErrorReport.h"

#include <cstdio>
#include <cstdlib>

#include "aiplugin/HostStrings.h"

namespace sartovin {

namespace {

// The dialog's initialisation procedure has no other way to learn its text.
std::string g_dialogText;
const SuiteTable* g_dialogSuites = nullptr;

SPErr initErrorDialog(ADMDialogRef dialog) {
    if (!g_dialogSuites || !g_dialogSuites->admDialog || !g_dialogSuites->admItem) return kSPNoError;
    ADMItemRef item = g_dialogSuites->admDialog->GetItem(dialog, kErrorDialogTextItem);
    if (item) g_dialogSuites->admItem->SetText(item, g_dialogText.c_str());
    return kSPNoError;
}

bool matches(const std::string& code, SPErr error) {
    if (code.empty()) return false;
    if (code[0] == '-' || (code[0] >= '0' && code[0] <= '9'))
        return std::strtol(code.c_str(), nullptr, 10) == static_cast<long>(error);
    if (code.size() != 4) return false;
    const char packed[5] = {code[0], code[1], code[2], code[3], 0};
    return sdk::fourCharCode(packed) == error;
}

}  // namespace

bool ErrorReport::isReported(SPErr result) {
    return result != kSPNoError && result != kSPUnhandledResult && result != kSPSuiteNotFoundError &&
           result != kSPCancelResult;
}

void ErrorReport::suiteFailure(SPBasicSuite* basic, SPErr error, const SuiteTable::Failure& failure) {
    const void* suite = nullptr;
    if (basic->AcquireSuite("ADM Basic Suite", 2, &suite) != kSPNoError || !suite) return;
    char text[512];
    std::snprintf(text, sizeof text, "Error: %d, suite: %s, version: %d!", static_cast<int>(error),
                  failure.name.c_str(), static_cast<int>(failure.version));
    static_cast<const ADMBasicSuite*>(suite)->ErrorAlert(text);
    basic->ReleaseSuite("ADM Basic Suite", 2);
}

std::string ErrorReport::textFor(const SuiteTable& suites, SPPluginRef self, SPErr error) {
    for (std::int32_t index = 1;; index += 2) {
        const std::string code = indexString(suites.admBasic, self, kErrorStringList, index);
        if (code.empty()) break;
        if (code == "<Others>" || matches(code, error))
            return indexString(suites.admBasic, self, kErrorStringList, index + 1);
    }
    return "Error " + std::to_string(error);
}

void ErrorReport::show(const SuiteTable& suites, SPPluginRef self, SPErr error) {
    if (!suites.admBasic || !suites.admDialog) return;
    g_dialogText = textFor(suites, self, error);
    g_dialogSuites = &suites;
    suites.admDialog->Modal(self, "Error Dialog", kErrorDialogId, 0, initErrorDialog, nullptr, 0);
    g_dialogSuites = nullptr;
}

}  // namespace sartovin

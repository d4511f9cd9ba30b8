#pragma once
// How the plug-in tells the user about a failure: a suite it could not acquire through the ADM
// Basic suite's error alert, any other error through the error dialog with the text its string
// list gives the code.

#include <string>

#include "aiplugin/PluginSdk.h"
#include "aiplugin/SuiteTable.h"

namespace sartovin {

/// A job file that could not be written: not a host error, reported like one (own entry in the
/// error list).
inline constexpr SPErr kJobFileError = 0x51584A46;  // 'QXJF'

class ErrorReport {
public:
    /// True for the results the error dialog reports: all but 0, 1, 'S!Fd' and 'STOP'.
    static bool isReported(SPErr result);

    /// "Error: %d, suite: %s, version: %d!" through the ADM Basic suite's error alert. The ADM
    /// Basic suite is acquired for it on its own, since the table may have failed before it.
    static void suiteFailure(SPBasicSuite* basic, SPErr error, const SuiteTable::Failure& failure);

    /// The text the error list gives `error`: pairs of code and text from index 1; a code that
    /// starts with a digit or "-" is a number, any other a four-character code; "<Others>" takes
    /// every code not listed before it.
    static std::string textFor(const SuiteTable& suites, SPPluginRef self, SPErr error);

    /// Shows textFor(error) in the modal "Error Dialog".
    static void show(const SuiteTable& suites, SPPluginRef self, SPErr error);
};

}  // namespace sartovin

#pragma once
// The plug-in's submenu in the host's export menu group, its texts in the user's language, and
// which command a chosen item stands for.

#include <string>

#include "aiplugin/PluginEnvironment.h"
#include "aiplugin/PluginGlobals.h"
#include "aiplugin/SuiteTable.h"

namespace sartovin {

/// The commands, numbered as the menu items that start them (item number − 1).
enum class PluginCommand {
    None = 0,
    PlotCut = 1,       ///< "SartovinAI.exe"
    Marks = 2,         ///< "QXPassermarkenAI.exe"
    Laser = 3,         ///< "SartovinLCAI.exe"
    HobbyPlotCut = 4,  ///< "SartovinAIHP.exe"
    HobbyMarks = 5,    ///< "QXPassermarkenAIHP.exe"
};

/// The host's menu group the submenu goes into, and the name of the submenu's group.
inline constexpr const char* kExportMenuGroup = "Export Document";
inline constexpr const char* kPluginMenuGroup = "SDK Group";

/// The automatic enabling every command item gets, passed to the host as they stand.
inline constexpr std::int32_t kMenuEnableCondition = 275;
inline constexpr std::int32_t kMenuEnableFlags = 0x1000400;

class PluginMenus {
public:
    /// Settles the menu languages and install keys of both settings files into `globals`.
    static void readSettings(PluginEnvironment& environment, PluginGlobals& globals);

    /// Adds the submenu (text 1) to the export group and the items of the installed editions:
    /// 2 and 3 for "InstallGridPlotter", 4 for "InstallLaserCutter" (standard file's language),
    /// 5 and 6 for "InstallHobbyPlotter" (hobby file's language). Stops at the first host error.
    static SPErr build(const SuiteTable& suites, SPPluginRef self, const PluginGlobals& globals);

    /// The command whose item text is `text`, compared with the German, English and French texts in
    /// that order; None when no text matches.
    static PluginCommand identify(const SuiteTable& suites, SPPluginRef self, const std::string& text);
};

}  // namespace sartovin

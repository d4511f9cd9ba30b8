#include "aiplugin/PluginMenus.h"

#include "aiplugin/HostStrings.h"

namespace sartovin {

namespace {

SPErr addItem(const SuiteTable& suites, SPPluginRef self, const char* key, const char* group,
              const std::string& text, AIMenuItemHandle* item) {
    const std::basic_string<unsigned char> itemText = lengthPrefixed(text);
    AIPlatformAddMenuItemData data{group, itemText.c_str()};
    return suites.menu->AddMenuItem(self, key, &data, 0, item);
}

SPErr addCommand(const SuiteTable& suites, SPPluginRef self, int item, int offset) {
    static const char* const kKeys[] = {"",
                                        "",
                                        "Sartovin Plot",
                                        "Sartovin Marks",
                                        "Sartovin Laser",
                                        "Sartovin Hobby Plot",
                                        "Sartovin Hobby Marks"};
    AIMenuItemHandle handle = nullptr;
    SPErr err = addItem(suites, self, kKeys[item], kPluginMenuGroup,
                        indexString(suites.admBasic, self, kMenuStringList, offset + item), &handle);
    if (err != kSPNoError) return err;
    return suites.menu->UpdateMenuItemAutomatically(handle, kAutoEnableMenuItemAction, kMenuEnableCondition,
                                                    0, 0, 0, kMenuEnableFlags, 0);
}

}  // namespace

void PluginMenus::readSettings(PluginEnvironment& environment, PluginGlobals& globals) {
    const std::string standard = environment.settingsFile(false);
    const std::string hobby = environment.settingsFile(true);
    globals.standardOffset = environment.menuLanguageOffset(standard);
    globals.hobbyOffset = environment.menuLanguageOffset(hobby);
    globals.installGridPlotter = environment.installKey(standard, "InstallGridPlotter");
    globals.installLaserCutter = environment.installKey(standard, "InstallLaserCutter");
    globals.installHobbyPlotter = environment.installKey(hobby, "InstallHobbyPlotter");
}

SPErr PluginMenus::build(const SuiteTable& suites, SPPluginRef self, const PluginGlobals& globals) {
    AIMenuItemHandle root = nullptr;
    SPErr err = addItem(suites, self, "Sartovin", kExportMenuGroup,
                        indexString(suites.admBasic, self, kMenuStringList, 1), &root);
    if (err != kSPNoError) return err;
    AIMenuGroup group = nullptr;
    err = suites.menu->AddMenuGroupAsSubMenu(kPluginMenuGroup, 0, root, &group);
    if (err != kSPNoError) return err;

    if (globals.installGridPlotter) {
        for (int item : {2, 3})
            if ((err = addCommand(suites, self, item, globals.standardOffset)) != kSPNoError) return err;
    }
    if (globals.installLaserCutter) {
        if ((err = addCommand(suites, self, 4, globals.standardOffset)) != kSPNoError) return err;
    }
    if (globals.installHobbyPlotter) {
        for (int item : {5, 6})
            if ((err = addCommand(suites, self, item, globals.hobbyOffset)) != kSPNoError) return err;
    }
    return kSPNoError;
}

PluginCommand PluginMenus::identify(const SuiteTable& suites, SPPluginRef self, const std::string& text) {
    for (int offset : {kGermanOffset, kEnglishOffset, kFrenchOffset}) {
        for (int item = 2; item <= 6; ++item) {
            const std::string candidate = indexString(suites.admBasic, self, kMenuStringList, offset + item);
            if (!candidate.empty() && candidate == text) return static_cast<PluginCommand>(item - 1);
        }
    }
    return PluginCommand::None;
}

}  // namespace sartovin

#pragma once
// What the plug-in finds around it: the program folders from the registry, the settings files in
// the user's data folder, the menu language, and texts from the program's language files.

#include <string>

#include "aiplugin/PluginSystem.h"

namespace sartovin {

/// Menu language offsets into the menu string list.
inline constexpr int kEnglishOffset = 0;
inline constexpr int kGermanOffset = 200;
inline constexpr int kFrenchOffset = 300;

/// The language number of the program's text files for a menu language offset: 1000 German,
/// 3000 French, 2000 English.
int languageNumberOfOffset(int offset);

/// `folder` with a final backslash (unchanged when it has one or is empty).
std::string withBackslash(const std::string& folder);

class PluginEnvironment {
public:
    explicit PluginEnvironment(PluginSystem& system) : m_system(system) {}

    /// The folder of the standard or the hobby edition's programs: "InstallPath" under
    /// HKEY_LOCAL_MACHINE "Software\Sartovin" or "Software\Sartovin-Hobbyplotter", ending in a
    /// backslash; "" when the value is missing or empty.
    std::string programFolder(bool hobby);

    /// The settings file of the standard (and laser) or the hobby edition: the user's data folder
    /// followed by "Sartovin\Sartovin.ini" or "Sartovin-Hobbyplotter\Sartovin.ini"; "" when the
    /// data folder is unknown.
    std::string settingsFile(bool hobby);

    /// The menu language of one settings file: the user's choice ("LanguageChoice" -3 and
    /// "Language" 1000, 3000 or else English) when the file exists and holds one; otherwise
    /// "AdobeProductLanguage", and without it the Windows "LocaleName": "de" or "DE" anywhere
    /// German, "fr" or "FR" French, else English.
    int menuLanguageOffset(const std::string& settingsFile);

    /// An install key of section "State" ("InstallGridPlotter", ...): 0 when the file is missing.
    int installKey(const std::string& settingsFile, const char* key);

    /// Text `id` of the program's language files in `folder` ("<number>.txt", section "<number>",
    /// key id + number); when missing, key `id` of "0.txt", then key id + 200 of "200.txt".
    /// Written "\r" and "\n" become line breaks.
    std::string programText(const std::string& folder, int id, int languageNumber);

private:
    PluginSystem& m_system;
};

}  // namespace sartovin

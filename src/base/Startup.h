#pragma once
// Start-up: from the program's own path to a settled application state. It decides the start mode
// and the edition's folders, makes sure the user's settings file, catalogs and text files exist
// (copying the shipped templates, never overwriting), and settles the user-interface language.

#include <string>

#include "base/CTarnelWinCApp.h"
#include "platform/Interaction.h"

namespace sartovin {

struct StartupOptions {
    /// False for front ends that cannot show the language dialog (the command line): where the
    /// dialog would be shown, English is taken and no choice is stored.
    bool languageDialogAvailable = true;
    /// Data folder to use when the program folder holds no data files (the command line, asked to
    /// start up "as" a program installed elsewhere, uses its own data).
    std::string fallbackDataFolder;
};

/// The title and entries of the language dialog.
inline constexpr const char* kLanguageDialogTitle = "Sprachauswahl / Language / Langue";
/// What the language dialog gives when it was closed without OK (Escape, the close box).
inline constexpr int kLanguageDialogClosed = -1;

/// The options of a running program: its data are also looked for beside the real executable
/// (through /proc/self/exe), so a program name linked from anywhere (~/bin/SartovinAI) still finds
/// its texts and catalogs.
StartupOptions startupOptionsOfThisProgram();

/// Runs the start-up steps in their order and fills `app`. Failures to create folders or copy
/// templates are silent: the catalogs then fail to load later, where a message is shown.
void runStartup(CTarnelWinCApp& app, const std::string& programPath, Interaction& ui,
                const StartupOptions& options = {});

/// Where the program's own data lie for a program folder: the folder itself when it holds the
/// text files or the settings template, else <folder>/../share/Sartovin/ when that does.
std::string findDataFolder(const std::string& programFolder);

/// The language a "de-DE"-style locale name selects: 1000, 3000, 2000, or -1 when it selects none.
int languageFromLocaleName(const std::string& localeName);

/// The language id a language-dialog list index gives: 0 German, 2 French, anything else English.
int languageFromDialogIndex(int index);

}  // namespace sartovin

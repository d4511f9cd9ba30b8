#include "base/Startup.h"

#include <algorithm>
#include <filesystem>

#include "base/Settings.h"
#include "base/StartMode.h"
#include "platform/Files.h"
#include "platform/StringUtil.h"
#include "platform/SystemFolders.h"

namespace sartovin {

namespace {

struct CatalogNames {
    // Template names below the common data root (with their product folder) and in the program
    // folder, and the user's copies below the user data root.
    const char* plotterCommon;
    const char* plotterProgram;
    const char* mediaCommon;
    const char* mediaProgram;
    const char* toolsCommon;
    const char* toolsProgram;
    const char* plotterUser;
    const char* mediaUser;
    const char* toolsUser;
};

const CatalogNames& namesOf(CatalogFamily family) {
    static const CatalogNames standard{
        "Sartovin/Plotter.csv", "Plotter.csv", "Sartovin/Media.csv",   "Media.csv",
        "Sartovin/Tools.csv",   "Tools.csv",   "Sartovin/Plotter.csv", "Sartovin/Media.csv",
        "Sartovin/Tools.csv"};
    // The hobby tools template is "Tools.csv" in the common folder but "ToolsHP.csv" beside the
    // program; both installations of the past are served.
    static const CatalogNames hobby{
        "Sartovin-Hobbyplotter/PlotterHP.csv", "PlotterHP.csv",
        "Sartovin-Hobbyplotter/MediaHP.csv",   "MediaHP.csv",
        "Sartovin-Hobbyplotter/Tools.csv",     "ToolsHP.csv",
        "Sartovin-Hobbyplotter/PlotterHP.csv", "Sartovin-Hobbyplotter/MediaHP.csv",
        "Sartovin-Hobbyplotter/ToolsHP.csv"};
    static const CatalogNames laser{
        "Sartovin/PlotterLC.csv", "PlotterLC.csv", "Sartovin/MediaLC.csv",   "MediaLC.csv",
        "Sartovin/Tools.csv",     "Tools.csv",     "Sartovin/PlotterLC.csv", "Sartovin/MediaLC.csv",
        "Sartovin/Tools.csv"};
    switch (family) {
        case CatalogFamily::Hobby:
            return hobby;
        case CatalogFamily::Laser:
            return laser;
        default:
            return standard;
    }
}

// A template in the common folder, else beside the program.
std::string templatePath(const std::string& common, const std::string& program) {
    if (!common.empty() && fileExists(common)) return common;
    return program;
}

}  // namespace

std::string findDataFolder(const std::string& programFolder) {
    auto holdsData = [](const std::string& folder) {
        return fileExists(folder + "2000.txt") || fileExists(folder + "Sartovin.ini");
    };
    if (holdsData(programFolder)) return programFolder;
    std::string shared =
        std::filesystem::path(programFolder + "../share/Sartovin/").lexically_normal().string();
    if (!shared.empty() && shared.back() != '/') shared += '/';
    if (holdsData(shared)) return shared;
    return programFolder;
}

int languageFromLocaleName(const std::string& name) {
    if (name.find("de-") != std::string::npos) return 1000;
    if (name.find("fr-") != std::string::npos) return 3000;
    if (name.find("en-") != std::string::npos) return 2000;
    return -1;
}

int languageFromDialogIndex(int index) {
    if (index == 0) return 1000;
    if (index == 2) return 3000;
    return 2000;
}

StartupOptions startupOptionsOfThisProgram() {
    StartupOptions options;
    const std::string executable = executablePath();
    if (!executable.empty()) options.fallbackDataFolder = findDataFolder(folderOf(executable));
    return options;
}

void runStartup(CTarnelWinCApp& app, const std::string& programPath, Interaction& ui,
                const StartupOptions& options) {
    app = CTarnelWinCApp{};

    // Start mode from the program path; the first matching row of the table wins.
    StartModeResult mode = startModeFromPath(programPath);
    app.startMode = mode.startMode;
    app.hobbyFlag = mode.hobbyFlag;

    // Program folder; a folder named like the hobby product also selects the hobby folders.
    app.programFolder = folderOf(programPath);
    if (containsNoCase(app.programFolder, "/SARTOVIN-HOBBYPLOTTER")) app.hobbyFlag = true;
    app.dataFolder = findDataFolder(app.programFolder);
    if (!options.fallbackDataFolder.empty() && !fileExists(app.dataFolder + "2000.txt") &&
        !fileExists(app.dataFolder + "Sartovin.ini"))
        app.dataFolder = options.fallbackDataFolder;
    app.isVistaOrLater = true;

    // Product folder and catalog family.
    const StartMode sm = app.startMode;
    if (sm.isHobby()) {
        app.productFolder = "Sartovin-Hobbyplotter/";
    } else {
        app.productFolder = app.hobbyFlag ? "Sartovin-Hobbyplotter/" : "Sartovin/";
    }
    if (sm.isStandard() && !app.hobbyFlag)
        app.family = CatalogFamily::Standard;
    else if (sm.isHobby() || app.hobbyFlag)
        app.family = CatalogFamily::Hobby;
    else
        app.family = CatalogFamily::Laser;

    // Common data root; the product folder below it is created when possible.
    app.commonDataRoot = commonDataFolder();
    if (app.commonDataRoot.empty())
        app.commonDataRoot = app.programFolder;
    else
        MakeSureDirectoryPathExists(app.commonDataRoot + app.productFolder);

    // Templates: the common folder first, then beside the program.
    const std::string& prog = app.dataFolder;
    std::string settingsTemplate =
        templatePath(app.commonDataRoot + app.productFolder + "Sartovin.ini", prog + "Sartovin.ini");
    const CatalogNames& names = namesOf(app.family);
    std::string plotterTemplate =
        templatePath(app.commonDataRoot + names.plotterCommon, prog + names.plotterProgram);
    std::string mediaTemplate =
        templatePath(app.commonDataRoot + names.mediaCommon, prog + names.mediaProgram);
    std::string toolsTemplate =
        templatePath(app.commonDataRoot + names.toolsCommon, prog + names.toolsProgram);

    // User data root; without one the common root serves.
    app.userDataRoot = userDataFolder();
    if (app.userDataRoot.empty()) app.userDataRoot = app.commonDataRoot;
    MakeSureDirectoryPathExists(app.userDataRoot + app.productFolder);

    // The user's settings file and catalogs, copied from the templates when missing. Half-written
    // copies of them that a crash left behind go first.
    app.iniPath = app.userDataRoot + app.productFolder + "Sartovin.ini";
    app.plotterCatalogPath = app.userDataRoot + names.plotterUser;
    app.mediaCatalogPath = app.userDataRoot + names.mediaUser;
    app.toolsCatalogPath = app.userDataRoot + names.toolsUser;
    for (const std::string* path :
         {&app.iniPath, &app.plotterCatalogPath, &app.mediaCatalogPath, &app.toolsCatalogPath})
        removeStaleSiblings(*path);
    copyFileNoOverwrite(settingsTemplate, app.iniPath);
    copyFileNoOverwrite(plotterTemplate, app.plotterCatalogPath);
    copyFileNoOverwrite(mediaTemplate, app.mediaCatalogPath);
    copyFileNoOverwrite(toolsTemplate, app.toolsCatalogPath);

    // The text files, copied for the user; the lookup itself reads the program's own files.
    for (const char* name : {"1000.txt", "2000.txt", "3000.txt"})
        copyFileNoOverwrite(prog + name, app.userDataRoot + app.productFolder + name);

    // Language.
    Settings settings(app.iniPath);
    int language = -1;
    int choice = settings.languageChoice();
    if (choice == -2) {
        std::string locale = localeName();
        if (!locale.empty()) language = languageFromLocaleName(locale);
    } else if (choice == -3) {
        int stored = settings.language();
        if (stored == 1000 || stored == 2000 || stored == 3000) language = stored;
    }
    if (language < 0) {
        if (options.languageDialogAvailable) {
            int index = ui.chooseFromList(kLanguageDialogTitle, {"Deutsch", "English", "France"}, 0);
            if (index == kLanguageDialogClosed) {
                // Closed without a choice: English for this run, and nothing stored as the
                // user's choice, so the next start asks again.
                language = 2000;
            } else {
                language = languageFromDialogIndex(index);
                settings.setLanguageChoice(-3);
            }
        } else {
            language = 2000;
        }
    }
    if (language < 0 || language > 3000) language = 2000;
    app.languageId = language;
    settings.setLanguage(language);
}

}  // namespace sartovin

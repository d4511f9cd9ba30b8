#pragma once
// The application state that start-up settles and every other subsystem reads. It is created once
// at the top of each front end and handed down; core code never reaches it through a global.

#include <set>
#include <string>

#include "base/StartMode.h"

namespace sartovin {

/// Which set of catalog files an installation uses.
enum class CatalogFamily { Standard, Hobby, Laser };

struct CTarnelWinCApp {
    std::string iniPath;             ///< the user's settings file "Sartovin.ini"
    std::string programFolder;       ///< folder of the program file, ending in "/"
    std::string dataFolder;          ///< where the program's own data files lie (templates, texts):
                                     ///< the program folder, or <program>/../share/Sartovin/
    std::string plotterCatalogPath;  ///< the user's copy of the plotter catalog
    std::string mediaCatalogPath;    ///< the user's copy of the media catalog
    std::string toolsCatalogPath;    ///< the user's copy of the tools catalog
    int languageId = -1;             ///< 1000 German, 2000 English, 3000 French; -1 unsettled
    StartMode startMode = 1;         ///< see StartMode.h
    bool hobbyFlag = false;          ///< hobby folders and catalogs in use
    std::string userDataRoot;        ///< per-user data folder, ending in "/"
    std::string commonDataRoot;      ///< all-users data folder, ending in "/"
    std::string productFolder;       ///< "Sartovin/" or "Sartovin-Hobbyplotter/"
    CatalogFamily family = CatalogFamily::Standard;
    bool isVistaOrLater = true;        ///< kept for the laser driver folder rule; always true here
    std::string inputFileName;         ///< the drawing handed over on the command line or found
    std::set<std::string> selectedObjectIds;  ///< the drawing program's selection ("--id=ID" options)
    unsigned timerIds[3] = {0, 0, 0};  ///< the main window's one-shot timers; 0 = not running
};

}  // namespace sartovin

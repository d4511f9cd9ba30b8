#pragma once
// The engraver's definition file "C18.def" in the user's Sartovin folder: the engraver settings
// dialog writes it, and every laser pass reads it first. It stands in for the driver's own file
// and for what the print queue's device context would report: the resolution and the page size.
//
// Format (an INI file, section "C18"): "RESOLUTION" (dots per inch), "OPTION" (kept for the
// engraver, not used by the job), "PageWidth" and "PageHeight" (whole mm).

#include <functional>
#include <string>

#include "base/CTarnelWinCApp.h"
#include "base/Texts.h"
#include "platform/Interaction.h"
#include "plot/PlotProgress.h"

namespace sartovin {

inline constexpr const char* kLaserDefinitionFileName = "C18.def";
inline constexpr const char* kLaserDefinitionSection = "C18";

/// The resolutions the engraver works at, highest first (dots per inch).
inline constexpr int kLaserResolutions[] = {1000, 760, 500, 250, 125};

struct LaserDefinition {
    int resolution = 0;  ///< "RESOLUTION" as stored
    int option = 0;      ///< "OPTION" as stored
    int pageWidth = 0;   ///< mm; 0 when not stored
    int pageHeight = 0;  ///< mm; 0 when not stored
};

/// Result of the driver check.
enum class LaserDriverStatus {
    Ok = 0,
    Missing = -1,       ///< no file: text 374
    NotReadWrite = -2,  ///< exists but cannot be opened for reading and writing: text 375
};

/// The snapped resolution: 1000 when at least 1000, else 760, 500, 250, 125 when at least that,
/// else 0.
int snapLaserResolution(int dpi);

/// Where the definition file lies for this installation: the user's product folder.
std::string laserDefinitionPath(const CTarnelWinCApp& app);

/// Checks the file at `path` and reads it into `definition` when it can be used.
LaserDriverStatus checkLaserDriver(const std::string& path, LaserDefinition& definition);

/// The check before a laser pass: hides the status window, then shows text 374 or 375 with the
/// path (error icon, caption "Sartovin") when the file is missing or not readable and writable,
/// and text 470 when its resolution snaps to 0. On success `resolution` is the snapped resolution.
bool checkLaserDriverForPass(const std::string& path, Interaction& ui, const Texts& texts,
                             PlotProgress& progress, LaserDefinition& definition, int& resolution);

/// Makes sure the definition file exists after an engraver was chosen: a file that exists but
/// cannot be opened for reading and writing gives text 375 (error icon, caption "Sartovin");
/// a missing one shows text 376 (information icon), then the engraver settings through
/// `openSettings`, and when still no file results text 374 with the path (error icon, Retry and
/// Cancel) — Retry shows 376 and the settings again. Without `openSettings` (no window to show
/// it in) a missing file gives 374 once with OK. True when the file is there and usable.
bool ensureLaserDefinition(const std::string& path, Interaction& ui, const Texts& texts,
                           const std::function<void()>& openSettings);

/// Writes `definition` to `path` (created when missing). False when it cannot be written.
bool writeLaserDefinition(const std::string& path, const LaserDefinition& definition);

}  // namespace sartovin

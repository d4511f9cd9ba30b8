#pragma once
// The rules of the cutter settings tab that need no window: the pressure scale of the cutter,
// the offset list, the quality mapping and the settings commands sent back to the cutter.

#include <array>
#include <cstdint>
#include <string>

namespace sartovin {

/// The offset list entries, in list order (millimetres as the cutter's settings show them).
inline constexpr std::array<const char*, 8> kOffsetEntries{"0.000", "0.175", "0.250", "0.275",
                                                           "0.300", "0.500", "0.750", "1.000"};

/// The pressure level (0 to 255 of the cutter's maximum) for `grams`: grams × 255 ÷ maximum,
/// limited to 0..255. 0 when the maximum is not positive.
int pressureLevel(int grams, int maxForce);

/// The pressure field after it lost the focus (`spinStep` 0) or the spin control moved
/// (negative: up, positive: down): the typed value snapped to the cutter's 255 levels, then
/// limited to minForce..maxForce. With max 400, 201 shows 200 and one step up from 200 shows 202.
int snapPressure(int grams, int maxForce, int minForce, int spinStep);

/// The offset list entry that a tool offset in micrometres (the third settings value) selects:
/// the value ÷ 1000 written with three decimals, compared with the entries; -1 when none matches.
int offsetEntryForMicrometres(int micrometres);

/// The quality list entry of a Jaguar for the cutter's quality code: 30 → 4, 20 → 3, 10 → 2,
/// 5 → 1, anything else 0.
int jaguarQualityEntry(int qualityCode);

/// The tab's choices that the settings commands carry.
struct CutterSettingsChoice {
    int offsetIndex = -1;       ///< offset list selection, -1 when nothing is selected
    bool light = false;         ///< medium weight "Leicht" checked
    int qualityIndex = 0;       ///< quality list selection
    bool smoothingOff = false;  ///< smoothing "Aus" checked
    bool unrollOn = false;      ///< unroll "Ein" checked
    bool sheet = false;         ///< medium type "Blatt" checked
    int pressure = 0;           ///< pressure field, grams
    int maxForce = 0;           ///< the cutter's maximum pressure ("MaxCutForce")
};

/// The command text the send-settings button delivers: settings 16 (offset, left out without a
/// selection), 17, 19, 20, 21, 22 (pressure level) and the store command, each "ESC.C1;n;v:".
std::string buildSettingsCommands(const CutterSettingsChoice& choice);

}  // namespace sartovin

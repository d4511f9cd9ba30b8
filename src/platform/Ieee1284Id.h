#pragma once
// The IEEE-1284 device ID a printer-class device reports: "KEY:value;" pairs such as
// "MFG:GCC;MDL:Jaguar V;CMD:HPGL;". Keys compare without regard to case and have short and long
// spellings (MFG / MANUFACTURER, MDL / MODEL, CMD / COMMAND SET).

#include <string>

namespace sartovin {

struct Ieee1284Id {
    std::string manufacturer;  ///< trimmed; empty when absent
    std::string model;         ///< trimmed; empty when absent
    std::string commandSet;    ///< trimmed; empty when absent

    /// Parses a device ID; unknown keys and pairs without ":" are ignored, the first occurrence
    /// of a key wins. A leading two-byte length (as the raw USB request returns it) is not part
    /// of the text sysfs gives and is not expected.
    static Ieee1284Id parse(const std::string& text);
};

}  // namespace sartovin

#pragma once
// The sheet formats of the hobby edition's format list. Picking an entry sets the medium size;
// the list's last entry ("user defined") keeps the size typed by hand.

#include <span>
#include <string>

namespace sartovin {

/// The orientation word that follows the paper name in the list, if any.
enum class SheetOrientation { None, Portrait, Landscape };

/// One sized entry of the format list.
struct SheetFormat {
    const char* paper;  ///< "A4", "Letter", … (with no orientation the whole entry text)
    SheetOrientation orientation;
    int width;   ///< medium width (head direction), mm
    int height;  ///< medium length (transport direction), mm
};

/// Whether a plotter gets the long list: its name contains "Cameo".
bool hasCameoFormats(const std::string& plotterName);

/// The sized entries in list order: nine for the long list, six otherwise. The list shows one more
/// entry after them, "user defined", which has no size.
std::span<const SheetFormat> sheetFormats(bool cameo);

/// The length of the list including its last entry: ten for the long list, seven otherwise.
int sheetFormatCount(bool cameo);

}  // namespace sartovin

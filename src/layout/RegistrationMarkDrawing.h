#pragma once
// The registration marks a drawing gets for print-and-cut: filled rectangles around the artwork,
// each carrying the identity by which the cutting program tells the marks apart (measured by
// RegistrationMarks). The Illustrator plug-in draws them into the document, `sartovin marks` and
// the Inkscape extension into an SVG drawing; this is the one place of their geometry.
//
// Everything is in points (1/72 inch) with y growing upwards, as the plug-in's host counts.

#include <string>
#include <vector>

namespace sartovin {

/// Points per millimetre: every length of the marks settings is multiplied by it.
inline constexpr double kMarkPointsPerMm = 2.834645;

/// The settings section the marks window writes and the drawing reads, and its keys.
inline constexpr const char* kMarksSection = "Passermarks";
inline constexpr const char* kMarksKeyDelete = "DeleteMarks";
inline constexpr const char* kMarksKeySet = "SetMarks";

/// The layer the marks live on.
inline constexpr const char* kMarksLayerTitle = "QX-PassermarkenEbene";

/// The values of section "Passermarks" the drawing uses, as stored (lengths in mm).
struct MarkSettings {
    int length = 25;    ///< "Length": arm length of a mark
    int thickness = 1;  ///< "Thickness": mm in the standard variant, 1/10 mm in the hobby variant
    int margin = 5;     ///< "Margin": distance between the artwork and the marks
    bool useHorSegmentMarks = false;   ///< "UseHorSegmentMarks"
    bool useVertSegmentMarks = false;  ///< "UseVertSegmentMarks"
    int xStep = 500;                   ///< "XStep": spacing of the marks along top and bottom
    int yStep = 500;                   ///< "YStep": spacing of the marks along left and right
    bool isCameo = true;               ///< "IsCameo": hobby upper-left corner is a filled square
    std::string format = "A4 hoch";    ///< "Format": hobby sheet format
};

/// Reads MarkSettings through `readInt(key, default)` and `readString(key, default)`, which look
/// the keys up in section "Passermarks" of the settings file the caller chose.
template <typename ReadInt, typename ReadString>
MarkSettings readMarkSettings(ReadInt readInt, ReadString readString) {
    MarkSettings s;
    s.length = readInt("Length", 25);
    s.thickness = readInt("Thickness", 1);
    s.margin = readInt("Margin", 5);
    s.useHorSegmentMarks = readInt("UseHorSegmentMarks", 0) != 0;
    s.useVertSegmentMarks = readInt("UseVertSegmentMarks", 0) != 0;
    s.xStep = readInt("XStep", 500);
    s.yStep = readInt("YStep", 500);
    s.isCameo = readInt("IsCameo", 1) != 0;
    s.format = readString("Format", "A4 hoch");
    return s;
}

/// A rectangle in points, y upwards (top > bottom).
struct MarkRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

/// One filled rectangle of the marks and its identity (0 for a plain bar).
struct MarkRectangle {
    MarkRect rect;
    int identity = 0;
};

enum class MarksVariant {
    Standard,  ///< L-shaped marks outside the artwork, the lower-left one lengthened
    Hobby,     ///< marks of the hobby cutters, centred on a sheet format
};

/// The usable area of a hobby sheet format (mm), when `format` names one.
struct SheetArea {
    bool known = false;
    double width = 0;
    double height = 0;
};

/// The first format whose name `format` contains, in this order: "A4 hoch"/"A4 Portrait"
/// 188 × 265, "A4 quer"/"A4 Landscape"/"A4 Paysage" 277 × 187, "Letter hoch"/"Letter Portrait"
/// 194 × 247, "Letter quer"/"Letter Landscape"/"Letter Paysage" 257 × 184, "12" 282 × 272,
/// "A3" 275 × 388, "Legal" 194 × 324, "A5 quer"/"A5 Landscape"/"A5 Paysage" 188 × 116,
/// "A5 hoch"/"A5 Portrait" 126 × 178. `known` false for any other name.
SheetArea hobbySheetArea(const std::string& format);

struct MarksResult {
    /// False only for hobby marks that do not fit the sheet format: the drawing is too large for it
    /// (the caller shows text DrawingTooLargeForMarks) and nothing is drawn.
    bool fits = true;
    std::vector<MarkRectangle> rectangles;  ///< in drawing order
};

/// The marks around artwork `art` (points, y upwards), in the order they are drawn. Callers draw
/// nothing for a drawing without artwork; the rectangles here always surround `art`.
///
/// Standard: corner Ls of arm `length` and bar `thickness` mm whose outer corners lie `margin` +
/// `length` outside the artwork, the lower-left one lengthened 3 mm outwards; crosses every step
/// along the edges when segment marks are asked for and the step is shorter than the artwork.
/// Hobby: bars of `thickness` ÷ 10 mm; corners `margin` outside the artwork, or with the artwork
/// centred in the sheet format's usable area when "Format" names one.
MarksResult registrationMarks(MarksVariant variant, const MarkSettings& settings, const MarkRect& art);

}  // namespace sartovin

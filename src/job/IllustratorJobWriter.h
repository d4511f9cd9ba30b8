#pragma once
// The writer side of the Illustrator-variant job file. The plug-in walks the document and hands
// over a plain description of the layers and paths it exports, in the host's points (y upwards);
// the writer applies the skip rules and writes the file in millimetres.

#include <optional>
#include <string>
#include <vector>

namespace sartovin {

/// A rectangle in points: left, top, right, bottom, y growing upwards.
struct PointRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

/// One anchor of a path, in points, with its incoming and outgoing handles.
struct ExportAnchor {
    double x = 0, y = 0;
    double inX = 0, inY = 0;    ///< handle arriving at the anchor
    double outX = 0, outY = 0;  ///< handle leaving the anchor
    bool smooth = false;        ///< a smooth anchor ("S"), else a corner ("C")
};

enum class ExportColourKind { None, Rgb, Cmyk, Grey, Other };

/// The fill colour of a path as the host reports it.
struct ExportColour {
    ExportColourKind kind = ExportColourKind::None;
    /// Components 0..1: red, green, blue; or cyan, magenta, yellow, black; or the grey value first.
    double components[4] = {0, 0, 0, 0};
    /// Name of the swatch the document's swatch list holds for the colour ("" when it has none).
    std::string swatchName;
};

struct ExportPath {
    std::vector<ExportAnchor> anchors;
    bool closed = false;
    bool filled = false;    ///< the art has a fill (skip rule)
    bool stroked = false;   ///< the art has a stroke (skip rule)
    bool selected = false;  ///< selected in the host
    ExportColour fill;      ///< fill paint; kind None writes "keine"
    PointRect bounds;       ///< bounds written for the object (the host's visual bounds)
    /// Plain geometric bounds for the unpainted-path skip test; `bounds` serve when absent.
    std::optional<PointRect> testBounds;
    /// True for a path that is an object of its own, false for the second and later glyph paths
    /// of a text frame, which become further sub-paths of the text's object.
    bool startsObject = true;
};

struct ExportLayer {
    std::string title;  ///< UTF-8; written in the file's code page, at most 999 bytes
    std::vector<ExportPath> paths;
};

/// Points per millimetre: the writer divides every point value by it.
inline constexpr double kPointsPerMm = 2.834645;

/// True when the path has a length: at least two anchors, and some anchor or handle apart from
/// the first anchor. A path without length is never written.
bool exportPathHasLength(const ExportPath& path);

/// True for the bounds of a path with neither fill nor stroke that is left out: empty, zero wide and
/// more than 15000 points high, or more than 15000 points wide and zero high (the host's guides).
bool unpaintedBoundsSkipped(const PointRect& bounds);

/// True when the writer leaves the path out: it has no length, or it has neither fill nor stroke
/// and its test bounds are empty, zero wide and more than 15000 points high, or more than 15000
/// points wide and zero high.
bool exportPathSkipped(const ExportPath& path);

/// The complete file as bytes: Windows-1252, every line ending in CR LF, numbers "%.3f" in mm
/// (independent of the process locale). Skipped paths write nothing; when the path that should
/// carry an object's header is skipped, the next written path carries it, and the first written
/// path of every layer always opens an object. Line breaks inside titles and swatch names become
/// spaces, so a name can never break the line structure. nullopt when no code-page converter is
/// installed.
std::optional<std::string> formatIllustratorJob(const PointRect& page,
                                                const std::vector<ExportLayer>& layers);

/// Deletes any old file at `path` and writes the job file there (written whole, then renamed into
/// place, so a reader never sees half a file). False when it cannot be written.
bool writeIllustratorJob(const std::string& path, const PointRect& page,
                         const std::vector<ExportLayer>& layers);

}  // namespace sartovin

#pragma once
// The SVG reader: fills the job model from an SVG file in the form the Inkscape run leaves it
// (every object a path of absolute or relative moves, cubic curves, lines and absolute H/V lines;
// layers as groups with inkscape:groupmode="layer"). It reads by substring search and builds no
// document tree; user units are taken at 90 per inch.

#include <string>

#include "job/Job.h"
#include "job/JobImportContext.h"

namespace sartovin {

/// SVG user units per millimetre (90 per inch).
inline constexpr double kSvgUnitsPerMm = 3.54331;

/// The attribute the Inkscape run gives the outlines of selected text ("1"), whose ids are new.
inline constexpr const char* kSvgSelectedAttribute = "sartovin-selected";

/// The reader's own messages (German only, as the program has always shown them).
inline constexpr const char* kSvgNotReadable = "SVG Datei konnte nicht interpretiert werden !";
inline constexpr const char* kSvgMatrixRefused = "SVG Datei enthält unbekannte Objekte !";
inline constexpr const char* kSvgUnknownObjects =
    "Unbekannte Objekte in der SVG-Datei, versuche Daten weiter zu interpretieren....";

/// Reads SVG `text` into `job` (expected empty) and `state`.
///
/// Resets objectTotal, pathTotal and the extent first. Every layer group becomes a `JobLayer`
/// (name from inkscape:label, else "QX-Ebene<n>"; a drawing without layers is read as one layer
/// "QX-Ebene1"); layers hidden with display:none, and everything
/// inside them, are left out, as are hidden paths. Each visible "<path" with data becomes one
/// object; its points are (value + layer translation) / kSvgUnitsPerMm. The fill colour comes from
/// the style's "fill:#rrggbb" (black without one); a path whose id is one of `ctx.selectedIds`,
/// or which carries kSvgSelectedAttribute while there are any, is selected. Runs finishImport (marks mode from 10 objects).
///
/// Returns false after telling the user through `ctx.ui`: no start position (kSvgNotReadable), a path
/// with a matrix transform (kSvgMatrixRefused), Cancel at the question about unknown objects
/// (kSvgUnknownObjects), or nothing to cut (text 303, ctx.failure NoSegments). Never throws on bad input.
bool readSvgText(const std::string& text, Job& job, JobState& state, JobImportContext& ctx);

/// Reads the file at `path` with readSvgText; a file that cannot be read is reported like text
/// without a start position (ctx.failure CannotOpen).
bool readSvgFile(const std::string& path, Job& job, JobState& state, JobImportContext& ctx);

}  // namespace sartovin

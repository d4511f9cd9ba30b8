#pragma once
// The registration marks in an SVG drawing, as the Inkscape extension and `sartovin marks` place
// them: the marks layer "QX-PassermarkenEbene" found and removed, or drawn anew (geometry:
// RegistrationMarkDrawing) as a locked layer of filled rectangles whose fill "#vv0000" carries the
// mark identity v in the red component, which the SVG import reads as the identity.

#include <string>
#include <vector>

#include "layout/RegistrationMarkDrawing.h"

namespace sartovin {

/// How the drawing's user units relate to millimetres (the root element's size and viewBox).
struct SvgDocumentUnits {
    double mmPerUnitX = 25.4 / 96;
    double mmPerUnitY = 25.4 / 96;
    double originX = 0;  ///< viewBox origin, user units
    double originY = 0;
};

/// The units of the drawing `svg`; false when it has no svg root element.
bool svgDocumentUnits(const std::string& svg, SvgDocumentUnits& units);

/// The position [begin, end) of the first visible layer labelled "QX-PassermarkenEbene" (its group
/// from "<g" to the end of its "</g>"); false when there is none.
bool findSvgMarksLayer(const std::string& svg, std::size_t& begin, std::size_t& end);

/// `svg` without its first visible marks layer; `removed` tells whether there was one.
std::string svgWithoutMarksLayer(const std::string& svg, bool& removed);

/// The artwork's extent from the output of `inkscape --query-all` (lines "id,x,y,width,height";
/// the first is the root, whose box Inkscape gives over the visible objects only), in px at 96 per
/// inch from the page's top left corner, as points with y upwards. False when it names no box.
bool artworkFromInkscapeQuery(const std::string& queryOutput, MarkRect& art);

/// The marks layer for `marks` (points, y upwards) in the drawing's user units: a locked layer
/// group with one rectangle path per mark, filled "#vv0000" and not stroked.
std::string svgMarksLayer(const std::vector<MarkRectangle>& marks, const SvgDocumentUnits& units);

/// `svg` with `layer` below all other layers, as the plug-in places the marks: after the root's
/// definitions, metadata and view settings (the import reads only what follows them), before the
/// drawing. The inkscape and sodipodi namespaces are declared when they were not. Unchanged when
/// there is no root element.
std::string svgWithMarksLayer(const std::string& svg, const std::string& layer);

}  // namespace sartovin

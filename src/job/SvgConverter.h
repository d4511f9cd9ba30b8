#pragma once
// Our own conversion of ordinary SVG drawings into the form the SVG reader takes: the same
// geometry the Inkscape run gives, without starting Inkscape.
//
// Shapes become paths (rectangles with or without rounded corners, circles and ellipses as four
// quarter arcs, lines, polylines and polygons, each starting where Inkscape starts it), every
// transform is folded into the points, "use" elements and clones are drawn where they stand,
// nested groups are dissolved into their layer, and the drawing is turned so that y grows upwards.
// Layers and sub-layers keep their labels; hidden layers, hidden objects and whatever is not drawn
// (definitions, clip paths, masks, markers, patterns, images) are left out. Each object's fill
// colour is resolved through presentation attributes, style sheets, style attributes and
// inheritance. Text cannot be converted without Inkscape's fonts: it is counted and left out.

#include <set>
#include <string>
#include <string_view>

namespace sartovin {

/// Why a conversion failed.
enum class SvgConvertFailure {
    None,
    NotXml,  ///< the bytes are no well-formed XML document
    NotSvg,  ///< the root element is not "svg"
};

struct SvgConversion {
    /// The drawing in the reader's form (absolute M, L, C and Z in units of 1/90 inch, y upwards,
    /// fills as "fill:#rrggbb" in the style, layers as Inkscape marks them).
    std::string text;
    int textObjects = 0;  ///< drawn text and flowed-text elements, left out of `text`
    long objects = 0;     ///< paths written
    long segments = 0;    ///< segments written
    SvgConvertFailure failure = SvgConvertFailure::None;
};

/// Converts the SVG document `bytes`. False (with `out.failure` set) when it is no SVG document;
/// a drawing without anything drawable converts to a text without paths.
///
/// `selectedIds` are the ids of the objects selected in the drawing program. Every path drawn by a
/// selected element, or by anything inside one (a group's members, what a "use" shows), carries
/// the id of the outermost selected element as its id; other paths carry none.
bool convertSvg(std::string_view bytes, SvgConversion& out, const std::set<std::string>& selectedIds = {});

/// `selectedIds` together with the ids of every element inside the elements they name, in the SVG
/// document `bytes`: the objects that still stand for the selection once the groups are dissolved.
/// Just `selectedIds` when `bytes` is no SVG document. `texts`, when given, receives those of the
/// ids that name text (text and flowed-text elements), whose outlines get ids of their own when
/// Inkscape turns them into paths.
std::set<std::string> selectionWithMembers(std::string_view bytes, const std::set<std::string>& selectedIds,
                                           std::set<std::string>* texts = nullptr);

}  // namespace sartovin

#pragma once
// Geometry of SVG documents: transform attributes, viewports, and path data of the whole SVG syntax
// written under an affine map in the subset the reader accepts (absolute M, L, C and Z only; arcs
// and quadratic curves become cubic curves).

#include <string>
#include <string_view>

#include "job/SvgPathData.h"

namespace sartovin {

/// x' = a·x + c·y + e, y' = b·x + d·y + f (the SVG matrix(a,b,c,d,e,f) order).
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    static Affine translation(double x, double y) { return {1, 0, 0, 1, x, y}; }
    static Affine scaling(double x, double y) { return {x, 0, 0, y, 0, 0}; }

    double mapX(double x, double y) const { return a * x + c * y + e; }
    double mapY(double x, double y) const { return b * x + d * y + f; }
    SvgPoint map(SvgPoint p) const { return {mapX(p.x, p.y), mapY(p.x, p.y)}; }
    bool isIdentity() const { return a == 1 && b == 0 && c == 0 && d == 1 && e == 0 && f == 0; }
    /// The largest factor by which the map stretches a length.
    double maxStretch() const;
};

/// The map that applies `inner` first and then `outer`.
Affine compose(const Affine& outer, const Affine& inner);

/// Reads an SVG transform list (matrix, translate, scale, rotate with or without a centre, skewX,
/// skewY; applied right to left as SVG does). False, with `out` untouched, for anything else.
bool parseTransform(std::string_view text, Affine& out);

/// The map from the user units of a viewBox (x, y, width, height; width and height > 0) into a
/// viewport of `width` × `height` at the origin, as SVG's preserveAspectRatio value `align` asks
/// ("none", or an alignment such as "xMidYMid" with "meet" or "slice"; empty or unreadable text is
/// "xMidYMid meet").
Affine viewBoxTransform(const double viewBox[4], double width, double height, std::string_view align);

/// A length with its unit in millimetres: no unit and "px" are CSS pixels (96 per inch), then "mm",
/// "cm", "in", "pt", "pc" and "q". False for other units, percentages and values not above 0.
bool lengthInMm(std::string_view text, double& mm);

/// Where a document's root puts its drawing: the map from the root's user units to millimetres
/// on the page (y downwards, origin at the top left), and the page height in millimetres.
struct DocumentMap {
    Affine toMm;
    double pageHeightMm = 0;  ///< 0 when the root gives no height
};

/// The document map from the root element's width, height, viewBox and preserveAspectRatio
/// values (empty when absent). Without a viewBox user units are pixels; a missing width or height
/// follows the viewBox's proportions, both missing make the viewBox's units pixels.
DocumentMap documentMap(std::string_view width, std::string_view height, std::string_view viewBox,
                        std::string_view preserveAspectRatio);

/// An elliptical arc as SVG path data gives it: radii, rotation of the x axis in degrees, the two
/// flags, and its end point (the start is the current point).
struct SvgArc {
    double rx = 0, ry = 0, rotation = 0;
    bool largeArc = false, sweep = false;
    SvgPoint end;
};

/// The same arc after `map`: the image of its ellipse with new radii and rotation, the sweep
/// reversed when the map mirrors, and the end point mapped.
SvgArc transformArc(const Affine& map, const SvgArc& arc);

/// Receives a path's commands in absolute coordinates.
class PathSink {
public:
    virtual ~PathSink() = default;
    virtual void moveTo(SvgPoint p) = 0;
    virtual void lineTo(SvgPoint p) = 0;
    virtual void quadTo(SvgPoint control, SvgPoint p) = 0;
    virtual void cubicTo(SvgPoint c1, SvgPoint c2, SvgPoint p) = 0;
    virtual void arcTo(const SvgArc& arc) = 0;
    virtual void closePath() = 0;
};

/// Reads SVG path data (every command absolute or relative, implicit repeats, packed arc flags)
/// and hands each command to `sink` with absolute coordinates; smooth curves arrive with their
/// reflected control points, horizontal and vertical lines as lines. Stops at the first error and
/// returns false; the commands before it have been handed on.
bool parsePathCommands(std::string_view data, PathSink& sink);

/// Writes path commands under `map` in the reader's form: "M x,y", "L x,y", "C x1,y1 x2,y2 x,y"
/// and "Z", every letter written out, six decimals at most. Quadratic curves become exactly equal
/// cubics; arcs are carried through the map and split into cubic pieces of at most 90° whose
/// distance from the true arc stays below `tolerance` (in output units). A drawing command right
/// after a close starts with a move to the closed sub-path's start, as SVG defines it.
class ReaderPathWriter : public PathSink {
public:
    ReaderPathWriter(const Affine& map, double tolerance, std::string& out)
        : m_map(map), m_tolerance(tolerance), m_out(out) {}

    void moveTo(SvgPoint p) override;
    void lineTo(SvgPoint p) override;
    void quadTo(SvgPoint control, SvgPoint p) override;
    void cubicTo(SvgPoint c1, SvgPoint c2, SvgPoint p) override;
    void arcTo(const SvgArc& arc) override;
    void closePath() override;

    /// Number of segments written (lines and cubics).
    long segments() const { return m_segments; }
    /// True once a point beyond kMaxPathCoordinate (or not finite) was written: the reader would
    /// refuse the path.
    bool outOfRange() const { return m_outOfRange; }

private:
    void beginDrawing();
    void letter(char c);
    void point(SvgPoint mapped);

    Affine m_map;
    double m_tolerance;
    std::string& m_out;
    SvgPoint m_current;  // in input units
    SvgPoint m_start;
    bool m_afterClose = false;
    long m_segments = 0;
    bool m_outOfRange = false;
};

/// Appends `v` in fixed notation with at most six decimals and no trailing zeros ("-0" as "0"):
/// the reader's number syntax, no exponents.
void appendDecimal(std::string& out, double v);

/// Rewrites SVG path data `data` under `map` with a ReaderPathWriter. False, with `out`
/// untouched, when the data is malformed; data up to an error is not kept half-way.
bool rewritePathData(std::string_view data, const Affine& map, double tolerance, std::string& out);

}  // namespace sartovin

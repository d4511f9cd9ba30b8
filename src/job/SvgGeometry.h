#pragma once
// Geometry of SVG documents as the Inkscape adapter needs it: transform attributes, and path data
// of the whole SVG syntax rewritten under an affine map into the subset the reader accepts
// (absolute M, L, C and Z only; arcs and quadratic curves become cubic curves).

#include <string>
#include <string_view>

namespace sartovin {

/// x' = a·x + c·y + e, y' = b·x + d·y + f (the SVG matrix(a,b,c,d,e,f) order).
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    static Affine translation(double x, double y) { return {1, 0, 0, 1, x, y}; }
    static Affine scaling(double x, double y) { return {x, 0, 0, y, 0, 0}; }

    double mapX(double x, double y) const { return a * x + c * y + e; }
    double mapY(double x, double y) const { return b * x + d * y + f; }
    bool isIdentity() const { return a == 1 && b == 0 && c == 0 && d == 1 && e == 0 && f == 0; }
    /// The largest factor by which the map stretches a length.
    double maxStretch() const;
};

/// The map that applies `inner` first and then `outer`.
Affine compose(const Affine& outer, const Affine& inner);

/// Reads an SVG transform list (matrix, translate, scale, rotate with or without a centre, skewX,
/// skewY; applied right to left as SVG does). False, with `out` untouched, for anything else.
bool parseTransform(std::string_view text, Affine& out);

/// Rewrites SVG path data `data` (any commands, absolute or relative, implicit repeats, packed
/// arc flags) under `map` as absolute "M x,y", "L x,y", "C x1,y1 x2,y2 x,y" and "Z" commands with
/// every command letter written out. Quadratic curves become exactly equal cubics; elliptical arcs
/// are split into cubic pieces of at most 90° whose distance from the true arc stays below
/// `tolerance` (in output units). False, with `out` untouched, when the data is malformed; data
/// up to an error is not kept half-way.
bool rewritePathData(std::string_view data, const Affine& map, double tolerance, std::string& out);

}  // namespace sartovin

#pragma once
// Step-by-step reading of SVG path data in the form Inkscape saves for us: absolute or relative
// moves, cubic curves, straight lines and absolute horizontal / vertical lines, closed with z.
// Coordinates stay in SVG user units; the caller converts them.

#include <cstddef>
#include <string>

namespace sartovin {

struct SvgPoint {
    double x = 0;
    double y = 0;
};

/// What one call of parsePathData found.
enum class PathStepKind {
    Segment,      ///< a segment; its letter and points are in the step
    NewPath,      ///< a later "M" or "m": a new sub-path starts (its point is read by the next call)
    Close,        ///< "z" or "Z": the current sub-path is closed
    End,          ///< the data is used up
    Unsupported,  ///< a letter this reader does not know, or a number it cannot read
};

struct PathStep {
    PathStepKind kind = PathStepKind::End;
    char command = 0;  ///< the segment's letter: C, c, L, l, H or V ("l" / "L" for bare pairs after a move)
    SvgPoint start;    ///< P0, the current point before the segment
    SvgPoint ctrl1;    ///< P1 (curves only)
    SvgPoint ctrl2;    ///< P2 (curves only)
    SvgPoint end;      ///< P3, the new current point
};

/// Where reading stands in one path's data. Start every path with a fresh cursor.
struct PathCursor {
    std::size_t position = 0;  ///< next character to read
    SvgPoint current;          ///< the current point
    SvgPoint subpathStart;     ///< where the current sub-path began ("z" returns there)
    char command = 0;          ///< the command a bare number repeats (0: none yet)
    bool atMove = true;        ///< the next call reads a move ("M"/"m" and its point) first
    bool stopped = false;      ///< an Unsupported step was returned; reading goes no further
};

/// Reads the next step of `data` at `cursor` and advances the cursor.
///
/// The data (and every sub-path after a new-path signal) must begin with "m" or "M" and its point,
/// which becomes the current point; further bare pairs continue as "l" after "m" and "L" after "M".
/// After c, C, l, L, H or V a bare number repeats the command. Curves "C" / "c" carry three points,
/// absolute or relative to the current point at the segment's start; "L" / "l" one point; "H" an
/// absolute x; "V" an absolute y. Any other letter, a missing or malformed number, or a coordinate
/// beyond kMaxPathCoordinate gives Unsupported; the cursor is then left where reading stopped.
/// Once End or Unsupported was returned, further calls return the same kind.
PathStep parsePathData(const std::string& data, PathCursor& cursor);

/// Largest coordinate magnitude accepted, in user units (about 28 km): beyond it a value cannot be a
/// drawing for a cutter, and device coordinates would overflow.
inline constexpr double kMaxPathCoordinate = 1e8;

}  // namespace sartovin

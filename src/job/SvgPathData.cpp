#include "job/SvgPathData.h"

#include <charconv>
#include <cmath>

namespace sartovin {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

bool startsNumber(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void skipSpaces(const std::string& data, std::size_t& pos) {
    while (pos < data.size() && isSpace(data[pos])) ++pos;
}

// One number: an optional sign, digits with at most one ".", and an exponent. Commas and spaces
// before it are separators. Reading is independent of the C locale.
bool readNumber(const std::string& data, std::size_t& pos, double& value) {
    std::size_t p = pos;
    while (p < data.size() && (isSpace(data[p]) || data[p] == ',')) ++p;
    const std::size_t begin = p;
    if (p < data.size() && (data[p] == '-' || data[p] == '+')) ++p;
    std::size_t digits = 0;
    while (p < data.size() && isDigit(data[p])) {
        ++p;
        ++digits;
    }
    if (p < data.size() && data[p] == '.') {
        ++p;
        while (p < data.size() && isDigit(data[p])) {
            ++p;
            ++digits;
        }
    }
    if (digits == 0) return false;
    if (p < data.size() && (data[p] == 'e' || data[p] == 'E')) {
        std::size_t q = p + 1;
        if (q < data.size() && (data[q] == '-' || data[q] == '+')) ++q;
        if (q < data.size() && isDigit(data[q])) {
            while (q < data.size() && isDigit(data[q])) ++q;
            p = q;
        }
    }
    const char* first = data.data() + begin;
    if (*first == '+') ++first;
    double v = 0;
    auto result = std::from_chars(first, data.data() + p, v);
    // A value out of the double range reports result_out_of_range; it is refused like any other
    // coordinate no cutter could reach.
    if (result.ec != std::errc() || !std::isfinite(v) || std::fabs(v) > kMaxPathCoordinate) return false;
    value = v;
    pos = p;
    return true;
}

bool readPair(const std::string& data, std::size_t& pos, SvgPoint& point) {
    std::size_t p = pos;
    SvgPoint q;
    if (!readNumber(data, p, q.x) || !readNumber(data, p, q.y)) return false;
    point = q;
    pos = p;
    return true;
}

PathStep unsupported(PathCursor& cursor) {
    cursor.stopped = true;
    PathStep step;
    step.kind = PathStepKind::Unsupported;
    return step;
}

}  // namespace

PathStep parsePathData(const std::string& data, PathCursor& cursor) {
    if (cursor.stopped) return unsupported(cursor);
    std::size_t& pos = cursor.position;

    if (cursor.atMove) {
        skipSpaces(data, pos);
        if (pos >= data.size()) return PathStep{};
        const char letter = data[pos];
        if (letter != 'm' && letter != 'M') return unsupported(cursor);
        ++pos;
        SvgPoint p;
        if (!readPair(data, pos, p)) return unsupported(cursor);
        if (letter == 'm') {
            cursor.current.x += p.x;
            cursor.current.y += p.y;
        } else {
            cursor.current = p;
        }
        cursor.subpathStart = cursor.current;
        cursor.command = letter == 'm' ? 'l' : 'L';
        cursor.atMove = false;
    }

    skipSpaces(data, pos);
    if (pos < data.size() && data[pos] == ',') {
        ++pos;
        skipSpaces(data, pos);
    }
    if (pos >= data.size()) return PathStep{};

    const char c = data[pos];
    char command = 0;
    if (startsNumber(c)) {
        if (cursor.command == 0) return unsupported(cursor);
        command = cursor.command;
    } else if (c == 'M' || c == 'm') {
        cursor.atMove = true;
        PathStep step;
        step.kind = PathStepKind::NewPath;
        return step;
    } else if (c == 'z' || c == 'Z') {
        ++pos;
        // SVG: after a close the current point is the sub-path's first point, and a number may
        // not follow until a new command letter.
        cursor.current = cursor.subpathStart;
        cursor.command = 0;
        PathStep step;
        step.kind = PathStepKind::Close;
        return step;
    } else if (c == 'C' || c == 'c' || c == 'L' || c == 'l' || c == 'H' || c == 'V') {
        command = c;
        ++pos;
    } else {
        return unsupported(cursor);
    }

    PathStep step;
    step.kind = PathStepKind::Segment;
    step.command = command;
    step.start = cursor.current;
    const SvgPoint origin = cursor.current;
    switch (command) {
        case 'C':
        case 'c': {
            SvgPoint p1, p2, p3;
            if (!readPair(data, pos, p1) || !readPair(data, pos, p2) || !readPair(data, pos, p3))
                return unsupported(cursor);
            if (command == 'c') {
                p1 = {origin.x + p1.x, origin.y + p1.y};
                p2 = {origin.x + p2.x, origin.y + p2.y};
                p3 = {origin.x + p3.x, origin.y + p3.y};
            }
            step.ctrl1 = p1;
            step.ctrl2 = p2;
            step.end = p3;
            break;
        }
        case 'L':
        case 'l': {
            SvgPoint p;
            if (!readPair(data, pos, p)) return unsupported(cursor);
            if (command == 'l') p = {origin.x + p.x, origin.y + p.y};
            step.end = p;
            break;
        }
        case 'H': {
            double x = 0;
            if (!readNumber(data, pos, x)) return unsupported(cursor);
            step.end = {x, origin.y};
            break;
        }
        case 'V': {
            double y = 0;
            if (!readNumber(data, pos, y)) return unsupported(cursor);
            step.end = {origin.x, y};
            break;
        }
        default:
            return unsupported(cursor);
    }
    if (command != 'C' && command != 'c') {
        // Straight segments carry their ends as control points too, so that a consumer that
        // treats every segment as a cubic still draws a line.
        step.ctrl1 = step.start;
        step.ctrl2 = step.end;
    }
    cursor.command = command;
    cursor.current = step.end;
    return step;
}

}  // namespace sartovin

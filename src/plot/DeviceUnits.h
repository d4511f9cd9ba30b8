#pragma once
// Conversions from millimetres to device units and the number formatting of the command streams.

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace sartovin {

/// HP-GL: 40 units per millimetre (0.025 mm).
inline constexpr int kHpglUnitsPerMm = 40;
/// GP-GL: 20 units per millimetre (0.05 mm).
inline constexpr int kGpglUnitsPerMm = 20;

/// Device coordinates are 32-bit; values beyond are clamped rather than wrapped.
inline int clampToDevice(double v) {
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (!(v == v)) return 0;  // NaN from a broken drawing cuts nothing rather than anything
    if (v <= lo) return std::numeric_limits<std::int32_t>::min();
    if (v >= hi) return std::numeric_limits<std::int32_t>::max();
    return static_cast<int>(v);
}

/// Rounds half away from zero: 102.5 → 103, −102.5 → −103.
inline int nearestUnits(double v) { return clampToDevice(v >= 0 ? v + 0.5 : v - 0.5); }

/// Truncates toward zero.
inline int truncUnits(double v) { return clampToDevice(v); }

/// A layout percentage as the writers use it: divided by 100 and rounded to two decimals
/// (33.333 % → 0.33).
inline double scaleFactor(double percent) { return std::floor(100.0 * (percent / 100.0) + 0.5) / 100.0; }

/// Appends a decimal integer ("%d").
inline void appendInt(std::string& out, int v) {
    char buf[16];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

/// Appends "<a>,<b>" .
inline void appendPair(std::string& out, int a, int b) {
    appendInt(out, a);
    out += ',';
    appendInt(out, b);
}

/// Appends a real with a fixed number of decimals ("%.1f", "%.3f"), always with a decimal point.
void appendFixed(std::string& out, double v, int decimals);

/// The value of a decimal text with a decimal point ("0.250"), whatever the C locale; leading
/// white space is skipped, text that is no number gives 0.
double parseDecimal(const std::string& text);

}  // namespace sartovin

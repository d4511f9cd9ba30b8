#include "job/JobColours.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace sartovin {

namespace {

int clampTo(int value, int low, int high) { return std::min(std::max(value, low), high); }

// trunc(v·2.55 + 0.49999), computed in double so that no percentage, however wild, overflows.
double toByteScale(int percent) { return std::trunc(static_cast<double>(percent) * 2.55 + 0.49999); }

int clampedDifference(double value) {
    if (value < 0) return 0;
    if (value > 255) return 255;
    return static_cast<int>(value);
}

}  // namespace

RgbValue shadeLightColour(RgbValue c) {
    if (c.red == 255 && c.green == 255 && c.blue == 255) return {230, 230, 230};
    if (c.red > 210 && c.green > 210 && c.blue > 210) return {210, 210, 210};
    return c;
}

std::string rgbSuffix(int red, int green, int blue) {
    char buf[96];
    std::snprintf(buf, sizeof buf, " (R=%d, G=%d, B=%d)", red, green, blue);
    return buf;
}

std::string cmykSuffix(int cyan, int magenta, int yellow, int black) {
    char buf[128];
    std::snprintf(buf, sizeof buf, " (C=%d%%, M=%d%%, Y=%d%%, K=%d%%)", cyan, magenta, yellow, black);
    return buf;
}

std::uint32_t packRgb(RgbValue c) {
    return static_cast<std::uint32_t>(clampTo(c.red, 0, 255)) |
           static_cast<std::uint32_t>(clampTo(c.green, 0, 255)) << 8 |
           static_cast<std::uint32_t>(clampTo(c.blue, 0, 255)) << 16;
}

RgbValue unpackRgb(std::uint32_t packed) {
    return {static_cast<int>(packed & 0xFF), static_cast<int>((packed >> 8) & 0xFF),
            static_cast<int>((packed >> 16) & 0xFF)};
}

std::uint32_t packCmyk(int cyan, int magenta, int yellow, int black) {
    return static_cast<std::uint32_t>(clampTo(cyan, 0, 100)) << 24 |
           static_cast<std::uint32_t>(clampTo(magenta, 0, 100)) << 16 |
           static_cast<std::uint32_t>(clampTo(yellow, 0, 100)) << 8 |
           static_cast<std::uint32_t>(clampTo(black, 0, 100));
}

RgbValue cmykToDisplayRgb(int cyan, int magenta, int yellow, int black) {
    double c = toByteScale(cyan), m = toByteScale(magenta), y = toByteScale(yellow), k = toByteScale(black);
    RgbValue rgb{clampedDifference(255 - c - k), clampedDifference(255 - m - k),
                 clampedDifference(255 - y - k)};
    return shadeLightColour(rgb);
}

}  // namespace sartovin

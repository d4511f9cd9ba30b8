#include "device/CutterSettingsRules.h"
#include "platform/Decimal.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace sartovin {

namespace {

long long shownFor(long long level, long long maxForce) { return maxForce * level / 255; }

std::string setCommand(int setting, int value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "\x1b.C1;%d;%d:", setting, value);
    return buf;
}

}  // namespace

int pressureLevel(int grams, int maxForce) {
    if (maxForce <= 0) return 0;
    long long level = static_cast<long long>(grams) * 255 / maxForce;
    return static_cast<int>(std::clamp<long long>(level, 0, 255));
}

int snapPressure(int grams, int maxForce, int minForce, int spinStep) {
    if (maxForce <= 0) return std::max(grams, minForce);
    long long v = grams;
    long long level = v * 255 / maxForce;
    long long shown = shownFor(level, maxForce);
    // Each loop ends: the shown value grows (or falls) with the level, past v within 256 steps
    // of a positive maximum; the level bounds keep it inside the scale's reach either way.
    if (spinStep < 0) {
        while (shown <= v && level <= 256) shown = shownFor(++level, maxForce);
    } else if (spinStep > 0) {
        while (v <= shown && level >= -1) shown = shownFor(--level, maxForce);
    }
    long long low = std::min(minForce, maxForce);
    return static_cast<int>(std::clamp<long long>(shown, low, maxForce));
}

int offsetEntryForMicrometres(int micrometres) {
    const std::string text = formatDecimal(micrometres / 1000.0, 3);
    for (std::size_t i = 0; i < kOffsetEntries.size(); ++i)
        if (text == kOffsetEntries[i]) return static_cast<int>(i);
    return -1;
}

int jaguarQualityEntry(int code) {
    switch (code) {
        case 30:
            return 4;
        case 20:
            return 3;
        case 10:
            return 2;
        case 5:
            return 1;
        default:
            return 0;
    }
}

std::string buildSettingsCommands(const CutterSettingsChoice& c) {
    std::string out;
    if (c.offsetIndex >= 0) out += setCommand(16, c.offsetIndex);
    out += setCommand(17, c.light ? 1 : 0);
    out += setCommand(19, c.qualityIndex != 0 && !c.smoothingOff ? 1 : 0);
    out += setCommand(20, c.unrollOn ? 1 : 0);
    out += setCommand(21, c.sheet ? 0 : 1);
    out += setCommand(22, pressureLevel(c.pressure, c.maxForce));
    out += "\x1b.C1;0;:";
    return out;
}

}  // namespace sartovin

#include "plot/DeviceUnits.h"

#include <cstdio>

namespace sartovin {

void appendFixed(std::string& out, double v, int decimals) {
    char buf[64];
    int n = std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    if (n > 0) out.append(buf, static_cast<std::size_t>(n < static_cast<int>(sizeof buf) ? n : sizeof buf - 1));
}

}  // namespace sartovin

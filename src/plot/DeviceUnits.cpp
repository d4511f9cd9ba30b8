#include "plot/DeviceUnits.h"

#include "platform/StringUtil.h"

namespace sartovin {

// Formatted without the C locale: a program that switched to a German locale would otherwise write
// "AS3,0;", which no cutter reads.
void appendFixed(std::string& out, double v, int decimals) {
    char buf[400];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    if (r.ec == std::errc()) out.append(buf, r.ptr);
}

double parseDecimal(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) ++i;
    if (i < text.size() && text[i] == '+') ++i;
    double v = 0;
    std::from_chars(text.data() + i, text.data() + text.size(), v);
    return v;
}

}  // namespace sartovin

#include "platform/Decimal.h"

#include <charconv>
#include <cmath>

#include "platform/StringUtil.h"

namespace sartovin {

bool parseDecimal(std::string_view text, double& value, std::size_t* used) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // from_chars takes no sign of its own but a minus; the sign is applied here.
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) return false;
    double v = 0;
    const char* first = text.data() + i;
    const auto [end, ec] = std::from_chars(first, text.data() + text.size(), v, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) return false;
    if (ec != std::errc() || !std::isfinite(v)) return false;
    value = negative ? -v : v;
    if (used) *used = static_cast<std::size_t>(end - text.data());
    return true;
}

std::string formatDecimal(double value, int decimals) {
    if (!std::isfinite(value)) return "0";
    char buf[512];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (ec != std::errc()) return "0";
    return std::string(buf, end);
}

}  // namespace sartovin

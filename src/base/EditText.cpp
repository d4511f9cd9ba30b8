#include "base/EditText.h"

#include <climits>
#include <cstdio>

#include "platform/Decimal.h"

namespace sartovin {

int parseEditInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    return static_cast<int>(value);
}

double parseEditDouble(const std::string& text) {
    std::string s = text;
    for (char& c : s)
        if (c == ',') c = '.';
    double v = 0;
    return parseDecimal(s, v) ? v : 0;
}

std::string formatNumber(const char* pattern, double value) {
    // Only fixed notation ("%.Nf", "%f") is used for edit fields; it is formed without the locale.
    int decimals = 6;
    if (pattern[0] == '%' && pattern[1] == '.' && pattern[2] >= '0' && pattern[2] <= '9')
        decimals = pattern[2] - '0';
    return formatDecimal(value, decimals);
}

std::string formatNumber(const char* pattern, int value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, pattern, value);
    return buf;
}

}  // namespace sartovin

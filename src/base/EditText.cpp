#include "base/EditText.h"

#include <cerrno>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace sartovin {

namespace {

// The decimal point the C library reads and writes under LC_NUMERIC: the window runs under the
// user's locale, where it is a comma.
std::string localeDecimalPoint() {
    const char* point = std::localeconv()->decimal_point;
    return point && *point ? point : ".";
}

// The printf result with the locale's decimal point (the first one; no pattern here groups digits)
// turned back into ".".
std::string withDecimalPoint(const char* formatted) {
    const std::string out = formatted;
    const std::string point = localeDecimalPoint();
    const std::size_t at = point == "." ? std::string::npos : out.find(point);
    if (at == std::string::npos) return out;
    return out.substr(0, at) + "." + out.substr(at + point.size());
}

}  // namespace

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
    // Both a comma and a point are taken as the decimal point; strtod is then given the one the
    // locale wants.
    const std::string point = localeDecimalPoint();
    std::string s;
    for (char c : text) {
        if (c == ',' || c == '.')
            s += point;
        else
            s += c;
    }
    const char* begin = s.c_str();
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(begin, &end);
    if (end == begin || errno == ERANGE || !std::isfinite(v)) return 0;
    return v;
}

std::string formatNumber(const char* pattern, double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, pattern, value);
    return withDecimalPoint(buf);
}

std::string formatNumber(const char* pattern, int value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, pattern, value);
    return withDecimalPoint(buf);
}

}  // namespace sartovin

#pragma once
// Small text helpers used from the bottom layer up: white space, trimming and ASCII case. They never
// look at the process locale, so a German or Turkish LC_CTYPE changes nothing (files, settings and
// device replies are read the same everywhere). Bytes above 127 are left alone: UTF-8 passes through.

#include <string>
#include <string_view>

namespace sartovin {

/// White space as the C locale knows it: blank, tab, line feed, carriage return, vertical tab, form feed.
constexpr bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

/// White space inside one line: isSpace without the line feed.
constexpr bool isBlank(char c) { return c != '\n' && isSpace(c); }

/// White space as XML and SVG define it: blank, tab, carriage return, line feed. Names typed by
/// users and the fields of a device ID are trimmed of the same four.
constexpr bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

/// A letter of the ASCII alphabet (a Windows drive letter, a URI scheme).
constexpr bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

/// `s` without leading and trailing characters for which `space` is true.
template <typename Pred>
constexpr std::string_view trimmedView(std::string_view s, Pred space) {
    std::size_t b = 0, e = s.size();
    while (b < e && space(s[b])) ++b;
    while (e > b && space(s[e - 1])) --e;
    return s.substr(b, e - b);
}
constexpr std::string_view trimmedView(std::string_view s) { return trimmedView(s, isSpace); }

/// A copy of `s` without leading and trailing white space (isSpace).
inline std::string trimmed(std::string_view s) { return std::string(trimmedView(s)); }
/// A copy of `s` without leading and trailing characters for which `space` is true.
template <typename Pred>
std::string trimmed(std::string_view s, Pred space) {
    return std::string(trimmedView(s, space));
}

/// `s` with every carriage return and line feed turned into a blank, for a value that has to stay on
/// one line of a file.
inline std::string singleLine(std::string s) {
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

constexpr char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

inline std::string lowerAscii(std::string s) {
    for (char& c : s) c = lowerAscii(c);
    return s;
}
inline std::string upperAscii(std::string s) {
    for (char& c : s) c = upperAscii(c);
    return s;
}

/// Equal but for the case of ASCII letters.
constexpr bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

constexpr bool contains(std::string_view s, std::string_view part) {
    return s.find(part) != std::string_view::npos;
}

constexpr bool containsNoCase(std::string_view s, std::string_view part) {
    if (part.empty()) return true;
    for (std::size_t i = 0; i + part.size() <= s.size(); ++i)
        if (equalsNoCase(s.substr(i, part.size()), part)) return true;
    return false;
}

constexpr bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && equalsNoCase(s.substr(0, prefix.size()), prefix);
}

constexpr bool endsWithNoCase(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && equalsNoCase(s.substr(s.size() - suffix.size()), suffix);
}

}  // namespace sartovin

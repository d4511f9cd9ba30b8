#include "platform/RecentFiles.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "platform/Files.h"
#include "platform/StringUtil.h"
#include "platform/SystemFolders.h"

namespace sartovin {

namespace {

// The five entities the list's writer uses in attribute values.
std::string decodeXmlAttribute(const std::string& raw) {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '&') {
            static const std::pair<const char*, char> names[] = {
                {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
            bool done = false;
            for (const auto& [name, c] : names) {
                std::string n = name;
                if (raw.compare(i, n.size(), n) == 0) {
                    out += c;
                    i += n.size() - 1;
                    done = true;
                    break;
                }
            }
            if (done) continue;
        }
        out += raw[i];
    }
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "file:///home/u/a%20b.svg" (or "file://localhost/...") → "/home/u/a b.svg"; nullopt for other
// schemes, other hosts and bad escapes.
std::optional<std::string> localPathOf(const std::string& uri) {
    std::string rest;
    if (uri.rfind("file:///", 0) == 0)
        rest = uri.substr(7);
    else if (uri.rfind("file://localhost/", 0) == 0)
        rest = uri.substr(16);
    else
        return std::nullopt;
    std::string out;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '%') {
            int h = i + 1 < rest.size() ? hexValue(rest[i + 1]) : -1;
            int l = i + 2 < rest.size() ? hexValue(rest[i + 2]) : -1;
            if (h < 0 || l < 0) return std::nullopt;
            char c = static_cast<char>(h * 16 + l);
            if (c == '\0') return std::nullopt;
            out += c;
            i += 2;
        } else {
            out += rest[i];
        }
    }
    return out;
}

// Seconds of an ISO 8601 time as the list writes it ("2024-03-01T10:20:30.123456Z"); nullopt when
// it is not of that form. Only comparisons are made, so the days need not be exact calendar days.
std::optional<double> timeValue(const std::string& t) {
    int y, mo, d, h, mi;
    double s;
    if (t.size() < 19 || std::sscanf(t.c_str(), "%4d-%2d-%2dT%2d:%2d:%lf", &y, &mo, &d, &h, &mi, &s) != 6)
        return std::nullopt;
    return ((((static_cast<double>(y) * 12 + mo) * 31 + d) * 24 + h) * 60 + mi) * 60 + s;
}

bool attribute(const std::string& tag, const std::string& name, std::string& value) {
    std::size_t from = 0;
    while (true) {
        std::size_t p = tag.find(name + "=", from);
        if (p == std::string::npos) return false;
        from = p + 1;
        if (p > 0 && !isSpace(tag[p - 1])) continue;
        std::size_t q = p + name.size() + 1;
        if (q >= tag.size() || (tag[q] != '"' && tag[q] != '\'')) continue;
        std::size_t end = tag.find(tag[q], q + 1);
        if (end == std::string::npos) return false;
        value = decodeXmlAttribute(tag.substr(q + 1, end - q - 1));
        return true;
    }
}

}  // namespace

std::string recentlyUsedListPath() {
    std::string dataHome = environmentValue("XDG_DATA_HOME");
    if (!dataHome.empty()) {
        if (dataHome.back() != '/') dataHome += '/';
        return dataHome + "recently-used.xbel";
    }
    std::string home = environmentValue("HOME");
    if (home.empty()) return {};
    if (home.back() != '/') home += '/';
    return home + ".local/share/recently-used.xbel";
}

std::string findLastSavedSvg(const std::string& listPath) {
    if (listPath.empty()) return {};
    std::optional<std::string> text = readWholeFile(listPath);
    if (!text) return {};
    std::string best;
    double bestTime = 0;
    bool found = false;
    std::size_t pos = 0;
    while ((pos = text->find("<bookmark", pos)) != std::string::npos) {
        std::size_t end = text->find('>', pos);
        if (end == std::string::npos) break;
        const char after = (*text)[pos + 9];
        const std::string tag = text->substr(pos, end - pos);
        pos = end;
        if (!isXmlSpace(after)) continue;  // <bookmark:...>
        std::string href, modified;
        if (!attribute(tag, "href", href)) continue;
        std::optional<std::string> path = localPathOf(href);
        if (!path) continue;
        if (!endsWithNoCase(*path, ".svg") || equalsNoCase(baseName(*path), "qxjob.svg")) continue;
        if (!attribute(tag, "modified", modified) && !attribute(tag, "added", modified)) modified.clear();
        const double when = timeValue(modified).value_or(0);
        if (found && when <= bestTime) continue;
        if (!fileExists(*path)) continue;
        best = *path;
        bestTime = when;
        found = true;
    }
    return best;
}

std::string findLastSavedSvg() { return findLastSavedSvg(recentlyUsedListPath()); }

}  // namespace sartovin

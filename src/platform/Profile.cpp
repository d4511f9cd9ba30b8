#include "platform/Profile.h"

#include <climits>
#include <cstdint>

#include "platform/Files.h"
#include "platform/StringUtil.h"

namespace sartovin {

namespace {

// One physical line: [begin, contentEnd) is its text without the line end, [contentEnd, end) the
// line end itself ("\n", "\r\n", or nothing on the last line).
struct Line {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;
    std::size_t end = 0;
};

enum class Kind { Blank, Comment, Section, Key, Other };

struct Parsed {
    Kind kind = Kind::Other;
    std::string name;   // section or key name, trimmed
    std::string value;  // key value, trimmed and unquoted
};

// Names and values lose the blanks around them; the line feed ends the line and never reaches here.
std::string trim(std::string_view s) { return trimmed(s, isBlank); }

std::vector<Line> splitLines(const std::string& text) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    // A leading UTF-8 byte-order mark belongs to no line content.
    if (text.size() >= 3 && static_cast<unsigned char>(text[0]) == 0xEF &&
        static_cast<unsigned char>(text[1]) == 0xBB && static_cast<unsigned char>(text[2]) == 0xBF)
        pos = 3;
    while (pos < text.size()) {
        Line line;
        line.begin = pos;
        std::size_t nl = text.find('\n', pos);
        if (nl == std::string::npos) {
            line.contentEnd = line.end = text.size();
        } else {
            line.end = nl + 1;
            line.contentEnd = (nl > pos && text[nl - 1] == '\r') ? nl - 1 : nl;
        }
        lines.push_back(line);
        pos = line.end;
    }
    return lines;
}

Parsed parseLine(const std::string& text, const Line& line) {
    Parsed p;
    std::string content = trim(text.substr(line.begin, line.contentEnd - line.begin));
    if (content.empty()) {
        p.kind = Kind::Blank;
    } else if (content[0] == ';' || content[0] == '#') {
        p.kind = Kind::Comment;
    } else if (content[0] == '[') {
        p.kind = Kind::Section;
        // The name runs to the last "]", so names that contain "]" themselves still match.
        std::size_t close = content.rfind(']');
        std::string name =
            close == std::string::npos || close == 0 ? content.substr(1) : content.substr(1, close - 1);
        p.name = trim(name);
    } else {
        std::size_t eq = content.find('=');
        if (eq == std::string::npos) {
            p.kind = Kind::Other;
        } else {
            p.kind = Kind::Key;
            p.name = trim(content.substr(0, eq));
            std::string value = trim(content.substr(eq + 1));
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front())
                value = value.substr(1, value.size() - 2);
            p.value = value;
        }
    }
    return p;
}

// Where a section and a key sit in the file.
struct Location {
    int sectionLine = -1;      // index of the first matching section header
    int keyLine = -1;          // index of the first matching key inside it
    int lastContentLine = -1;  // last non-blank line of that section (header included)
};

Location locate(const std::string& text, const std::vector<Line>& lines, const std::string& section,
                const std::string& key) {
    Location loc;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        Parsed p = parseLine(text, lines[i]);
        if (loc.sectionLine < 0) {
            if (p.kind == Kind::Section && equalsNoCase(p.name, section)) {
                loc.sectionLine = loc.lastContentLine = i;
            }
            continue;
        }
        if (p.kind == Kind::Section) break;  // the first matching section ends here
        if (p.kind != Kind::Blank) loc.lastContentLine = i;
        if (loc.keyLine < 0 && p.kind == Kind::Key && equalsNoCase(p.name, key)) loc.keyLine = i;
    }
    return loc;
}

std::string lineEndOf(const std::string& text) {
    return text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
}

std::string truncateUtf8(const std::string& s, std::size_t maxBytes) {
    if (s.size() <= maxBytes) return s;
    std::size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80) --cut;
    return s.substr(0, cut);
}

bool findValue(const std::string& section, const std::string& key, const std::string& path,
               std::string& value) {
    auto text = readWholeFile(path);
    if (!text) return false;
    auto lines = splitLines(*text);
    Location loc = locate(*text, lines, section, key);
    if (loc.keyLine < 0) return false;
    value = parseLine(*text, lines[loc.keyLine]).value;
    return true;
}

}  // namespace

int parseProfileInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        char p = lowerAscii(text[i + 1]);
        if (p == 'x')
            base = 16;
        else if (p == 'o')
            base = 8;
        else if (p == 'b')
            base = 2;
        if (base != 10) i += 2;
    }
    // Accumulate in 32 bits with wrap-around, as the classic conversion does.
    std::uint32_t result = 0;
    for (; i < text.size(); ++i) {
        char c = lowerAscii(text[i]);
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            break;
        if (digit >= base) break;
        result = result * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
    }
    if (negative) result = 0u - result;
    return static_cast<int>(result);
}

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, const std::string& path,
                                    std::size_t maxChars) {
    std::size_t limit = maxChars == 0 ? 0 : maxChars - 1;
    std::string value;
    if (!findValue(section, key, path, value)) {
        // Like the classic call, trailing blanks of the default are dropped.
        std::string def = defaultValue;
        while (!def.empty() && isBlank(def.back())) def.pop_back();
        return truncateUtf8(def, limit);
    }
    return truncateUtf8(value, limit);
}

int GetPrivateProfileInt(const std::string& section, const std::string& key, int defaultValue,
                         const std::string& path) {
    std::string value;
    if (!findValue(section, key, path, value) || value.empty()) return defaultValue;
    return parseProfileInt(value);
}

bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& path) {
    // Names and values are single-line; a line break inside one would corrupt the file.
    std::string sec = singleLine(section), k = trim(singleLine(key)), v = singleLine(value);
    if (path.empty() || k.empty()) return false;
    std::string text = readWholeFile(path).value_or(std::string());
    std::string eol = lineEndOf(text);
    auto lines = splitLines(text);
    Location loc = locate(text, lines, sec, k);

    if (loc.keyLine >= 0) {
        const Line& line = lines[loc.keyLine];
        std::string name = parseLine(text, line).name;  // keep the spelling the file has
        text.replace(line.begin, line.contentEnd - line.begin, name + "=" + v);
    } else if (loc.sectionLine >= 0) {
        const Line& after = lines[loc.lastContentLine];
        std::string insert;
        if (after.end == after.contentEnd) insert = eol;  // last line had no line end
        insert += k + "=" + v + eol;
        text.insert(after.end, insert);
    } else {
        std::string insert;
        if (!text.empty() && text.back() != '\n') insert = eol;
        insert += "[" + sec + "]" + eol + k + "=" + v + eol;
        text += insert;
    }
    return writeFileAtomic(path, text);
}

bool DeletePrivateProfileKey(const std::string& section, const std::string& key, const std::string& path) {
    auto text = readWholeFile(path);
    if (!text) return true;
    auto lines = splitLines(*text);
    Location loc = locate(*text, lines, section, key);
    if (loc.keyLine < 0) return true;
    const Line& line = lines[loc.keyLine];
    text->erase(line.begin, line.end - line.begin);
    return writeFileAtomic(path, *text);
}

std::vector<std::string> GetPrivateProfileKeys(const std::string& section, const std::string& path) {
    std::vector<std::string> keys;
    auto text = readWholeFile(path);
    if (!text) return keys;
    auto lines = splitLines(*text);
    bool inside = false;
    for (const Line& line : lines) {
        Parsed p = parseLine(*text, line);
        if (p.kind == Kind::Section) {
            if (inside) break;
            inside = equalsNoCase(p.name, section);
        } else if (inside && p.kind == Kind::Key) {
            keys.push_back(p.name);
        }
    }
    return keys;
}

}  // namespace sartovin

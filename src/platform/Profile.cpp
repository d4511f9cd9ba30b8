#include "platform/Profile.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <climits>
#include <cstdint>
#include <ctime>
#include <memory>
#ifndef _WIN32
#include <mutex>
#endif

#include "platform/Files.h"
#include "platform/StringUtil.h"
#ifndef _WIN32
#include "platform/UniqueFd.h"
#endif

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

// Views into the file's text: a line is looked at without being copied, so that reading a key
// costs one pass over the file however long its lines are.
struct Parsed {
    Kind kind = Kind::Other;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // key value, trimmed and unquoted
};

// Names and values lose the blanks around them; the line feed ends the line and never reaches here.
std::string trim(std::string_view s) { return trimmed(s, isBlank); }
std::string_view trimView(std::string_view s) { return trimmedView(s, isBlank); }

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

Parsed parseLine(std::string_view text, const Line& line) {
    Parsed p;
    std::string_view content = trimView(text.substr(line.begin, line.contentEnd - line.begin));
    if (content.empty()) {
        p.kind = Kind::Blank;
    } else if (content[0] == ';' || content[0] == '#') {
        p.kind = Kind::Comment;
    } else if (content[0] == '[') {
        p.kind = Kind::Section;
        // The name runs to the last "]", so names that contain "]" themselves still match.
        std::size_t close = content.rfind(']');
        std::string_view name =
            close == std::string::npos || close == 0 ? content.substr(1) : content.substr(1, close - 1);
        p.name = trimView(name);
    } else {
        std::size_t eq = content.find('=');
        if (eq == std::string::npos) {
            p.kind = Kind::Other;
        } else {
            p.kind = Kind::Key;
            p.name = trimView(content.substr(0, eq));
            std::string_view value = trimView(content.substr(eq + 1));
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

// A file as read, with its line table.
struct ProfileText {
    std::string text;
    std::vector<Line> lines;
};

#ifndef _WIN32
// The last file read, kept while the file is unchanged. Every read still looks at the file (opens
// it and asks for its identity and times), so a change by anyone — our own rewrites always put a
// new file in place — is seen at once; only the parsing of a file read a moment ago is saved, which
// keeps a run that reads many keys in time proportional to the file instead of keys × file.
class ProfileCache {
public:
    std::shared_ptr<const ProfileText> read(const std::string& path) {
        UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (!fd.valid()) return nullptr;
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return nullptr;
        {
            std::lock_guard<std::mutex> guard(m_mutex);
            if (m_text && S_ISREG(st.st_mode) && path == m_path && sameFile(st, m_stat)) return m_text;
        }
        auto text = std::make_shared<ProfileText>();
        if (!readAll(fd.get(), text->text)) return nullptr;
        text->lines = splitLines(text->text);
        // File times are coarser than the time a rewrite in place takes: a file changed in the
        // last seconds could change again with the same size and times, so it is not kept.
        const time_t now = ::time(nullptr);
        if (st.st_mtim.tv_sec + 2 >= now || st.st_ctim.tv_sec + 2 >= now) return text;
        std::lock_guard<std::mutex> guard(m_mutex);
        m_path = path;
        m_stat = st;
        m_text = text;
        return text;
    }

private:
    static bool sameFile(const struct stat& a, const struct stat& b) {
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
               a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
               a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
    }
    static bool readAll(int fd, std::string& out) {
        char buf[65536];
        for (;;) {
            ssize_t n = ::read(fd, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return false;
            if (n == 0) return true;
            out.append(buf, static_cast<std::size_t>(n));
        }
    }

    std::mutex m_mutex;
    std::string m_path;
    struct stat m_stat {};
    std::shared_ptr<const ProfileText> m_text;
};

ProfileCache& profileCache() {
    static ProfileCache cache;
    return cache;
}
#else
// The plug-in (built for Windows) reads a few keys once: every read parses the file.
class ProfileCache {
public:
    std::shared_ptr<const ProfileText> read(const std::string& path) {
        auto bytes = readWholeFile(path);
        if (!bytes) return nullptr;
        auto text = std::make_shared<ProfileText>();
        text->text = std::move(*bytes);
        text->lines = splitLines(text->text);
        return text;
    }
};

ProfileCache& profileCache() {
    static ProfileCache cache;
    return cache;
}
#endif

bool findValue(const std::string& section, const std::string& key, const std::string& path,
               std::string& value) {
    auto file = profileCache().read(path);
    if (!file) return false;
    Location loc = locate(file->text, file->lines, section, key);
    if (loc.keyLine < 0) return false;
    value = std::string(parseLine(file->text, file->lines[loc.keyLine]).value);
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

namespace {

#ifndef _WIN32
// Holds an exclusive advisory lock on "<path>.lock" for one read-modify-write, so that two programs
// (or the program and the plug-in) writing the same file at once never lose each other's keys. The
// lock file itself is never removed: removing it would let two writers lock different files. When
// it cannot be made (a folder without write permission) the write goes ahead unlocked; the
// rewrite then fails for the same reason anyway.
class ProfileLock {
public:
    explicit ProfileLock(const std::string& path)
        : m_fd(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666)) {
        if (!m_fd.valid()) return;
        while (::flock(m_fd.get(), LOCK_EX) != 0 && errno == EINTR) {}
    }

private:
    UniqueFd m_fd;
};
#else
// The plug-in's one write is not locked: a lock of Windows would not be seen by the program.
class ProfileLock {
public:
    explicit ProfileLock(const std::string&) {}
};
#endif

// Applies one write to the file's text in memory.
void applyWrite(std::string& text, const std::string& section, const std::string& key,
                const std::string& value) {
    std::string eol = lineEndOf(text);
    auto lines = splitLines(text);
    Location loc = locate(text, lines, section, key);

    if (loc.keyLine >= 0) {
        const Line& line = lines[loc.keyLine];
        std::string name(parseLine(text, line).name);  // keep the spelling the file has
        text.replace(line.begin, line.contentEnd - line.begin, name + "=" + value);
    } else if (loc.sectionLine >= 0) {
        const Line& after = lines[loc.lastContentLine];
        std::string insert;
        if (after.end == after.contentEnd) insert = eol;  // last line had no line end
        insert += key + "=" + value + eol;
        text.insert(after.end, insert);
    } else {
        std::string insert;
        if (!text.empty() && text.back() != '\n') insert = eol;
        insert += "[" + section + "]" + eol + key + "=" + value + eol;
        text += insert;
    }
}

}  // namespace

bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& path) {
    return WritePrivateProfileStrings({{section, key, value}}, path);
}

bool WritePrivateProfileStrings(const std::vector<ProfileEntry>& entries, const std::string& path) {
    if (path.empty()) return false;
    std::vector<ProfileEntry> clean;
    for (const ProfileEntry& e : entries) {
        // Names and values are single-line; a line break inside one would corrupt the file.
        ProfileEntry c{singleLine(e.section), trim(singleLine(e.key)), singleLine(e.value)};
        if (c.key.empty()) return false;
        clean.push_back(std::move(c));
    }
    ProfileLock lock(path);
    std::optional<std::string> old = readWholeFile(path);
    std::string text = old.value_or(std::string());
    for (const ProfileEntry& e : clean) applyWrite(text, e.section, e.key, e.value);
    // A write that changes nothing leaves the file (and its time stamp) alone.
    if (old && text == *old) return true;
    return writeFileAtomic(path, text);
}

bool DeletePrivateProfileKey(const std::string& section, const std::string& key, const std::string& path) {
    ProfileLock lock(path);
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
    auto file = profileCache().read(path);
    if (!file) return keys;
    bool inside = false;
    for (const Line& line : file->lines) {
        Parsed p = parseLine(file->text, line);
        if (p.kind == Kind::Section) {
            if (inside) break;
            inside = equalsNoCase(p.name, section);
        } else if (inside && p.kind == Kind::Key) {
            keys.emplace_back(p.name);
        }
    }
    return keys;
}

}  // namespace sartovin

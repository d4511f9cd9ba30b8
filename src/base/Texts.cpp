#include "base/Texts.h"

#include <dirent.h>
#include <strings.h>

#include "platform/Files.h"
#include "platform/Profile.h"

namespace sartovin {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

std::string unescapeText(const std::string& raw) {
    std::size_t a = 0, b = raw.size();
    while (a < b && isSpace(raw[a])) ++a;
    while (b > a && isSpace(raw[b - 1])) --b;
    std::string out;
    out.reserve(b - a);
    for (std::size_t i = a; i < b; ++i) {
        if (raw[i] == '\\' && i + 1 < b && (raw[i + 1] == 'r' || raw[i + 1] == 'n')) {
            out += raw[i + 1] == 'r' ? '\r' : '\n';
            ++i;
        } else {
            out += raw[i];
        }
    }
    return out;
}

std::string fillPlaceholders(const std::string& pattern, std::initializer_list<std::string> args) {
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size()) {
            char c = pattern[i + 1];
            if (c == '%') {
                out += '%';
                ++i;
                continue;
            }
            if ((c == 's' || c == 'd') && next != args.end()) {
                out += *next++;
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

std::string Texts::textFilePath(const std::string& folder, int languageId) {
    std::string name = std::to_string(languageId) + ".txt";
    std::string exact = folder + name;
    if (fileExists(exact)) return exact;
    // The files were named without regard to case ("1000.Txt"); find such a spelling.
    if (DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str())) {
        while (dirent* e = ::readdir(dir)) {
            if (::strcasecmp(e->d_name, name.c_str()) == 0) {
                std::string found = folder + e->d_name;
                ::closedir(dir);
                return found;
            }
        }
        ::closedir(dir);
    }
    return exact;
}

bool Texts::lookupText(int textId, std::string& out) const {
    out.clear();
    auto read = [&](int language) {
        return GetPrivateProfileString(std::to_string(language), std::to_string(language + textId), "",
                                       textFilePath(m_folder, language));
    };
    std::string raw = read(m_languageId);
    if (raw.empty()) raw = read(2000);
    if (raw.empty()) raw = read(1000);
    if (raw.empty()) return false;
    out = unescapeText(raw);
    return true;
}

std::string Texts::text(TextId id) const {
    const int textId = textNumber(id);
    std::string out;
    lookupText(textId, out);
    return out;
}

std::string Texts::format(TextId textId, std::initializer_list<std::string> args) const {
    return fillPlaceholders(text(textId), args);
}

bool Texts::translateMediumName(const std::string& name, std::string& out) const {
    std::string raw = GetPrivateProfileString("Medien", name, "", textFilePath(m_folder, m_languageId));
    if (raw.empty()) return false;
    out = unescapeText(raw);
    return true;
}

}  // namespace sartovin

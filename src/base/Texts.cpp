#include "base/Texts.h"

#include <vector>

#include "platform/Files.h"
#include "platform/Profile.h"
#include "platform/StringUtil.h"

namespace sartovin {

std::string unescapeText(const std::string& raw) {
    const std::string_view text = trimmedView(raw);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'r' || text[i + 1] == 'n')) {
            out += text[i + 1] == 'r' ? '\r' : '\n';
            ++i;
        } else {
            out += text[i];
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
    std::vector<std::string> names;
    if (listFolder(folder, names))
        for (const std::string& entry : names)
            if (equalsNoCase(entry, name)) return folder + entry;
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

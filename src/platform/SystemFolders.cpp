#include "platform/SystemFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/StringUtil.h"

namespace sartovin {

namespace {

std::string withSlash(std::string s) {
    if (!s.empty() && s.back() != '/') s += '/';
    return s;
}

}  // namespace

std::string environmentValue(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string commonDataFolder() {
    std::string dirs = environmentValue("XDG_DATA_DIRS");
    std::size_t pos = 0;
    while (pos <= dirs.size()) {
        std::size_t colon = dirs.find(':', pos);
        if (colon == std::string::npos) colon = dirs.size();
        std::string entry = dirs.substr(pos, colon - pos);
        if (!entry.empty() && entry[0] == '/') return withSlash(entry);
        pos = colon + 1;
    }
    return "/usr/local/share/";
}

std::string userDataFolder() {
    std::string config = environmentValue("XDG_CONFIG_HOME");
    if (!config.empty() && config[0] == '/') return withSlash(config);
    std::string home = environmentValue("HOME");
    if (home.empty()) {
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) home = pw->pw_dir;
    }
    if (home.empty()) return std::string();
    return withSlash(home) + ".config/";
}

std::string tempFolder() {
    for (const char* name : {"Temp", "Tmp", "XDG_RUNTIME_DIR", "TMPDIR"}) {
        std::string v = environmentValue(name);
        while (v.size() > 1 && v.back() == '/') v.pop_back();
        if (!v.empty()) return v;
    }
    return "/tmp";
}

std::string localeNameFrom(const std::string& posixLocale) {
    std::string s = posixLocale;
    std::size_t cut = s.find_first_of(".@");
    if (cut != std::string::npos) s = s.substr(0, cut);
    if (s.empty() || s == "C" || s == "POSIX") return std::string();
    std::string language, territory;
    std::size_t sep = s.find_first_of("_-");
    language = s.substr(0, sep);
    if (sep != std::string::npos) territory = s.substr(sep + 1);
    language = lowerAscii(language);
    if (territory.empty()) territory = language;
    territory = upperAscii(territory);
    if (language.empty()) return std::string();
    return language + "-" + territory;
}

std::string localeName() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        std::string v = environmentValue(name);
        if (!v.empty()) return localeNameFrom(v);
    }
    return std::string();
}

std::string executablePath() {
    std::vector<char> buf(4096);
    ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0) return std::string();
    return std::string(buf.data(), static_cast<std::size_t>(n));
}

}  // namespace sartovin

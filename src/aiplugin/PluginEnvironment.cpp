#include "aiplugin/PluginEnvironment.h"

namespace sartovin {

namespace {

constexpr const char* kState = "State";

int offsetOfLanguageName(const std::string& name) {
    if (name.find("de") != std::string::npos || name.find("DE") != std::string::npos) return kGermanOffset;
    if (name.find("fr") != std::string::npos || name.find("FR") != std::string::npos) return kFrenchOffset;
    return kEnglishOffset;
}

std::string unescapeLineBreaks(const std::string& text) {
    std::string out;
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

}  // namespace

int languageNumberOfOffset(int offset) {
    if (offset == kGermanOffset) return 1000;
    if (offset == kFrenchOffset) return 3000;
    return 2000;
}

std::string withBackslash(const std::string& folder) {
    if (folder.empty() || folder.back() == '\\') return folder;
    return folder + "\\";
}

std::string PluginEnvironment::programFolder(bool hobby) {
    std::string folder;
    const char* key = hobby ? "Software\\Sartovin-Hobbyplotter" : "Software\\Sartovin";
    if (!m_system.registryString(RegistryRoot::LocalMachine, key, "InstallPath", folder)) return {};
    return withBackslash(folder);
}

std::string PluginEnvironment::settingsFile(bool hobby) {
    const std::string data = m_system.userDataFolder();
    if (data.empty()) return {};
    return withBackslash(data) + (hobby ? "Sartovin-Hobbyplotter\\Sartovin.ini" : "Sartovin\\Sartovin.ini");
}

int PluginEnvironment::menuLanguageOffset(const std::string& settingsFile) {
    if (!settingsFile.empty() && m_system.fileExists(settingsFile) &&
        m_system.profileInt(kState, "LanguageChoice", -1, settingsFile) == -3) {
        const int language = m_system.profileInt(kState, "Language", 1000, settingsFile);
        if (language == 1000) return kGermanOffset;
        if (language == 3000) return kFrenchOffset;
        return kEnglishOffset;
    }
    std::string name;
    if (m_system.registryString(RegistryRoot::LocalMachine, "Software\\Adobe\\DefaultLanguage",
                                "AdobeProductLanguage", name))
        return offsetOfLanguageName(name);
    if (m_system.registryString(RegistryRoot::CurrentUser, "Control Panel\\International", "LocaleName",
                                name))
        return offsetOfLanguageName(name);
    return kEnglishOffset;
}

int PluginEnvironment::installKey(const std::string& settingsFile, const char* key) {
    if (settingsFile.empty() || !m_system.fileExists(settingsFile)) return 0;
    return m_system.profileInt(kState, key, 0, settingsFile);
}

std::string PluginEnvironment::programText(const std::string& folder, int id, int languageNumber) {
    auto lookup = [&](int number) {
        const std::string n = std::to_string(number);
        return m_system.profileString(n, std::to_string(id + number), "", folder + n + ".txt");
    };
    std::string text = lookup(languageNumber);
    if (text.empty()) text = lookup(0);
    if (text.empty()) text = lookup(200);
    return unescapeLineBreaks(text);
}

}  // namespace sartovin

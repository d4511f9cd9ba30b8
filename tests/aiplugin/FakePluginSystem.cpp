#include "FakePluginSystem.h"

#include <filesystem>

#include "platform/Files.h"
#include "platform/Profile.h"
#include "support/TempDir.h"

namespace sartovin::test {

std::string FakePluginSystem::local(const std::string& path) const {
    std::string p = path;
    if (p.size() >= 3 && p[1] == ':' && p[2] == '\\') p = std::string(1, p[0]) + "\\" + p.substr(3);
    for (char& c : p)
        if (c == '\\') c = '/';
    return m_root + p;
}

bool FakePluginSystem::registryString(RegistryRoot root, const std::string& key, const std::string& name,
                                      std::string& value) {
    auto it = registry.find({root, key, name});
    if (it == registry.end()) return false;
    value = it->second;
    return true;
}

std::string FakePluginSystem::profileString(const std::string& section, const std::string& key,
                                            const std::string& defaultValue, const std::string& path) {
    return GetPrivateProfileString(section, key, defaultValue, local(path));
}

int FakePluginSystem::profileInt(const std::string& section, const std::string& key, int defaultValue,
                                 const std::string& path) {
    return GetPrivateProfileInt(section, key, defaultValue, local(path));
}

bool FakePluginSystem::writeProfileString(const std::string& section, const std::string& key,
                                          const std::string& value, const std::string& path) {
    return WritePrivateProfileString(section, key, value, local(path));
}

bool FakePluginSystem::fileExists(const std::string& path) { return sartovin::fileExists(local(path)); }

bool FakePluginSystem::writeNewFile(const std::string& path, const std::string& bytes) {
    const std::string p = local(path);
    removeFile(p);
    if (!directoryExists(folderOf(p))) return false;
    writeFile(p, bytes);
    return true;
}

bool FakePluginSystem::startProgram(const std::string& program) {
    started.push_back(program);
    if (onStart) onStart(program);
    return true;
}

bool FakePluginSystem::windowOpen(const std::string& title, const std::string& program) {
    titlesAsked.push_back(title);
    return onWindowCheck ? onWindowCheck(title, program) : false;
}

void FakePluginSystem::dispatchMessages() {
    ++dispatches;
    if (onDispatch) onDispatch();
}

void FakePluginSystem::errorBox(const std::string& text, const std::string& caption) {
    errorBoxes.push_back(caption + ": " + text);
}

}  // namespace sartovin::test

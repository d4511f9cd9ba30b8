#include "base/Settings.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "base/Texts.h"
#include "platform/Decimal.h"
#include "platform/Interaction.h"
#include "platform/Profile.h"

namespace sartovin {

namespace {

struct FailureRecord {
    bool failed = false;      // a write to the file failed in this run
    bool unreported = false;  // ... and nobody has said so yet
    bool reported = false;    // a failure of the file was reported in this run
};

struct FailureRegistry {
    std::mutex mutex;
    std::map<std::string, FailureRecord> files;
    std::function<void()> listener;
};

FailureRegistry& registry() {
    static FailureRegistry r;
    return r;
}

}  // namespace

bool Settings::noted(bool ok) const {
    if (ok) return true;
    std::function<void()> listener;
    {
        FailureRegistry& r = registry();
        std::lock_guard<std::mutex> guard(r.mutex);
        FailureRecord& record = r.files[m_iniPath];
        record.failed = true;
        if (!record.reported) record.unreported = true;
        listener = r.listener;
    }
    if (listener) listener();
    return false;
}

void Settings::markFailureReported() const {
    FailureRegistry& r = registry();
    std::lock_guard<std::mutex> guard(r.mutex);
    auto it = r.files.find(m_iniPath);
    if (it == r.files.end()) return;
    it->second.unreported = false;
    it->second.reported = true;
}

bool Settings::anyWriteFailed() {
    FailureRegistry& r = registry();
    std::lock_guard<std::mutex> guard(r.mutex);
    for (const auto& [path, record] : r.files)
        if (record.failed) return true;
    return false;
}

std::vector<std::string> Settings::takeUnreportedFailures() {
    FailureRegistry& r = registry();
    std::lock_guard<std::mutex> guard(r.mutex);
    std::vector<std::string> paths;
    for (auto& [path, record] : r.files) {
        if (!record.unreported) continue;
        record.unreported = false;
        record.reported = true;
        paths.push_back(path);
    }
    return paths;
}

void Settings::setWriteFailureListener(std::function<void()> listener) {
    FailureRegistry& r = registry();
    std::lock_guard<std::mutex> guard(r.mutex);
    r.listener = std::move(listener);
}

bool reportUnsavedSettings(const Texts& texts, Interaction& ui) {
    const std::vector<std::string> paths = Settings::takeUnreportedFailures();
    for (const std::string& path : paths)
        ui.messageBox(texts.format(TextId::SettingsNotSaved, {path}), kProgramCaption, MessageIcon::Error);
    return !paths.empty();
}

void reportSettingsNotSaved(const Settings& settings, const Texts& texts, Interaction& ui) {
    settings.markFailureReported();
    ui.messageBox(texts.format(TextId::SettingsNotSaved, {settings.iniPath()}), kProgramCaption,
                  MessageIcon::Error);
}

int Settings::readInt(const std::string& section, const std::string& key, int defaultValue) const {
    return GetPrivateProfileInt(section, key, defaultValue, m_iniPath);
}

std::string Settings::readString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue, std::size_t maxChars) const {
    return GetPrivateProfileString(section, key, defaultValue, m_iniPath, maxChars);
}

bool Settings::writeString(const std::string& section, const std::string& key,
                           const std::string& value) const {
    return noted(WritePrivateProfileString(section, key, value, m_iniPath));
}

bool Settings::writeStrings(const std::vector<ProfileEntry>& entries) const {
    return noted(WritePrivateProfileStrings(entries, m_iniPath));
}

bool Settings::writeInt(const std::string& section, const std::string& key, int value) const {
    return writeString(section, key, std::to_string(value));
}

int Settings::qualityIndex(int count) const {
    int stored = qualityIndexRaw();
    if (stored >= 0 && stored < count) return stored;
    return count < 2 ? 0 : count - 2;
}

bool Settings::setOffset(double v) const { return writeString(kState, "Offset", formatDecimal(v, 3)); }

int Settings::minOvercutAngle() const { return std::clamp(stateInt("MinOvercutAngle", 7), 1, 90); }

}  // namespace sartovin

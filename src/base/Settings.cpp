#include "base/Settings.h"

#include <algorithm>

#include "platform/Decimal.h"
#include "platform/Profile.h"

namespace sartovin {

int Settings::readInt(const std::string& section, const std::string& key, int defaultValue) const {
    return GetPrivateProfileInt(section, key, defaultValue, m_iniPath);
}

std::string Settings::readString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue, std::size_t maxChars) const {
    return GetPrivateProfileString(section, key, defaultValue, m_iniPath, maxChars);
}

bool Settings::writeString(const std::string& section, const std::string& key,
                           const std::string& value) const {
    return WritePrivateProfileString(section, key, value, m_iniPath);
}

bool Settings::writeStrings(const std::vector<ProfileEntry>& entries) const {
    return WritePrivateProfileStrings(entries, m_iniPath);
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

#include "platform/Ieee1284Id.h"

#include "platform/StringUtil.h"

namespace sartovin {

namespace {

bool keyIs(const std::string& key, const char* shortName, const char* longName) {
    return equalsNoCase(key, shortName) || equalsNoCase(key, longName);
}

}  // namespace

Ieee1284Id Ieee1284Id::parse(const std::string& text) {
    Ieee1284Id id;
    bool haveMfg = false, haveMdl = false, haveCmd = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find(';', pos);
        if (end == std::string::npos) end = text.size();
        std::string pair = text.substr(pos, end - pos);
        pos = end + 1;
        std::size_t colon = pair.find(':');
        if (colon == std::string::npos) continue;
        std::string key = trimmed(std::string_view(pair).substr(0, colon), isXmlSpace);
        std::string value = trimmed(std::string_view(pair).substr(colon + 1), isXmlSpace);
        if (!haveMfg && keyIs(key, "MFG", "MANUFACTURER")) {
            id.manufacturer = value;
            haveMfg = true;
        } else if (!haveMdl && keyIs(key, "MDL", "MODEL")) {
            id.model = value;
            haveMdl = true;
        } else if (!haveCmd && keyIs(key, "CMD", "COMMAND SET")) {
            id.commandSet = value;
            haveCmd = true;
        }
    }
    return id;
}

}  // namespace sartovin

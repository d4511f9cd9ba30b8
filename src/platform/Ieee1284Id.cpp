#include "platform/Ieee1284Id.h"

#include <strings.h>

namespace sartovin {

namespace {

std::string trim(const std::string& s) {
    const char* ws = " \t\r\n";
    auto a = s.find_first_not_of(ws);
    if (a == std::string::npos) return {};
    auto b = s.find_last_not_of(ws);
    return s.substr(a, b - a + 1);
}

bool keyIs(const std::string& key, const char* shortName, const char* longName) {
    return ::strcasecmp(key.c_str(), shortName) == 0 || ::strcasecmp(key.c_str(), longName) == 0;
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
        std::string key = trim(pair.substr(0, colon));
        std::string value = trim(pair.substr(colon + 1));
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

#include "device/MediaQueryReplies.h"

#include <cstdlib>

#include "platform/StringUtil.h"

namespace sartovin {

namespace {

// Reads a decimal number at `pos` (leading blanks and a sign allowed); false when none is there.
bool readNumber(const std::string& s, std::size_t& pos, long long& value) {
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t')) ++pos;
    std::size_t start = pos;
    if (pos < s.size() && (s[pos] == '-' || s[pos] == '+')) ++pos;
    std::size_t digits = pos;
    while (pos < s.size() && isDigit(s[pos])) ++pos;
    if (pos == digits) {
        pos = start;
        return false;
    }
    value = std::strtoll(s.substr(start, pos - start).c_str(), nullptr, 10);
    return true;
}

}  // namespace

bool parseSettingsReply(const std::string& reply, std::array<std::int32_t, 7>& values) {
    std::size_t pos = reply.find("OR1,");
    if (pos == std::string::npos) return false;
    pos += 4;
    std::array<std::int32_t, 7> read{};
    for (int i = 0; i < 7; ++i) {
        long long v = 0;
        if (!readNumber(reply, pos, v)) return false;
        read[i] = static_cast<std::int32_t>(v);
        char expected = i < 6 ? ',' : ';';
        while (pos < reply.size() && reply[pos] == ' ') ++pos;
        if (pos < reply.size() && reply[pos] == expected)
            ++pos;
        else if (i < 6)
            return false;
    }
    values = read;
    return true;
}

std::string firmwareFromIdentification(const std::string& reply) {
    std::size_t pos = reply.find("OR4,");
    if (pos == std::string::npos) return {};
    pos += 4;
    for (int skip = 0; skip < 2; ++skip) {
        pos = reply.find(',', pos);
        if (pos == std::string::npos) return {};
        ++pos;
    }
    std::size_t end = reply.find(',', pos);
    if (end != std::string::npos) return reply.substr(pos, end - pos);
    std::string rest = reply.substr(pos);
    while (!rest.empty() && (rest.back() == ';' || rest.back() == '\r' || rest.back() == '\n'))
        rest.pop_back();
    return rest;
}

std::string modelFieldOfIdentification(const std::string& reply) {
    std::size_t first = reply.find(',');
    if (first == std::string::npos) return {};
    std::size_t second = reply.find(',', first + 1);
    if (second == std::string::npos) return {};
    return std::string(trimmedView(reply.substr(first + 1, second - first - 1), isXmlSpace));
}

bool parseHardClipReply(const std::string& reply, unsigned long& heightMm, unsigned long& widthMm) {
    std::size_t pos = reply.find("0,0,");
    if (pos == std::string::npos) return false;
    pos += 4;
    long long height = 0, width = 0;
    if (!readNumber(reply, pos, height)) return false;
    if (pos >= reply.size() || reply[pos] != ',') return false;
    ++pos;
    if (!readNumber(reply, pos, width)) return false;
    if (height < 0 || width < 0) return false;
    heightMm = static_cast<unsigned long>(height / kPlotterUnitsPerMm);
    widthMm = static_cast<unsigned long>(width / kPlotterUnitsPerMm);
    return true;
}

std::string connectedModelForCheck(const std::string& identificationReply) {
    std::string model = modelFieldOfIdentification(identificationReply);
    std::size_t cut = model.find_first_of("I-");
    if (cut == std::string::npos) cut = model.find(' ');
    return cut == std::string::npos ? model : model.substr(0, cut);
}

bool connectedModelAcceptable(const std::string& catalogName, const std::string& model) {
    if (catalogName.find("Expert") != std::string::npos)
        return model.find("Expert") != std::string::npos || model.find("Sable") != std::string::npos;
    return catalogName.find(model) != std::string::npos;
}

bool applySettingsReply(PlotterRecord& record, const std::string& settingsReply) {
    if (!parseSettingsReply(settingsReply, record.deviceSettings)) return false;
    record.firmware = firmwareFromIdentification(record.identificationReply);
    return true;
}

}  // namespace sartovin

#include "aiplugin/HostStrings.h"

#include <vector>

namespace sartovin {

std::string indexString(const ADMBasicSuite* basic, SPPluginRef self, std::int32_t listId,
                        std::int32_t index) {
    char buffer[512] = {};
    basic->GetIndexString(self, listId, index, buffer, static_cast<std::int32_t>(sizeof buffer));
    buffer[sizeof buffer - 1] = '\0';
    return buffer;
}

std::basic_string<unsigned char> lengthPrefixed(const std::string& text) {
    const std::size_t n = text.size() < 255 ? text.size() : 255;
    std::basic_string<unsigned char> out(1, static_cast<unsigned char>(n));
    out.append(reinterpret_cast<const unsigned char*>(text.data()), n);
    return out;
}

std::string fromLengthPrefixed(const unsigned char* text) {
    if (!text) return {};
    return std::string(reinterpret_cast<const char*>(text + 1), text[0]);
}

std::string utf8Of(const AIUnicodeStringSuite* suite, const AIUnicodeString& text) {
    const std::size_t length = suite->GetAs(text, kAIUTF8CharacterEncoding, nullptr, 0);
    if (length == 0) return {};
    std::vector<char> buffer(length);
    const std::size_t written = suite->GetAs(text, kAIUTF8CharacterEncoding, buffer.data(), buffer.size());
    return std::string(buffer.data(), written < length ? written : length);
}

}  // namespace sartovin

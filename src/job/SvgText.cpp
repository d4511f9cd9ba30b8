#include "job/SvgText.h"

#include "job/JobTextEncoding.h"

#include <cstdint>

namespace sartovin {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

std::size_t findTagEnd(std::string_view text, std::size_t tagStart) {
    char quote = 0;
    for (std::size_t i = tagStart; i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i;
        }
    }
    return std::string_view::npos;
}

std::size_t findStartTag(std::string_view text, std::string_view name, std::size_t from) {
    while (from < text.size()) {
        std::size_t p = text.find('<', from);
        if (p == std::string_view::npos) return p;
        if (text.compare(p + 1, name.size(), name) == 0) {
            std::size_t after = p + 1 + name.size();
            if (after >= text.size()) return std::string_view::npos;
            char c = text[after];
            if (isSpace(c) || c == '/' || c == '>') return p;
        }
        from = p + 1;
    }
    return std::string_view::npos;
}

bool isSelfClosing(std::string_view text, std::size_t tagEnd) {
    return tagEnd > 0 && tagEnd < text.size() && text[tagEnd - 1] == '/';
}

bool attributeValue(std::string_view tag, std::string_view name, std::string& value,
                    std::size_t* valueBegin) {
    std::size_t from = 0;
    while (true) {
        std::size_t p = tag.find(name, from);
        if (p == std::string_view::npos) return false;
        from = p + 1;
        if (p == 0 || !isSpace(tag[p - 1])) continue;
        std::size_t q = p + name.size();
        while (q < tag.size() && isSpace(tag[q])) ++q;
        if (q >= tag.size() || tag[q] != '=') continue;
        ++q;
        while (q < tag.size() && isSpace(tag[q])) ++q;
        if (q >= tag.size() || (tag[q] != '"' && tag[q] != '\'')) continue;
        const char quote = tag[q];
        std::size_t end = tag.find(quote, q + 1);
        if (end == std::string_view::npos) return false;
        value.assign(tag.substr(q + 1, end - q - 1));
        if (valueBegin) *valueBegin = q + 1;
        return true;
    }
}

std::string decodeEntities(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '&') {
            out += raw[i];
            continue;
        }
        std::size_t semi = raw.find(';', i);
        if (semi == std::string_view::npos || semi - i > 10) {
            out += raw[i];
            continue;
        }
        std::string_view name = raw.substr(i + 1, semi - i - 1);
        if (name == "amp")
            out += '&';
        else if (name == "lt")
            out += '<';
        else if (name == "gt")
            out += '>';
        else if (name == "quot")
            out += '"';
        else if (name == "apos")
            out += '\'';
        else if (name.size() > 1 && name[0] == '#') {
            std::uint32_t cp = 0;
            bool hex = name[1] == 'x' || name[1] == 'X';
            bool ok = name.size() > (hex ? 2u : 1u);
            for (std::size_t k = hex ? 2 : 1; k < name.size() && ok; ++k) {
                char c = name[k];
                int d = -1;
                if (c >= '0' && c <= '9')
                    d = c - '0';
                else if (hex && c >= 'a' && c <= 'f')
                    d = c - 'a' + 10;
                else if (hex && c >= 'A' && c <= 'F')
                    d = c - 'A' + 10;
                if (d < 0 || cp > 0x10FFFF)
                    ok = false;
                else
                    cp = cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
            }
            if (!ok) {
                out += raw[i];
                continue;
            }
            appendUtf8(out, cp == 0 ? 0xFFFD : cp);  // a character reference to NUL is no character
        } else {
            out += raw[i];
            continue;
        }
        i = semi;
    }
    return out;
}

bool styleProperty(std::string_view style, std::string_view name, std::string& value) {
    std::size_t from = 0;
    while (from <= style.size()) {
        std::size_t semi = style.find(';', from);
        std::string_view decl =
            style.substr(from, semi == std::string_view::npos ? std::string_view::npos : semi - from);
        std::size_t colon = decl.find(':');
        if (colon != std::string_view::npos && trimmed(decl.substr(0, colon)) == name) {
            value = trimmed(decl.substr(colon + 1));
            return true;
        }
        if (semi == std::string_view::npos) break;
        from = semi + 1;
    }
    return false;
}

std::string trimmed(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && isSpace(text[b])) ++b;
    while (e > b && isSpace(text[e - 1])) --e;
    return std::string(text.substr(b, e - b));
}

}  // namespace sartovin

#include "job/JobTextEncoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <vector>

namespace sartovin {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(::iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) ::iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can into `out`; returns false on a sequence it cannot convert and
    // leaves `in`/`left` at that sequence.
    bool run(const char*& in, std::size_t& left, std::string& out) {
        char buffer[4096];
        while (left > 0) {
            char* inPtr = const_cast<char*>(in);
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            std::size_t rc = ::iconv(m_cd, &inPtr, &left, &outPtr, &outLeft);
            out.append(buffer, sizeof buffer - outLeft);
            in = inPtr;
            if (rc == static_cast<std::size_t>(-1)) {
                if (errno == E2BIG) continue;
                ::iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
                return false;
            }
        }
        return true;
    }

private:
    iconv_t m_cd;
};

// Length of the UTF-8 sequence at `p` (1 for a byte that starts no valid sequence) and its code
// point through `cp` (U+FFFD for invalid input).
std::size_t decodeUtf8(const unsigned char* p, std::size_t left, std::uint32_t& cp) {
    unsigned char b = p[0];
    std::size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || n > left) {
        cp = 0xFFFD;
        return 1;
    }
    if (n == 1) {
        cp = b;
        return 1;
    }
    cp = b & (0x7F >> n);
    for (std::size_t i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) {
            cp = 0xFFFD;
            return 1;
        }
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    static const std::uint32_t kMinimum[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        cp = 0xFFFD;
        return 1;
    }
    return n;
}

}  // namespace

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::optional<std::string> windows1252ToUtf8(std::string_view bytes) {
    Converter converter("UTF-8", "WINDOWS-1252");
    if (!converter.ok()) return std::nullopt;
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    const char* in = bytes.data();
    std::size_t left = bytes.size();
    while (!converter.run(in, left, out)) {
        // An undefined byte of the code page: keep it as the control character of its number.
        appendUtf8(out, static_cast<unsigned char>(*in));
        ++in;
        --left;
    }
    return out;
}

std::optional<std::string> utf8ToWindows1252(std::string_view text) {
    Converter converter("WINDOWS-1252", "UTF-8");
    if (!converter.ok()) return std::nullopt;
    std::string out;
    out.reserve(text.size());
    const char* in = text.data();
    std::size_t left = text.size();
    while (!converter.run(in, left, out)) {
        std::uint32_t cp = 0;
        std::size_t n = decodeUtf8(reinterpret_cast<const unsigned char*>(in), left, cp);
        out += '?';
        in += n;
        left -= n;
    }
    return out;
}

std::string utf16leToUtf8(std::string_view bytes) {
    std::string out;
    std::size_t units = bytes.size() / 2;
    out.reserve(units);
    auto unitAt = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i + 1])) << 8;
    };
    std::size_t i = 0;
    if (units > 0 && unitAt(0) == 0xFEFF) i = 1;
    for (; i < units; ++i) {
        std::uint32_t u = unitAt(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            std::uint32_t low = unitAt(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        appendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? 0xFFFD : u);
    }
    return out;
}

std::string utf8ToUtf16le(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    auto put = [&](std::uint32_t unit) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>((unit >> 8) & 0xFF);
    };
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t left = text.size();
    while (left > 0) {
        std::uint32_t cp = 0;
        std::size_t n = decodeUtf8(p, left, cp);
        p += n;
        left -= n;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            put(0xD800 + (cp >> 10));
            put(0xDC00 + (cp & 0x3FF));
        } else {
            put(cp);
        }
    }
    return out;
}

}  // namespace sartovin

#pragma once
// The code pages of the job file at the edge of the model: the Illustrator variant is Windows-1252
// text, the Corel variant UTF-16 little-endian; inside, every text is UTF-8.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sartovin {

/// Windows-1252 bytes to UTF-8 (by the code page's own table, so that the plug-in's DLL converts
/// exactly as the program does). The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
/// 0x90, 0x9D) become the control characters of the same number, as the platform the files come
/// from maps them. NUL bytes pass through. Never nullopt; the optional stays for callers written
/// when a converter could be missing.
std::optional<std::string> windows1252ToUtf8(std::string_view bytes);

/// Appends code point `cp` as UTF-8; surrogates and values beyond U+10FFFF become U+FFFD.
void appendUtf8(std::string& out, std::uint32_t cp);

/// UTF-8 to Windows-1252. A character the code page cannot hold, and any byte that is not valid
/// UTF-8, becomes "?". Never nullopt.
std::optional<std::string> utf8ToWindows1252(std::string_view text);

/// UTF-16 little-endian bytes to UTF-8. A trailing odd byte is ignored, a leading byte-order mark
/// is dropped, and an unpaired surrogate becomes U+FFFD. NUL code units pass through.
std::string utf16leToUtf8(std::string_view bytes);

/// UTF-8 to UTF-16 little-endian bytes (without byte-order mark); invalid bytes become U+FFFD.
/// Tests and tools use it to write Corel-variant files.
std::string utf8ToUtf16le(std::string_view text);

}  // namespace sartovin

#include "job/JobTextEncoding.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace sartovin {
namespace {

// What the C library's converter makes of `in` ("" when it refuses).
std::string libraryConversion(const char* to, const char* from, const std::string& in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return "<no converter>";
    std::string out(in.size() * 4 + 4, '\0');
    char* inPtr = const_cast<char*>(in.data());
    char* outPtr = out.data();
    std::size_t inLeft = in.size(), outLeft = out.size();
    const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) return "";
    out.resize(out.size() - outLeft);
    return out;
}

// The code page's table is ours (the plug-in's DLL has no converter library); it must agree with
// the C library's converter wherever that defines the code page.
TEST(JobTextEncoding, TheCodePageAgreesWithTheLibraryConverter) {
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string library = libraryConversion("UTF-8", "WINDOWS-1252", byte);
        const std::string ours = *windows1252ToUtf8(byte);
        if (library.empty()) {
            // Undefined in the code page: the control character of the same number.
            EXPECT_TRUE(b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) << b;
            std::string control;
            appendUtf8(control, static_cast<std::uint32_t>(b));
            EXPECT_EQ(ours, control) << b;
        } else {
            EXPECT_EQ(ours, library) << b;
        }
    }
    for (std::uint32_t cp = 1; cp < 0x3000; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        std::string text;
        appendUtf8(text, cp);
        std::string library = libraryConversion("WINDOWS-1252", "UTF-8", text);
        if (library.empty()) library = "?";
        EXPECT_EQ(*utf8ToWindows1252(text), library) << std::hex << cp;
    }
}

TEST(JobTextEncoding, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
    EXPECT_EQ(*utf8ToWindows1252("Grüße € ☃ \xff!"),
              "Gr\xfc\xdf"
              "e \x80 ? ?!");
    EXPECT_EQ(*windows1252ToUtf8("Gr\xfc\xdf"
                                 "e \x80\x81"),
              "Grüße €\xc2\x81");
    EXPECT_EQ(*utf8ToWindows1252(std::string("a\0b", 3)), std::string("a\0b", 3));
}

}  // namespace
}  // namespace sartovin

// The text helpers must not depend on the process locale and must leave UTF-8 alone.

#include "platform/StringUtil.h"

#include <gtest/gtest.h>

#include <clocale>

namespace sartovin {
namespace {

TEST(StringUtil, TrimmingAndWhiteSpaceKinds) {
    EXPECT_EQ(trimmed(" \t\r\n\v\fa b\f\v\n\r\t "), "a b");
    EXPECT_EQ(trimmed("   "), "");
    EXPECT_EQ(trimmedView("\nx\n", isBlank), "\nx\n");  // line feeds end lines, they are no blanks
    EXPECT_EQ(trimmedView("\vx\v", isXmlSpace), "\vx\v");
    EXPECT_EQ(trimmed("Bügelfolie "), "Bügelfolie");
    EXPECT_EQ(trimmed("\t MFG \r\n", isXmlSpace), "MFG");
    EXPECT_EQ(trimmed("\f\vGCC\v", isXmlSpace), "\f\vGCC\v");  // form feed and vertical tab stay
    EXPECT_EQ(trimmed("\r x \v", isBlank), "x");
    EXPECT_EQ(singleLine("a\r\nb\nc\t"), "a  b c\t");
}

TEST(StringUtil, AsciiLettersOnly) {
    EXPECT_TRUE(isAsciiLetter('c') && isAsciiLetter('Z'));
    EXPECT_FALSE(isAsciiLetter('@') || isAsciiLetter('[') || isAsciiLetter('1'));
    EXPECT_FALSE(isAsciiLetter(static_cast<char>(0xC4)));  // a Latin-1 capital A umlaut byte
}

TEST(StringUtil, CaseIgnoresTheLocaleAndKeepsUtf8) {
    // A Turkish locale maps 'I' to a dotless i in toupper/tolower; these helpers do not.
    std::setlocale(LC_CTYPE, "tr_TR.UTF-8");
    EXPECT_EQ(lowerAscii(std::string("INKSCAPE Ä")), "inkscape Ä");
    EXPECT_EQ(upperAscii(std::string("gcc ä")), "GCC ä");
    EXPECT_TRUE(equalsNoCase("Plotter.CSV", "plotter.csv"));
    EXPECT_FALSE(equalsNoCase("Ä", "ä"));
    EXPECT_TRUE(containsNoCase("Jaguar IV 61", "iv 6"));
    EXPECT_TRUE(containsNoCase("x", ""));
    EXPECT_FALSE(containsNoCase("ab", "abc"));
    EXPECT_TRUE(startsWithNoCase("MFG:GCC;", "mfg:"));
    EXPECT_TRUE(endsWithNoCase("drawing.SVG", ".svg"));
    EXPECT_FALSE(endsWithNoCase("svg", ".svg"));
    std::setlocale(LC_CTYPE, "C");
}

}  // namespace
}  // namespace sartovin

// Numbers in edit fields and in the settings file keep a decimal point under any locale: the window
// runs under the user's locale, where the C library would read and write a comma.

#include "base/EditText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "base/Settings.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

// Switches LC_NUMERIC to German for its lifetime; `active()` is false where no German locale is
// installed.
class GermanNumbers {
public:
    GermanNumbers() : m_old(std::setlocale(LC_NUMERIC, nullptr)) {
        m_active = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr ||
                   std::setlocale(LC_NUMERIC, "de_DE.utf8") != nullptr;
    }
    ~GermanNumbers() { std::setlocale(LC_NUMERIC, m_old.c_str()); }
    bool active() const { return m_active; }

private:
    std::string m_old;
    bool m_active = false;
};

TEST(EditText, ReadsAPointOrACommaAndWritesAPoint) {
    for (int pass = 0; pass < 2; ++pass) {
        GermanNumbers german;
        if (pass == 1 && !german.active()) GTEST_SKIP() << "no German locale installed";
        if (pass == 0) std::setlocale(LC_NUMERIC, "C");
        EXPECT_DOUBLE_EQ(parseEditDouble("0.25"), 0.25) << "pass " << pass;
        EXPECT_DOUBLE_EQ(parseEditDouble("-0,125"), -0.125) << "pass " << pass;
        EXPECT_DOUBLE_EQ(parseEditDouble(" 12.5mm"), 12.5) << "pass " << pass;
        EXPECT_EQ(parseEditDouble("abc"), 0);
        EXPECT_EQ(parseEditDouble("1e999"), 0);
        EXPECT_EQ(formatNumber("%.3f", 0.25), "0.250") << "pass " << pass;
        EXPECT_EQ(formatNumber("%.0f", 99.5), "100");
        EXPECT_EQ(formatNumber("%d", -7), "-7");

        test::TempDir dir;
        Settings settings(dir.file("Sartovin.ini"));
        ASSERT_TRUE(settings.setOffset(0.05));
        EXPECT_EQ(settings.readString(Settings::kState, "Offset"), "0.050") << "pass " << pass;
    }
}

TEST(EditText, IntegersStopAtTheFirstOtherCharacterAndStayIn32Bits) {
    EXPECT_EQ(parseEditInt("  -42abc"), -42);
    EXPECT_EQ(parseEditInt("+7"), 7);
    EXPECT_EQ(parseEditInt("x1"), 0);
    EXPECT_EQ(parseEditInt("99999999999"), 2147483647);
    EXPECT_EQ(parseEditInt("-99999999999"), -2147483647 - 1);
}

}  // namespace
}  // namespace sartovin

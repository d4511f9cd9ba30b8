// Numbers that are stored or sent keep their decimal point under every locale.

#include "platform/Decimal.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

namespace sartovin {
namespace {

class DecimalTest : public ::testing::Test {
protected:
    // The window program runs under the user's locale; a German one has a decimal comma.
    void SetUp() override { ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr); }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(DecimalTest, ReadsLikeTheCLocaleWhateverTheProcessLocale) {
    double v = -1;
    std::size_t used = 0;
    ASSERT_TRUE(parseDecimal("  0.125mm", v, &used));
    EXPECT_DOUBLE_EQ(v, 0.125);
    EXPECT_EQ(used, 7u);
    ASSERT_TRUE(parseDecimal("-2.5e1", v));
    EXPECT_DOUBLE_EQ(v, -25);
    ASSERT_TRUE(parseDecimal("+.5", v));
    EXPECT_DOUBLE_EQ(v, 0.5);
    ASSERT_TRUE(parseDecimal("3,7", v, &used));  // the comma is not a decimal point here
    EXPECT_DOUBLE_EQ(v, 3);
    EXPECT_EQ(used, 1u);
    v = 42;
    EXPECT_FALSE(parseDecimal("", v));
    EXPECT_FALSE(parseDecimal("abc", v));
    EXPECT_FALSE(parseDecimal("--1", v));
    EXPECT_FALSE(parseDecimal("1e999", v));
    EXPECT_FALSE(parseDecimal("nan", v));
    EXPECT_FALSE(parseDecimal("inf", v));
    EXPECT_EQ(v, 42);
}

TEST_F(DecimalTest, WritesFixedWithAPoint) {
    EXPECT_EQ(formatDecimal(0.125, 3), "0.125");
    EXPECT_EQ(formatDecimal(0.25, 3), "0.250");
    EXPECT_EQ(formatDecimal(-0.0004, 3), "-0.000");  // as printf("%.3f") writes it
    EXPECT_EQ(formatDecimal(2.5, 0), "2");           // exact ties go to even, as printf does
    EXPECT_EQ(formatDecimal(171.49, 0), "171");
    EXPECT_EQ(formatDecimal(1e300, 1).size(), 303u);
    EXPECT_EQ(formatDecimal(std::numeric_limits<double>::infinity(), 3), "0");
}

}  // namespace
}  // namespace sartovin

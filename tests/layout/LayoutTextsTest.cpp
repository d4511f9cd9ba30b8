#include "layout/LayoutTexts.h"

#include <gtest/gtest.h>

#include "base/Texts.h"
#include "layout/TestJobs.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

class LayoutTextsTest : public ::testing::Test {
protected:
    LayoutTextsTest() : texts(dir.path(), 2000) { test::writeEnglishTexts(dir); }

    test::TempDir dir;
    Texts texts;
};

TEST_F(LayoutTextsTest, FormatListNamesEachSheetWithItsOrientation) {
    const std::vector<std::string> sheets = formatList(texts, false);
    ASSERT_EQ(sheets.size(), 7u);
    EXPECT_EQ(sheets[0], "A4 Portrait");
    EXPECT_EQ(sheets[3], "A5 Landscape");
    EXPECT_EQ(sheets[5], "Letter Landscape");
    EXPECT_EQ(sheets[6], "user defined");

    const std::vector<std::string> cameo = formatList(texts, true);
    ASSERT_EQ(cameo.size(), 10u);
    EXPECT_EQ(cameo[0], "12\" x 12\"");
    EXPECT_EQ(cameo[1], "A3");
    EXPECT_EQ(cameo[2], "A4 Portrait");
    EXPECT_EQ(cameo[6], "Legal");
    EXPECT_EQ(cameo[8], "Letter Landscape");
    EXPECT_EQ(cameo[9], "user defined");
}

TEST_F(LayoutTextsTest, RotationAndPositionLists) {
    EXPECT_EQ(rotationList(texts), (std::vector<std::string>{"no rotation", "90 right", "90 left", "180"}));
    const std::vector<std::string> positions = positionList(texts, 9);
    ASSERT_EQ(positions.size(), 9u);
    EXPECT_EQ(positions[0], "manual position");
    EXPECT_EQ(positions[4], "centered vertically");
    EXPECT_EQ(positions[8], "top centered");
    EXPECT_EQ(positionList(texts, 4).back(), "centered horizontally");
}

TEST_F(LayoutTextsTest, SizesAreShownInWholeUnits) {
    EXPECT_EQ(wholeNumberText(30.4), "30");
    EXPECT_EQ(wholeNumberText(59.5), "60");
    EXPECT_EQ(wholeNumberText(598), "598");
}

}  // namespace
}  // namespace sartovin

#include "layout/LayoutTexts.h"

#include <gtest/gtest.h>

#include "base/Texts.h"
#include "support/CatalogRecords.h"
#include "support/JobBuilders.h"
#include "support/TempDir.h"
#include "support/TextFiles.h"

namespace sartovin {
namespace {

class LayoutTextsTest : public ::testing::Test {
protected:
    LayoutTextsTest() : texts(dir.path(), 2000) { test::writeEnglishTexts(dir); }

    test::TempDir dir;
    Texts texts;
};

TEST_F(LayoutTextsTest, FormatListNamesEachSheetWithItsOrientation) {
    using Strings = std::vector<std::string>;
    EXPECT_EQ(formatList(texts, false), (Strings{"A4 Portrait", "A4 Landscape", "A5 Portrait", "A5 Landscape",
                                                 "Letter Portrait", "Letter Landscape", "user defined"}));
    EXPECT_EQ(formatList(texts, true),
              (Strings{"12\" x 12\"", "A3", "A4 Portrait", "A4 Landscape", "A5 Portrait", "A5 Landscape",
                       "Legal", "Letter Portrait", "Letter Landscape", "user defined"}));
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

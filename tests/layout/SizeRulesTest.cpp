#include "layout/SizeRules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "base/Settings.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

// A job imported at 50 × 100 mm on a medium whose largest job is 589 × 109 mm; smallest 10 × 10.
JobSize imported50x100() {
    JobSize s;
    s.importedWidth = 50, s.importedHeight = 100;
    s.resetToImported();
    return s;
}

constexpr SizeLimits kLimits{10, 589, 10, 109};

// Width, length, width % and length %, to compare them at once.
std::vector<double> numbers(const JobSize& s) { return {s.width, s.height, s.widthPercent, s.heightPercent}; }

using Numbers = std::vector<double>;
using testing::DoubleEq;
using testing::Pointwise;

TEST(SizeRulesTest, SizesKeepLimitsRoundToMillimetresAndRefuseWhatDoesNotFit) {
    JobSize s = imported50x100();
    // 30.4 mm of 50 imported: the percentage comes from whole millimetres.
    ASSERT_TRUE(changeJobSize(s, SizeField::WidthMm, 30.4, kLimits, true));
    EXPECT_THAT(numbers(s), Pointwise(DoubleEq(), Numbers{30.4, 60, 60, 60}));
    // Proportionally 120 % would make the length 120 mm: refused, nothing changes.
    EXPECT_FALSE(changeJobSize(s, SizeField::WidthPercent, 120, kLimits, true));
    EXPECT_THAT(numbers(s), Pointwise(DoubleEq(), Numbers{30.4, 60, 60, 60}));
    // Below the smallest job the width becomes 10 mm.
    ASSERT_TRUE(changeJobSize(s, SizeField::WidthMm, 3, kLimits, true));
    EXPECT_THAT(numbers(s), Pointwise(DoubleEq(), Numbers{10, 20, 20, 20}));
    // A length entry is limited by the length's range and drives the width.
    ASSERT_TRUE(changeJobSize(s, SizeField::HeightMm, 500, kLimits, true));
    EXPECT_THAT(numbers(s), Pointwise(DoubleEq(), Numbers{54.5, 109, 109, 109}));
}

TEST(SizeRulesTest, HundredPercentRestoresTheImportedSizeAlsoWithoutProportional) {
    JobSize s = imported50x100();
    ASSERT_TRUE(changeJobSize(s, SizeField::WidthPercent, 150, kLimits, false));
    ASSERT_TRUE(changeJobSize(s, SizeField::HeightMm, 33.3, kLimits, false));
    EXPECT_THAT(numbers(s), Pointwise(DoubleEq(), Numbers{75, 33.3, 150, 33}));
    ASSERT_TRUE(changeJobSize(s, SizeField::HeightPercent, 100, kLimits, false));
    EXPECT_THAT(numbers(s), Pointwise(DoubleEq(), Numbers{50, 100, 100, 100}));
}

TEST(SizeRulesTest, NothingImportedIsNothingToScale) {
    JobSize s;
    EXPECT_FALSE(changeJobSize(s, SizeField::WidthMm, 40, kLimits, true));
    EXPECT_DOUBLE_EQ(s.width, 0);
    // A drawing under half a millimetre is still scaled against its own size.
    s.importedWidth = s.importedHeight = 0.4;
    s.resetToImported();
    ASSERT_TRUE(changeJobSize(s, SizeField::WidthPercent, 5000, kLimits, false));
    EXPECT_DOUBLE_EQ(s.width, 20);
    EXPECT_DOUBLE_EQ(s.widthPercent, 5000);
}

TEST(SizeRulesTest, AQuarterTurnExchangesSizesAndScales) {
    JobSize s = imported50x100();
    s.width = 25, s.widthPercent = 50;
    s.exchangeDimensions();
    EXPECT_THAT(numbers(s), Pointwise(DoubleEq(), Numbers{100, 25, 100, 50}));
    EXPECT_DOUBLE_EQ(s.importedWidth, 50);
}

TEST(SizeRulesTest, MediumLimitsAndUsableLength) {
    EXPECT_EQ(clampToLimits(45, 50, 600), 50);
    EXPECT_EQ(clampToLimits(700, 50, 600), 600);
    // A plotter record with its maximum below its minimum: the minimum wins.
    EXPECT_EQ(clampToLimits(700, 50, 40), 50);
    EXPECT_DOUBLE_EQ(usableLength(600, 5), 590);
    EXPECT_DOUBLE_EQ(usableLength(8, 5), -2);
}

TEST(SizeRulesTest, FrameAndOvercutAllowancesNarrowTheLargestJob) {
    test::TempDir dir;
    Settings settings(dir.file("Sartovin.ini"));
    EXPECT_DOUBLE_EQ(largestJobLength(590, allowancesOf(settings, false)), 589);
    settings.setGrid(1);
    settings.setGridDistance(10);
    EXPECT_DOUBLE_EQ(largestJobLength(590, allowancesOf(settings, false)), 590 - 20 - 1);
    settings.setUseOvercut(1);
    EXPECT_DOUBLE_EQ(largestJobLength(590, allowancesOf(settings, false)), 590 - 20 - 2 - 1);
    // No frame allowance for registration-mark jobs; the overcut still counts.
    EXPECT_DOUBLE_EQ(allowancesOf(settings, true).frame, 0);
    EXPECT_DOUBLE_EQ(allowancesOf(settings, true).overcut, 2);
    // The frame distance is read within 0 to 100.
    settings.setGridDistance(150);
    EXPECT_DOUBLE_EQ(allowancesOf(settings, false).frame, 200);
    settings.setGridDistance(-5);
    EXPECT_DOUBLE_EQ(allowancesOf(settings, false).frame, 0);
    settings.setGrid(0);
    settings.setGridDistance(10);
    EXPECT_DOUBLE_EQ(allowancesOf(settings, false).frame, 0);
}

}  // namespace
}  // namespace sartovin

#include "layout/CopyGrid.h"

#include <gtest/gtest.h>

namespace sartovin {
namespace {

TEST(CopyGridTest, FitCountsAndDistancesFollowTheMedium) {
    // Three 50 mm copies with 10 mm gaps take exactly 170 mm.
    EXPECT_EQ(fitCount(170, 50, 10, 0), 3);
    EXPECT_EQ(fitCount(169, 50, 10, 0), 2);
    // Sums of decimals that fit on paper are not refused for the last bit of a rounding error.
    EXPECT_EQ(fitCount(0.3, 0.1, 0, 0), 3);
    // The weeding frame adds its allowance per copy.
    EXPECT_EQ(fitCount(170, 50, 10, 10), 2);
    // A job larger than the medium still counts once; one without extent is capped.
    EXPECT_EQ(fitCount(100, 250, 0, 0), 1);
    EXPECT_EQ(fitCount(100, 0, 0, 0), 10000);
    EXPECT_EQ(fitCount(1e9, 0.001, 0, 0), 10000);

    // Three rows of 100 in 320 leave 10 per gap; one copy gets all that is left beside it.
    EXPECT_EQ(fitDistance(3, 320, 100, 0), 10);
    EXPECT_EQ(fitDistance(1, 320, 100, 0), 220);
    EXPECT_EQ(fitDistance(2, 320, 100, 5), 110);
    EXPECT_EQ(fitDistance(4, 320, 100, 0), 0);  // they do not fit at all
    EXPECT_EQ(fitDistance(2, 1e12, 1, 0), 1000000000);

    // Free space: the whole millimetres beside the copies, never negative.
    EXPECT_EQ(freeSpace(150, 2, 50, 7, 0), 43);
    EXPECT_EQ(freeSpace(150, 2, 50.5, 0, 2), 45);
    EXPECT_EQ(freeSpace(150, 3, 60, 0, 0), 0);
}

// Usable 170 × 320: three 50 mm copies with 10 mm gaps across, three 100 mm copies along.
constexpr CopyRoom kRoom{170, 320, 50, 100, 0};

TEST(CopyGridTest, ManualCopiesFitTheMedium) {
    CopyGrid g;
    g.reset(10, 10, true);
    g.update(kRoom);
    EXPECT_EQ(g.maxColumns(), 3);
    EXPECT_EQ(g.maxRows(), 3);
    EXPECT_EQ(g.maxCopies(), 9);
    g.setCopiesEdit(7);
    g.update(kRoom);
    EXPECT_EQ(g.columns(), 3);
    ASSERT_TRUE(g.setRowsEdit(2));
    g.update(kRoom);
    EXPECT_EQ(g.copyTotal(), 6);
    // Fewer columns keep the total by adding rows, as far as they fit.
    g.setCopiesEdit(2);
    g.update(kRoom);
    EXPECT_EQ(g.rows(), 3);
    EXPECT_EQ(g.copyTotal(), 6);
    g.setCopiesEdit(1);
    g.update(kRoom);
    EXPECT_EQ(g.rows(), 3);
    EXPECT_EQ(g.copyTotal(), 3);
    // Largest distances: three rows of 100 in 320 leave 10 per gap; one column leaves 120.
    EXPECT_EQ(g.maxDistanceV(), 10);
    EXPECT_EQ(g.maxDistanceH(), 10);  // the smaller one with sameDistance
    g.setDistanceH(50);
    EXPECT_EQ(g.distanceH(), 10);
    // The weeding frame adds its allowance per copy: the counts shrink to what still fits.
    CopyRoom framed = kRoom;
    framed.frame = 10;
    g.setCopiesEdit(3);
    g.update(framed);
    EXPECT_EQ(g.maxColumns(), 2);
    EXPECT_EQ(g.columns(), 2);
    EXPECT_EQ(g.rows(), 2);
}

TEST(CopyGridTest, SameDistanceTakesTheSmallerDistance) {
    CopyGrid g;
    g.reset(10, 4, false);
    g.update(kRoom);
    EXPECT_EQ(g.distanceH(), 10);
    EXPECT_EQ(g.distanceV(), 4);
    ASSERT_TRUE(g.setDistanceV(6));
    EXPECT_EQ(g.distanceV(), 6);
    g.setSameDistance(true);
    EXPECT_EQ(g.distanceH(), 6);
    EXPECT_EQ(g.distanceV(), 6);
    g.update(kRoom);
    g.setDistanceH(12);
    EXPECT_EQ(g.distanceV(), 12);
    EXPECT_FALSE(g.setDistanceV(3));  // ignored while both are the same
    EXPECT_EQ(g.distanceV(), 12);
    // Stored distances: negative ones read as 0, the smaller one wins with sameDistance.
    g.reset(10, 4, true);
    EXPECT_EQ(g.distanceH(), 4);
    g.reset(-3, 8, false);
    EXPECT_EQ(g.distanceH(), 0);
    EXPECT_EQ(g.distanceV(), 8);
}

TEST(CopyGridTest, AutomaticDistributionSpreadsTheTotalOverTheColumnsThatFit) {
    // Usable 110 across: two 50 mm copies side by side with 5 mm gaps.
    const CopyRoom room{110, 4990, 50, 100, 0};
    CopyGrid g;
    g.reset(5, 5, true);
    g.update(room);
    g.setAutoDistribute(true);
    g.update(room);
    EXPECT_EQ(g.requestedTotal(), 1);
    g.setCopiesEdit(5);
    g.update(room);
    EXPECT_EQ(g.copyTotal(), 5);
    EXPECT_EQ(g.requestedTotal(), 5);
    EXPECT_EQ(g.columns(), 2);
    EXPECT_EQ(g.rows(), 3);
    EXPECT_FALSE(g.setRowsEdit(1));  // the rows follow from the total
    // Back to manual distribution the copies fill whole rows: 2 × 3 = 6.
    g.setAutoDistribute(false);
    g.update(room);
    EXPECT_EQ(g.copyTotal(), 6);
    EXPECT_EQ(g.requestedTotal(), 5);
    // The total is limited to what fits.
    g.setAutoDistribute(true);
    g.update(room);
    g.setCopiesEdit(100000);
    g.update(room);
    EXPECT_EQ(g.copyTotal(), g.maxCopies());
    EXPECT_EQ(g.columns(), 2);
}

TEST(CopyGridTest, ClosedColumnsTouchAndFreeSpaceCountsEveryCopy) {
    CopyGrid g;
    g.reset(10, 10, true);
    g.update(kRoom);
    g.setCopiesEdit(2);
    g.update(kRoom);
    EXPECT_EQ(g.freeSpaceH(kRoom), 170 - 110);
    g.closeColumns();
    EXPECT_FALSE(g.sameDistance());
    EXPECT_EQ(g.distanceH(), 0);
    EXPECT_EQ(g.distanceV(), 10);
    EXPECT_EQ(g.freeSpaceH(kRoom), 170 - 100);
    EXPECT_EQ(g.freeSpaceV(kRoom), 320 - 100);
}

}  // namespace
}  // namespace sartovin

#include "layout/JobPlacement.h"

#include <gtest/gtest.h>

namespace sartovin {
namespace {

TEST(JobPlacementTest, EachEntryPlacesTheJobInTheFreeSpace) {
    // Free space 100 across and 201 along, margin 5; the edited distances are 30 and 500.
    struct Row {
        int mode, right, left, front, back;
        bool h, v;
    } rows[] = {
        {0, 30, 70, 201, 0, true, true},    {1, 5, 95, 5, 196, false, false},
        {2, 95, 5, 5, 196, false, false},   {3, 50, 50, 201, 0, false, true},
        {4, 30, 70, 100, 100, true, false}, {5, 50, 50, 100, 100, false, false},
        {6, 5, 95, 196, 5, false, false},   {7, 95, 5, 196, 5, false, false},
        {8, 50, 50, 196, 5, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.mode);
        JobPosition p{30, 0, 500, 0};
        placeJob(p, r.mode, 100, 201, 5);
        EXPECT_EQ(p.right, r.right);
        EXPECT_EQ(p.left, r.left);
        EXPECT_EQ(p.front, r.front);
        EXPECT_EQ(p.back, r.back);
        EXPECT_EQ(horizontalPositionEdited(r.mode), r.h);
        EXPECT_EQ(verticalPositionEdited(r.mode), r.v);
    }
}

TEST(JobPlacementTest, HalvesAreWholeMillimetresAndEditedDistancesStayInTheFreeSpace) {
    JobPosition p{-4, 0, 3, 0};
    placeJob(p, 0, 40, 10, 5);
    EXPECT_EQ(p.right, 0);
    EXPECT_EQ(p.left, 40);
    placeJob(p, 5, 41, 11, 5);
    // Integer halves on both sides: together one short of the free space.
    EXPECT_EQ(p.right, 20);
    EXPECT_EQ(p.left, 20);
    EXPECT_EQ(p.front, 5);
    EXPECT_EQ(p.back, 5);
    // An entry outside the list keeps the edited distances, within the free space.
    p = {12, 0, 30, 0};
    placeJob(p, 9, 20, 20, 5);
    EXPECT_EQ(p.right, 12);
    EXPECT_EQ(p.front, 20);
    EXPECT_FALSE(horizontalPositionEdited(9));
    EXPECT_FALSE(verticalPositionEdited(-1));
}

TEST(JobPlacementTest, ListLengthAndInitialEntryDependOnTheEdition) {
    EXPECT_EQ(positionCount(2), 4);
    EXPECT_EQ(positionCount(11), 9);
    EXPECT_EQ(positionCount(21), 4);
    EXPECT_EQ(initialPositionMode(2), 1);
    EXPECT_EQ(initialPositionMode(12), 7);
    EXPECT_EQ(initialPositionMode(21), 0);
}

}  // namespace
}  // namespace sartovin

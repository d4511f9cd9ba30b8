#include "layout/SheetFormats.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace sartovin {
namespace {

std::vector<std::pair<int, int>> sizesOf(bool cameo) {
    std::vector<std::pair<int, int>> sizes;
    for (const SheetFormat& f : sheetFormats(cameo)) sizes.emplace_back(f.width, f.height);
    return sizes;
}

TEST(SheetFormatsTest, TheLongListBelongsToCameoPlotters) {
    EXPECT_TRUE(hasCameoFormats("Silhouette Cameo"));
    EXPECT_TRUE(hasCameoFormats("Cameo 3"));
    EXPECT_FALSE(hasCameoFormats("CC330-20"));
    EXPECT_FALSE(hasCameoFormats("silhouette cameo"));  // the name is matched as written
    EXPECT_EQ(sheetFormatCount(true), 10);
    EXPECT_EQ(sheetFormatCount(false), 7);
}

TEST(SheetFormatsTest, EachEntrySetsWidthAcrossAndLengthAlongTheFeed) {
    using Sizes = std::vector<std::pair<int, int>>;
    EXPECT_EQ(sizesOf(true), (Sizes{{304, 304},
                                    {297, 420},
                                    {210, 297},
                                    {297, 210},
                                    {148, 210},
                                    {210, 148},
                                    {216, 356},
                                    {216, 279},
                                    {279, 216}}));
    EXPECT_EQ(sizesOf(false),
              (Sizes{{297, 210}, {210, 297}, {210, 148}, {148, 210}, {279, 216}, {216, 279}}));
}

}  // namespace
}  // namespace sartovin

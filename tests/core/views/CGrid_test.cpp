#include "core/views/CGrid.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(CGrid, PatternsAreDottedDashedAndSolid) {
    EXPECT_EQ(CGrid::Pattern(0), (DashPattern{true, false, true, false}));
    EXPECT_EQ(CGrid::Pattern(1), (DashPattern{true, true, false, false}));
    EXPECT_EQ(CGrid::Pattern(2), (DashPattern{true, true, true, true}));
}

TEST(CGrid, StartsDottedAndKeepsThePatternForAnIndexOutOfRange) {
    CGrid grid;
    EXPECT_EQ(grid.CurrentIndex(), 0);
    EXPECT_EQ(grid.SelectPattern(1), CGrid::Pattern(1));
    EXPECT_EQ(grid.SelectPattern(3), CGrid::Pattern(1));
    EXPECT_EQ(grid.SelectPattern(-1), CGrid::Pattern(1));
    EXPECT_EQ(grid.CurrentIndex(), 1);
    EXPECT_EQ(grid.SelectPattern(2), CGrid::Pattern(2));
}

} // namespace
} // namespace tavrin

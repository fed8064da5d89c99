#include "editor/charmap_grid.h"

#include <gtest/gtest.h>

// Cells 7 x 13: a pitch of 10 x 16 after a margin of 3, frames two pixels out sharing a
// border; the margin right of the grid finds no cell (the window test clicks the rest).
TEST(CharMapGrid, Geometry) {
    CharMapGrid grid;
    grid.SetCellSize(7, 13);
    EXPECT_EQ(grid.CharacterBox({15, 13}), (GridRect{153, 211, 7, 13}));
    EXPECT_EQ(grid.FrameRect({1, 0}), (GridRect{11, 1, 11, 17}));
    EXPECT_EQ(std::make_pair(grid.ClientWidth(), grid.ClientHeight()), std::make_pair(163, 227));
    EXPECT_EQ(grid.CellAt(159, 223), (GridCell{15, 13}));
    EXPECT_FALSE(grid.CellAt(160, 0) || grid.CellAt(0, 224) || grid.CellAt(-1, 5));
    grid.SetCellSize(0, -4);  // a cell is never less than a pixel
    EXPECT_EQ(grid.ClientHeight(), CharMapGrid::kRows * 4 + 3);
}

// Right of the owner, else left of it, else over its client area pulled onto the screen.
TEST(CharMapGrid, MapOpensBesideItsOwnerWithinTheScreen) {
    const GridRect frames[][3] = {
        {{100, 100, 300, 200}, {104, 150, 292, 146}, {400, 150, 200, 300}},
        {{700, 100, 250, 200}, {704, 150, 242, 146}, {500, 150, 200, 300}},
        {{50, 600, 900, 190}, {54, 640, 892, 146}, {54, 500, 200, 300}},
    };
    for (const auto& [frame, client, placed] : frames) {
        EXPECT_EQ(PlaceMapBeside(frame, client, 200, 300, {0, 0, 1000, 800}), placed) << frame.x;
    }
}

#include "editor/charmap_grid.h"

#include <gtest/gtest.h>

#include <set>

TEST(CharMapGrid, KeysMoveWithWrapAndSend) {
    struct Case {
        GridCell from;
        MapKey key;
        GridCell to;
        MapAction action;
        int code;  // of the cell selected afterwards
    } const cases[] = {
        {{0, 5}, MapKey::Left, {15, 5}, MapAction::None, 127},
        {{15, 5}, MapKey::Right, {0, 5}, MapAction::None, 112},
        {{3, 0}, MapKey::Up, {3, 13}, MapAction::None, 243},
        {{3, 13}, MapKey::Down, {3, 0}, MapAction::None, 35},
        {{7, 7}, MapKey::Left, {6, 7}, MapAction::None, 150},
        {{7, 7}, MapKey::Right, {8, 7}, MapAction::None, 152},
        {{7, 7}, MapKey::Up, {7, 6}, MapAction::None, 135},
        {{7, 7}, MapKey::Down, {7, 8}, MapAction::None, 167},
        {{1, 2}, MapKey::Space, {1, 2}, MapAction::Send, 'A'},
        {{0, 0}, MapKey::Enter, {0, 0}, MapAction::SendAndClose, ' '},
        {{15, 13}, MapKey::Other, {15, 13}, MapAction::None, 255},
    };
    for (const Case& c : cases) {
        CharMapGrid grid;
        grid.Select(c.from);
        EXPECT_EQ(grid.PressKey(c.key), c.action) << c.code;
        EXPECT_EQ(grid.Selected(), c.to) << c.code;
        EXPECT_EQ(grid.SelectedCode(), c.code);
    }
}

// Cells 7 x 13 pixels: a pitch of 10 x 16, frames two pixels out that share their border,
// a client area of the grid plus three pixels, and clicks in that margin find no cell.
TEST(CharMapGrid, GeometryAndClicks) {
    CharMapGrid grid;
    grid.SetCellSize(7, 13);
    std::set<int> codes;
    for (int row = 0; row < CharMapGrid::kRows; ++row) {
        for (int column = 0; column < CharMapGrid::kColumns; ++column) {
            codes.insert(CharMapGrid::CodeOf({column, row}));
            const GridRect box = grid.CharacterBox({column, row});
            EXPECT_EQ(box, (GridRect{column * 10 + 3, row * 16 + 3, 7, 13}));
            EXPECT_EQ(grid.FrameRect({column, row}), (GridRect{box.x - 2, box.y - 2, 11, 17}));
            EXPECT_EQ(grid.CellAt(box.x + 6, box.y + 12), (GridCell{column, row}));
        }
    }
    EXPECT_EQ(codes.size(), 224u);
    EXPECT_EQ(*codes.begin(), 32);
    EXPECT_EQ(*codes.rbegin(), 255);
    EXPECT_EQ(grid.FrameRect({1, 0}).x, 11);  // the first frame's right border
    EXPECT_EQ(grid.ClientWidth(), 163);
    EXPECT_EQ(grid.ClientHeight(), 227);
    struct Click {
        int x, y;
        std::optional<GridCell> cell;
    } const clicks[] = {
        {0, 0, GridCell{0, 0}},       {9, 15, GridCell{0, 0}}, {10, 16, GridCell{1, 1}},
        {159, 223, GridCell{15, 13}}, {160, 0, std::nullopt},  {0, 224, std::nullopt},
        {162, 226, std::nullopt},     {-1, 5, std::nullopt},   {5, -1, std::nullopt},
    };
    for (const Click& c : clicks) EXPECT_EQ(grid.CellAt(c.x, c.y), c.cell) << c.x << "," << c.y;
    // A cell is never less than a pixel, so the division never runs on the gap alone.
    grid.SetCellSize(0, -4);
    EXPECT_EQ(grid.ClientHeight(), CharMapGrid::kRows * 4 + 3);
}

TEST(CharMapGrid, MapOpensBesideItsOwnerWithinTheScreen) {
    const GridRect screen{0, 0, 1000, 800};
    struct Case {
        GridRect frame, client, placed;
    } const cases[] = {
        {{100, 100, 300, 200}, {104, 150, 292, 146}, {400, 150, 200, 300}},  // right
        {{700, 100, 250, 200}, {704, 150, 242, 146}, {500, 150, 200, 300}},  // left
        // Neither: over the owner's client area, moved up to stay on the screen.
        {{50, 600, 900, 190}, {54, 640, 892, 146}, {54, 500, 200, 300}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceMapBeside(c.frame, c.client, 200, 300, screen), c.placed) << c.frame.x;
    }
}

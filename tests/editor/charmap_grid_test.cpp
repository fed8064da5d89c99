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

TEST(CharMapGrid, EveryCellHoldsOneCodeAndFramesShareTheirBorder) {
    CharMapGrid grid;
    grid.SetCellSize(7, 13);
    std::set<int> codes;
    for (int row = 0; row < CharMapGrid::kRows; ++row) {
        for (int column = 0; column < CharMapGrid::kColumns; ++column) {
            codes.insert(CharMapGrid::CodeOf({column, row}));
            const GridRect box = grid.CharacterBox({column, row});
            EXPECT_EQ(box, (GridRect{column * 10 + 3, row * 16 + 3, 7, 13}));
            EXPECT_EQ(grid.FrameRect({column, row}), (GridRect{box.x - 2, box.y - 2, 11, 17}));
            // A click anywhere in the character's box finds its own cell.
            EXPECT_EQ(grid.CellAt(box.x, box.y), (GridCell{column, row}));
            EXPECT_EQ(grid.CellAt(box.x + box.width - 1, box.y + box.height - 1),
                      (GridCell{column, row}));
        }
    }
    EXPECT_EQ(codes.size(), 224u);
    EXPECT_EQ(*codes.begin(), 32);
    EXPECT_EQ(*codes.rbegin(), 255);
    // The last frame ends one pixel before the client's edge: the margin is three pixels.
    const GridRect last = grid.FrameRect({15, 13});
    EXPECT_EQ(grid.ClientWidth(), 163);
    EXPECT_EQ(grid.ClientHeight(), 227);
    EXPECT_EQ(last.x + last.width, grid.ClientWidth() - 1);
    EXPECT_EQ(grid.FrameRect({1, 0}).x,
              grid.FrameRect({0, 0}).x + grid.FrameRect({0, 0}).width - 1);
}

TEST(CharMapGrid, ClicksInTheMarginFindNoCell) {
    CharMapGrid grid;
    grid.SetCellSize(7, 13);
    struct Case {
        int x, y;
        std::optional<GridCell> cell;
    } const cases[] = {
        {0, 0, GridCell{0, 0}}, {159, 223, GridCell{15, 13}}, {160, 0, std::nullopt},
        {0, 224, std::nullopt}, {162, 226, std::nullopt},     {-1, 5, std::nullopt},
        {5, -1, std::nullopt},  {10, 16, GridCell{1, 1}},     {9, 15, GridCell{0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(grid.CellAt(c.x, c.y), c.cell) << c.x << "," << c.y;
    }
    // Cell sizes below one pixel would divide by the gap alone; they are raised to one.
    grid.SetCellSize(0, -4);
    EXPECT_EQ(grid.CellWidth(), 1);
    EXPECT_EQ(grid.ClientHeight(), CharMapGrid::kRows * 4 + 3);
}

TEST(CharMapGrid, MapOpensBesideItsOwnerWithinTheScreen) {
    const GridRect screen{0, 0, 1000, 800};
    struct Case {
        GridRect frame, client;
        GridRect placed;
    } const cases[] = {
        // Room on the right.
        {{100, 100, 300, 200}, {104, 150, 292, 146}, {400, 150, 200, 300}},
        // None on the right: the left side.
        {{700, 100, 250, 200}, {704, 150, 242, 146}, {500, 150, 200, 300}},
        // Neither: over the owner's client area, moved up to stay on the screen.
        {{50, 600, 900, 190}, {54, 640, 892, 146}, {54, 500, 200, 300}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceMapBeside(c.frame, c.client, 200, 300, screen), c.placed) << c.frame.x;
    }
}

#include "editor/charmap_grid.h"

#include <algorithm>

#include "model/text_helpers.h"

unsigned char CharMapGrid::CodeOf(GridCell cell) {
    return static_cast<unsigned char>(kFirstCode + kColumns * cell.row + cell.column);
}

void CharMapGrid::SetCellSize(int width, int height) {
    cellWidth = std::max(1, width);
    cellHeight = std::max(1, height);
}

GridRect CharMapGrid::CharacterBox(GridCell cell) const {
    return {cell.column * (cellWidth + kGap) + kGap, cell.row * (cellHeight + kGap) + kGap,
            cellWidth, cellHeight};
}

GridRect CharMapGrid::FrameRect(GridCell cell) const {
    const GridRect box = CharacterBox(cell);
    return {box.x - 2, box.y - 2, box.width + 4, box.height + 4};
}

int CharMapGrid::ClientWidth() const { return kColumns * (cellWidth + kGap) + kGap; }

int CharMapGrid::ClientHeight() const { return kRows * (cellHeight + kGap) + kGap; }

std::optional<GridCell> CharMapGrid::CellAt(int x, int y) const {
    if (x < 0 || y < 0) return std::nullopt;
    const GridCell cell{x / (cellWidth + kGap), y / (cellHeight + kGap)};
    if (cell.column >= kColumns || cell.row >= kRows) return std::nullopt;
    return cell;
}

void CharMapGrid::Select(GridCell cell) {
    if (cell.column >= 0 && cell.column < kColumns && cell.row >= 0 && cell.row < kRows) {
        selected = cell;
    }
}

MapAction CharMapGrid::PressKey(MapKey key) {
    switch (key) {
        case MapKey::Left:
            selected.column = PositiveMod(selected.column - 1, kColumns);
            break;
        case MapKey::Right:
            selected.column = PositiveMod(selected.column + 1, kColumns);
            break;
        case MapKey::Up:
            selected.row = PositiveMod(selected.row - 1, kRows);
            break;
        case MapKey::Down:
            selected.row = PositiveMod(selected.row + 1, kRows);
            break;
        case MapKey::Space:
            return MapAction::Send;
        case MapKey::Enter:
            return MapAction::SendAndClose;
        case MapKey::Other:
            break;
    }
    return MapAction::None;
}

GridRect PlaceMapBeside(const GridRect& ownerFrame, const GridRect& ownerClient, int mapWidth,
                        int mapHeight, const GridRect& screen) {
    const int screenRight = screen.x + screen.width;
    const int screenBottom = screen.y + screen.height;
    // Top-aligned with the owner's client area, but never below the screen's bottom.
    const int top = std::max(screen.y, std::min(ownerClient.y, screenBottom - mapHeight));
    const int right = ownerFrame.x + ownerFrame.width;
    if (right + mapWidth <= screenRight) return {right, top, mapWidth, mapHeight};
    if (ownerFrame.x - mapWidth >= screen.x) {
        return {ownerFrame.x - mapWidth, top, mapWidth, mapHeight};
    }
    const int x = std::max(screen.x, std::min(ownerClient.x, screenRight - mapWidth));
    const int y = std::max(screen.y, std::min(ownerClient.y, screenBottom - mapHeight));
    return {x, y, mapWidth, mapHeight};
}

CellSize FitCells(int cellWidth, int cellHeight, int roomWidth, int roomHeight) {
    using Grid = CharMapGrid;
    const int fitWidth = (roomWidth - Grid::kGap) / Grid::kColumns - Grid::kGap;
    const int fitHeight = (roomHeight - Grid::kGap) / Grid::kRows - Grid::kGap;
    if (cellWidth <= fitWidth && cellHeight <= fitHeight) return {cellWidth, cellHeight};
    // One factor for both, so the characters keep their shape in the smaller font.
    const double factor = std::min(double(std::max(fitWidth, 1)) / cellWidth,
                                   double(std::max(fitHeight, 1)) / cellHeight);
    const auto shrink = [factor](int cell) {
        return std::max(std::min(cell, kMinCellPixels), static_cast<int>(cell * factor));
    };
    return {shrink(cellWidth), shrink(cellHeight)};
}

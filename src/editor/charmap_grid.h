// The Character Map's grid without a window: 16 x 14 cells for the codes 32-255, their
// pixel geometry from the font's cell size, the selection and how keys and clicks move it,
// and where the map opens beside its owner.
#pragma once

#include <optional>

struct GridRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const GridRect& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};

struct GridCell {
    int column = 0, row = 0;
    bool operator==(const GridCell& other) const {
        return column == other.column && row == other.row;
    }
};

enum class MapKey { Left, Right, Up, Down, Space, Enter, Other };
// What the window does after a key: nothing more, send the selected code, or send it and close.
enum class MapAction { None, Send, SendAndClose };

class CharMapGrid {
  public:
    static constexpr int kColumns = 16;
    static constexpr int kRows = 14;
    static constexpr int kFirstCode = 32;
    // Pixels between the character boxes; the frames drawn around them share a line.
    static constexpr int kGap = 3;

    // The code in a cell: 32 + 16 * row + column.
    static unsigned char CodeOf(GridCell cell);

    // Cell measures of the map's font (at least one pixel each).
    void SetCellSize(int cellWidth, int cellHeight);
    int CellWidth() const { return cellWidth; }
    int CellHeight() const { return cellHeight; }

    // The box the character is drawn in, and the frame around it (two pixels out).
    GridRect CharacterBox(GridCell cell) const;
    GridRect FrameRect(GridCell cell) const;
    // The client area that holds the grid with a margin of kGap on every side.
    int ClientWidth() const;
    int ClientHeight() const;

    // The cell under a client position; none in the margin right of or below the grid,
    // whose division would name a column or row the map does not have.
    std::optional<GridCell> CellAt(int x, int y) const;

    // Selection: column 0, row 0 (the space) each time the map opens.
    void Reset() { selected = {}; }
    GridCell Selected() const { return selected; }
    void Select(GridCell cell);
    unsigned char SelectedCode() const { return CodeOf(selected); }

    // Arrows move the selection one cell and wrap within the row or column; Space sends,
    // Enter sends and closes.
    MapAction PressKey(MapKey key);

  private:
    int cellWidth = 1;
    int cellHeight = 1;
    GridCell selected;
};

// The cell measures of a map that must fit a client area of `roomWidth` x `roomHeight`:
// the font's own where the grid fits, else both shrunk by one factor so that it fits, but
// never below kMinCellPixels (a smaller cell stays as it is). A grid still too large for
// the room then scrolls.
constexpr int kMinCellPixels = 12;
struct CellSize {
    int width = 1, height = 1;
};
CellSize FitCells(int cellWidth, int cellHeight, int roomWidth, int roomHeight);

// Where the map window opens: right of its owner's frame, top-aligned with the owner's
// client area, so it hides neither the question nor the box being typed into; left of
// the owner when the right has no room on the screen; else over the owner's client
// area at its top-left corner, pulled onto the screen.
GridRect PlaceMapBeside(const GridRect& ownerFrame, const GridRect& ownerClient, int mapWidth,
                        int mapHeight, const GridRect& screen);

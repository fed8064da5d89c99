// The Character Map: a small modeless window over the 224 characters 32-255, drawn in the
// display font. Arrows move the selection (wrapping), Space sends the selected character
// to the owner, Enter sends it and closes; a left click sends the cell under the pointer,
// a right click sends it and closes. The grid arithmetic lives in CharMapGrid.
#pragma once

#include <QFont>
#include <QPointer>

#include "editor/charmap_grid.h"
#include "editor/charmap_owner.h"
#include "framework/template_dialog.h"
#include "model/log_font.h"

// The drawn grid: the client area of the map, and the one control that takes the focus.
class CharMapCanvas : public QWidget {
    Q_OBJECT
  public:
    explicit CharMapCanvas(class charmapwindow* map);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    class charmapwindow* map;
};

class charmapwindow : public TemplateDialog {
    Q_OBJECT
  public:
    // Only the object is made; Open creates the window. `owner` receives the characters.
    charmapwindow(CharMapOwner& owner, int resourceId, const LogFont& displayFont);

    // Set-up and show: cell size from the font, the space selected and not highlighted,
    // the window sized to the grid and placed beside the owner. With `takeFocus` the map
    // becomes the active window with the keyboard focus on its grid.
    void Open(bool takeFocus);
    bool IsOpen() const { return isVisible(); }
    // Closes the map; a map that had the keyboard focus gives it back to the owner's
    // control that had it when the map opened.
    void CloseMap();
    // The owner is closing: the map goes without handing back the focus.
    void CloseWithOwner();

    const CharMapGrid& Grid() const { return grid; }
    CharMapCanvas* Canvas() const { return canvas; }
    // The font the cells are drawn in.
    const QFont& CellFont() const { return font; }
    // The selected cell shows highlighted only after a key or a left click.
    bool Highlighted() const { return highlighted; }

    // The character of a code as the cells show it, and as a screen reader says it.
    static QString CellText(unsigned char code);
    static QString SpokenName(unsigned char code);

    // The input of the canvas.
    void PressKey(MapKey key);
    void LeftClick(int x, int y);
    void RightClick(int x, int y);

  protected:
    void reject() override;

  private:
    void Send(unsigned char code);
    void SelectionMoved();

    CharMapOwner& owner;
    QFont displayFont;
    QFont font;  // the display font, or a smaller one where the map must shrink to fit
    class QScrollArea* scroller = nullptr;
    CharMapGrid grid;
    CharMapCanvas* canvas = nullptr;
    bool highlighted = false;
};

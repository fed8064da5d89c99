#include "editor/charmap_window.h"

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include "editor/st_dialog.h"
#include "framework/command_menu.h"
#include "framework/text_box.h"

namespace {

constexpr int kAnswerBox = 401;

// An owner that types what the map sends into its answer box, in a font of `pixels`.
struct Owner : STDialog {
    explicit Owner(int pixels = 13)
        : STDialog(*FindDialog(1244), nullptr, [pixels] {
              LogFont font = StartupDisplayFont();
              font.height = -pixels;
              return font;
          }()) {
        show();
    }
    void InsertChar(unsigned char c) override { Edit(kAnswerBox)->InsertByte(c); }
};

// An input is a Qt key, or a left or right click on the cell of a code, or in the margin.
constexpr int Left(int code) { return 0x100000 | code; }
constexpr int Right(int code) { return 0x200000 | code; }
constexpr int kMargin = Left(0xFFFF);

void Input(charmapwindow* map, int input) {
    const CharMapGrid& grid = map->Grid();
    if ((input & 0x300000) == 0) return QTest::keyClick(map->Canvas(), static_cast<Qt::Key>(input));
    QPoint at(grid.ClientWidth() - 1, grid.ClientHeight() - 1);
    if (input != kMargin) {
        const GridRect box = grid.CharacterBox({(input & 0xFF) % 16, (input & 0xFF) / 16 - 2});
        at = {box.x + box.width / 2, box.y + box.height / 2};
    }
    QTest::mousePress(map->Canvas(), (input & 0x200000) ? Qt::RightButton : Qt::LeftButton, {}, at);
}

}  // namespace

// From a freshly opened map (the space selected, not highlighted): arrows wrap within the
// row or column, Space sends, Enter sends and closes, a left click sends, a right click
// sends and closes, the margin does nothing. The cells hold the widest character of each
// font, and the window holds the cells exactly.
TEST(CharMapWindow, KeysAndClicksSendTheSelectedCode) {
    const int L = Qt::Key_Left, R = Qt::Key_Right, U = Qt::Key_Up, D = Qt::Key_Down,
              S = Qt::Key_Space;
    struct Case {
        int pixels;
        std::vector<int> inputs;
        std::string sent;
        int selected;
        bool open, highlighted;
    } const cases[] = {
        {8, {S}, " ", 32, true, true},
        {10, {D, D, D, D, D, L, S}, "\x7f", 127, true, true},
        {12, {U, Qt::Key_Return}, "\xf0", 240, false, true},
        {14, {R, Qt::Key_Enter}, "!", 33, false, true},
        {16, {L, R, U, D, S, Qt::Key_A}, " ", 32, true, true},
        {20, {Left('A'), Left(0x81)}, "A\x81", 0x81, true, true},
        {24, {Right(0xFF)}, "\xff", 255, false, false},
        {32, {kMargin}, "", 32, true, false},
    };
    QSize previous;
    for (const Case& c : cases) {
        Owner owner(c.pixels);
        owner.CharacterMapCommand();
        charmapwindow* map = owner.CharacterMap();
        const CharMapGrid& grid = map->Grid();
        EXPECT_EQ(map->size(), QSize(grid.ClientWidth(), grid.ClientHeight()));
        EXPECT_EQ(map->Canvas()->geometry(), map->rect());
        EXPECT_TRUE(map->width() > previous.width() && map->height() > previous.height());
        previous = map->size();
        const QFontMetrics metrics(map->CellFont());
        EXPECT_EQ(grid.CellHeight(), metrics.height());
        for (int code = 32; code <= 255; ++code) {
            EXPECT_LE(metrics.horizontalAdvance(charmapwindow::CellText(code)), grid.CellWidth());
        }
        for (int input : c.inputs) Input(map, input);
        EXPECT_EQ(owner.Edit(kAnswerBox)->Bytes(), c.sent) << c.selected;
        EXPECT_EQ(grid.SelectedCode(), c.selected);
        EXPECT_EQ(map->IsOpen(), c.open) << c.selected;
        EXPECT_TRUE(!c.open || map->Highlighted() == c.highlighted) << c.selected;
        EXPECT_EQ(map->Canvas()->accessibleName(), charmapwindow::SpokenName(c.selected));
    }
}

// Opened by keyboard the map takes the focus and hands it back; it reopens at the space
// and closes by Escape (not the owner), by its command and with its owner.
TEST(CharMapWindow, CommandOwnerAndFocus) {
    Owner owner;
    owner.activateWindow();
    TextBox* answer = owner.Edit(kAnswerBox);
    answer->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    charmapwindow* map = owner.CharacterMap();
    QTest::keyClick(&owner, Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([map] { return map->Canvas()->hasFocus(); }));
    Input(map, Qt::Key_Right);
    Input(map, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([answer] { return QApplication::focusWidget() == answer; }));
    EXPECT_EQ(answer->Bytes(), "!");

    QAction* command = owner.Menu()->Action(kCmCharacterMap);
    QMenuBar* bar = owner.Menu()->MenuBar();
    const std::function<void()> closers[] = {[&] { Input(map, Qt::Key_Escape); },
                                             [&] { command->trigger(); },
                                             [&] { owner.EndDialog(kIdOk); }};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(owner.isVisible());
        QCoreApplication::processEvents();
        // The second time by a click on the menu: the map then never takes the focus.
        if (i == 1)
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(command).center());
        if (i != 1) command->trigger();
        ASSERT_TRUE(map->IsOpen());
        EXPECT_EQ(bool(map->windowFlags() & Qt::WindowDoesNotAcceptFocus), i == 1);
        EXPECT_EQ(map->Grid().SelectedCode(), 32);
        EXPECT_FALSE(map->Highlighted());
        Input(map, Qt::Key_Down);
        closers[i]();
        EXPECT_FALSE(map->IsOpen());
    }
}

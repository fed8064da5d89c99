#include "editor/charmap_window.h"

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include "editor/st_dialog.h"
#include "framework/command_menu.h"
#include "framework/text_box.h"

namespace {

constexpr int kAnswerBox = 401;

// An owner that records what the map sends and types it into the answer box.
class RecordingDialog : public STDialog {
  public:
    explicit RecordingDialog(int pixels = 0) : STDialog(*FindDialog(1244), nullptr, Font(pixels)) {
        show();
    }
    std::vector<int> sent;
    void InsertChar(unsigned char c) override {
        sent.push_back(c);
        if (FocusAtMapOpen() == Edit(kAnswerBox)) Edit(kAnswerBox)->InsertByte(c);
    }
    static LogFont Font(int pixels) {
        LogFont font = StartupDisplayFont();
        font.height = -pixels;
        return font;
    }
};

// Inputs: a Qt key, or a click: left or right on the cell of a code, or in the margin.
constexpr int Left(int code) { return 0x100000 | code; }
constexpr int Right(int code) { return 0x200000 | code; }
constexpr int kMargin = Left(0xFFFF);

void Input(charmapwindow* map, int input) {
    const CharMapGrid& grid = map->Grid();
    if ((input & 0x300000) == 0) return QTest::keyClick(map->Canvas(), static_cast<Qt::Key>(input));
    QPoint at(grid.ClientWidth() - 1, grid.ClientHeight() - 1);
    if (input != kMargin) {
        const int cell = (input & 0xFF) - 32;
        const GridRect box = grid.CharacterBox({cell % 16, cell / 16});
        at = {box.x + box.width / 2, box.y + box.height / 2};
    }
    QTest::mousePress(map->Canvas(), (input & 0x200000) ? Qt::RightButton : Qt::LeftButton, {}, at);
}

}  // namespace

// Each case starts from a freshly opened map: the space selected, not highlighted.
TEST(CharMapWindow, KeysAndClicksSendTheSelectedCode) {
    const int L = Qt::Key_Left, U = Qt::Key_Up, D = Qt::Key_Down, S = Qt::Key_Space;
    struct Case {
        std::vector<int> inputs, sent;
        int selected;
        bool open, highlighted;
    } const cases[] = {
        {{S}, {32}, 32, true, true},
        {{D, D, D, D, D, L, S}, {127}, 127, true, true},
        {{U, Qt::Key_Return}, {240}, 240, false, true},
        {{Qt::Key_Right, Qt::Key_Enter}, {33}, 33, false, true},
        {{Qt::Key_A}, {}, 32, true, true},
        {{Left('A'), Left(0x81)}, {65, 0x81}, 0x81, true, true},
        {{Right('A')}, {65}, 65, false, false},
        {{kMargin}, {}, 32, true, false},
    };
    for (const Case& c : cases) {
        RecordingDialog owner;
        owner.CharacterMapCommand();
        charmapwindow* map = owner.CharacterMap();
        for (int input : c.inputs) Input(map, input);
        EXPECT_EQ(owner.sent, c.sent) << c.selected;
        EXPECT_EQ(map->Grid().SelectedCode(), c.selected);
        EXPECT_EQ(map->IsOpen(), c.open) << c.selected;
        if (c.open) EXPECT_EQ(map->Highlighted(), c.highlighted) << c.selected;
        // A screen reader's name for the grid: the character about to be sent.
        EXPECT_EQ(map->Canvas()->accessibleName(), charmapwindow::SpokenName(c.selected));
    }
}

// The menu command opens and closes the map; the map reopens at the space, closes with its
// owner and by Escape; opened by keyboard it takes the focus and hands it back.
TEST(CharMapWindow, CommandOwnerAndFocus) {
    RecordingDialog owner;
    owner.activateWindow();
    TextBox* answer = owner.Edit(kAnswerBox);
    answer->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    charmapwindow* map = owner.CharacterMap();
    QTest::keyClick(&owner, Qt::Key_M, Qt::AltModifier);
    ASSERT_TRUE(map->IsOpen());
    // Activation comes from the window system a little later.
    EXPECT_TRUE(QTest::qWaitFor([map] { return map->Canvas()->hasFocus(); }));
    Input(map, Qt::Key_Right);
    Input(map, Qt::Key_Return);
    EXPECT_FALSE(map->IsOpen());
    EXPECT_TRUE(QTest::qWaitFor([answer] { return QApplication::focusWidget() == answer; }));
    EXPECT_EQ(answer->Bytes(), "!");

    QAction* command = owner.Menu()->Action(kCmCharacterMap);
    for (int round = 0; round < 2; ++round) {
        command->trigger();
        EXPECT_TRUE(map->IsOpen());
        EXPECT_EQ(map->Grid().SelectedCode(), 32);
        EXPECT_FALSE(map->Highlighted());
        Input(map, Qt::Key_Down);
        if (round == 0) command->trigger();  // closes it
        if (round == 1) owner.EndDialog(kIdOk);
        EXPECT_FALSE(map->IsOpen());
    }
    owner.show();
    command->trigger();
    Input(map, Qt::Key_Escape);
    EXPECT_FALSE(map->IsOpen());
    EXPECT_TRUE(owner.isVisible());
}

// The cells hold the widest character of the font, and the window holds the cells exactly.
TEST(CharMapWindow, WindowSizeFollowsTheFont) {
    QSize previous;
    for (int pixels : {8, 13, 32}) {
        RecordingDialog owner(pixels);
        owner.CharacterMapCommand();
        charmapwindow* map = owner.CharacterMap();
        const CharMapGrid& grid = map->Grid();
        EXPECT_EQ(map->size(), QSize(grid.ClientWidth(), grid.ClientHeight()));
        EXPECT_EQ(map->Canvas()->geometry(), map->rect());
        const QFontMetrics metrics(map->CellFont());
        EXPECT_EQ(grid.CellHeight(), metrics.height());
        for (int code = 32; code <= 255; ++code) {
            EXPECT_LE(metrics.horizontalAdvance(charmapwindow::CellText(code)), grid.CellWidth());
        }
        EXPECT_GT(map->width(), previous.width()) << pixels;
        EXPECT_GT(map->height(), previous.height()) << pixels;
        previous = map->size();
    }
}

// Every code reaches the box that had the focus when the map opened, as that byte: DEL,
// the five unassigned bytes and the no-break space included.
TEST(CharMapWindow, EveryCodeReachesTheBoxFocusedAtOpening) {
    RecordingDialog owner;
    TextBox* answer = owner.Edit(kAnswerBox);
    answer->setFocus();
    owner.CharacterMapCommand();
    owner.Button(kIdOk)->setFocus();  // the focus moves on; the characters do not follow
    std::string expected;
    for (int code = 32; code <= 255; ++code) {
        Input(owner.CharacterMap(), Left(code));
        expected.push_back(static_cast<char>(code));
    }
    EXPECT_EQ(answer->Bytes(), expected);
    // Opened while another control has the focus, the owner is told but nothing is typed.
    owner.CharacterMap()->CloseMap();
    owner.CharacterMapCommand();
    EXPECT_EQ(owner.FocusAtMapOpen(), owner.Button(kIdOk));
    Input(owner.CharacterMap(), Qt::Key_Space);
    EXPECT_EQ(answer->Bytes(), expected);
    EXPECT_EQ(owner.sent.size(), 225u);
}

#include "editor/charmap_window.h"

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include "editor/st_dialog.h"
#include "framework/command_menu.h"
#include "framework/text_box.h"

namespace {

constexpr int kAnswerBox = 401;
constexpr int kQuestionBox = 402;

// An owner that records what the map sends and puts it into the answer box.
class RecordingDialog : public STDialog {
  public:
    explicit RecordingDialog(const LogFont& font = StartupDisplayFont())
        : STDialog(*FindDialog(kDialogQuestionWithHint), nullptr, font) {}
    std::vector<int> sent;
    void InsertChar(unsigned char c) override {
        sent.push_back(c);
        if (FocusAtMapOpen() == Edit(kAnswerBox)) Edit(kAnswerBox)->InsertByte(c);
    }
};

QPoint CentreOf(const charmapwindow& map, GridCell cell) {
    const GridRect box = map.Grid().CharacterBox(cell);
    return {box.x + box.width / 2, box.y + box.height / 2};
}

GridCell CellOfCode(int code) { return {(code - 32) % 16, (code - 32) / 16}; }

LogFont FontOfPixels(int pixels) {
    LogFont font = StartupDisplayFont();
    font.height = -pixels;
    return font;
}

}  // namespace

// Each input of the map with the selection it leaves, the codes it sends and whether the
// map stays open. Every case starts from a freshly opened map (the space, not highlighted).
TEST(CharMapWindow, KeysAndClicksSendTheSelectedCode) {
    struct Input {
        enum { Key, Left, Right, Margin } kind;
        int keyOrCode;
    };
    struct Case {
        const char* name;
        std::vector<Input> inputs;
        std::vector<int> sent;
        int selectedCode;
        bool open, highlighted;
    } const cases[] = {
        {"space at once", {{Input::Key, Qt::Key_Space}}, {32}, 32, true, true},
        {"left wraps to 127",
         {{Input::Key, Qt::Key_Down},
          {Input::Key, Qt::Key_Down},
          {Input::Key, Qt::Key_Down},
          {Input::Key, Qt::Key_Down},
          {Input::Key, Qt::Key_Down},
          {Input::Key, Qt::Key_Left},
          {Input::Key, Qt::Key_Space}},
         {127},
         127,
         true,
         true},
        {"up wraps to row 13",
         {{Input::Key, Qt::Key_Up}, {Input::Key, Qt::Key_Return}},
         {240},
         240,
         false,
         true},
        {"right, right, enter",
         {{Input::Key, Qt::Key_Right}, {Input::Key, Qt::Key_Right}, {Input::Key, Qt::Key_Enter}},
         {34},
         34,
         false,
         true},
        {"other keys do nothing", {{Input::Key, Qt::Key_A}}, {}, 32, true, true},
        {"left click", {{Input::Left, 'A'}}, {65}, 65, true, true},
        {"two left clicks",
         {{Input::Left, 0x81}, {Input::Left, 255}},
         {0x81, 255},
         255,
         true,
         true},
        {"right click", {{Input::Right, 'A'}}, {65}, 65, false, false},
        {"margin", {{Input::Margin, 0}}, {}, 32, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingDialog owner;
        owner.show();
        owner.CharacterMapCommand();
        charmapwindow* map = owner.CharacterMap();
        ASSERT_TRUE(map->IsOpen());
        EXPECT_FALSE(map->Highlighted());
        for (const Input& in : c.inputs) {
            switch (in.kind) {
                case Input::Key:
                    QTest::keyClick(map->Canvas(), static_cast<Qt::Key>(in.keyOrCode));
                    break;
                case Input::Left:
                case Input::Right:
                    QTest::mousePress(map->Canvas(),
                                      in.kind == Input::Left ? Qt::LeftButton : Qt::RightButton, {},
                                      CentreOf(*map, CellOfCode(in.keyOrCode)));
                    break;
                case Input::Margin:
                    QTest::mousePress(
                        map->Canvas(), Qt::LeftButton, {},
                        QPoint(map->Grid().ClientWidth() - 1, map->Grid().ClientHeight() - 1));
                    break;
            }
        }
        EXPECT_EQ(owner.sent, c.sent);
        EXPECT_EQ(map->Grid().SelectedCode(), c.selectedCode);
        EXPECT_EQ(map->IsOpen(), c.open);
        if (c.open) EXPECT_EQ(map->Highlighted(), c.highlighted);
        // The screen reader's name of the grid is the character about to be sent.
        EXPECT_EQ(map->Canvas()->accessibleName(), charmapwindow::SpokenName(c.selectedCode));
    }
}

// The command opens and closes the map; it reopens at the space; it closes with its owner.
TEST(CharMapWindow, CommandTogglesAndOwnerClosesTheMap) {
    RecordingDialog owner;
    owner.show();
    QAction* command = owner.Menu()->Action(kCmCharacterMap);
    ASSERT_NE(command, nullptr);
    EXPECT_TRUE(command->isEnabled());
    charmapwindow* map = owner.CharacterMap();
    EXPECT_FALSE(map->IsOpen());
    command->trigger();
    EXPECT_TRUE(map->IsOpen());
    QTest::keyClick(map->Canvas(), Qt::Key_Down);
    QTest::keyClick(map->Canvas(), Qt::Key_Right);
    EXPECT_EQ(map->Grid().SelectedCode(), 49);
    command->trigger();
    EXPECT_FALSE(map->IsOpen());
    command->trigger();
    EXPECT_TRUE(map->IsOpen());
    EXPECT_EQ(map->Grid().SelectedCode(), 32);
    EXPECT_FALSE(map->Highlighted());

    QTest::keyClick(map->Canvas(), Qt::Key_Up);
    owner.EndDialog(kIdOk);
    EXPECT_FALSE(map->IsOpen());
    owner.show();
    command->trigger();
    EXPECT_EQ(map->Grid().SelectedCode(), 32);
    // Escape closes it too.
    QTest::keyClick(map->Canvas(), Qt::Key_Escape);
    EXPECT_FALSE(map->IsOpen());
    EXPECT_TRUE(owner.isVisible());
}

// The cells hold the widest character of the font, and the window holds the cells exactly.
TEST(CharMapWindow, WindowSizeFollowsTheFont) {
    int previousWidth = 0;
    int previousHeight = 0;
    for (int pixels : {8, 13, 32}) {
        SCOPED_TRACE(pixels);
        RecordingDialog owner(FontOfPixels(pixels));
        owner.show();
        owner.CharacterMapCommand();
        charmapwindow* map = owner.CharacterMap();
        const CharMapGrid& grid = map->Grid();
        EXPECT_EQ(map->size(), QSize(grid.ClientWidth(), grid.ClientHeight()));
        EXPECT_EQ(map->Canvas()->geometry(), map->rect());
        const QFontMetrics metrics(map->CellFont());
        EXPECT_EQ(grid.CellHeight(), metrics.height());
        for (int code = 32; code <= 255; ++code) {
            EXPECT_LE(metrics.horizontalAdvance(charmapwindow::CellText(code)), grid.CellWidth())
                << code;
        }
        EXPECT_LE(metrics.horizontalAdvance(QChar(u'W')) + 0, grid.CellWidth());
        EXPECT_GT(map->width(), previousWidth);
        EXPECT_GT(map->height(), previousHeight);
        previousWidth = map->width();
        previousHeight = map->height();
    }
}

// Every code the map sends reaches a text box as that byte, DEL and the five unassigned
// bytes included, at the caret of the control that had the focus when the map opened.
TEST(CharMapWindow, EveryCodeReachesTheBoxFocusedAtOpening) {
    RecordingDialog owner;
    owner.show();
    TextBox* answer = owner.Edit(kAnswerBox);
    answer->setFocus();
    owner.CharacterMapCommand();
    charmapwindow* map = owner.CharacterMap();
    // The focus moves on; the characters still go to the answer box.
    owner.Edit(kQuestionBox)->setFocus();
    std::string expected;
    for (int code = 32; code <= 255; ++code) {
        QTest::mousePress(map->Canvas(), Qt::LeftButton, {}, CentreOf(*map, CellOfCode(code)));
        expected.push_back(static_cast<char>(code));
    }
    EXPECT_EQ(answer->Bytes(), expected);
    EXPECT_TRUE(owner.Edit(kQuestionBox)->Bytes().empty());
    ASSERT_EQ(owner.sent.size(), 224u);

    // Opened while another control has the focus, the map's characters go nowhere.
    map->CloseMap();
    owner.Button(kIdOk)->setFocus();
    owner.CharacterMapCommand();
    EXPECT_EQ(owner.FocusAtMapOpen(), owner.Button(kIdOk));
    QTest::keyClick(map->Canvas(), Qt::Key_Space);
    EXPECT_EQ(answer->Bytes(), expected);
    EXPECT_EQ(owner.sent.size(), 225u);
}

// Opened by keyboard the map takes the focus, and gives it back when it closes.
TEST(CharMapWindow, KeyboardFocusGoesToTheMapAndBack) {
    RecordingDialog owner;
    owner.show();
    owner.activateWindow();
    TextBox* answer = owner.Edit(kAnswerBox);
    answer->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    QTest::keyClick(&owner, Qt::Key_M, Qt::AltModifier);
    charmapwindow* map = owner.CharacterMap();
    ASSERT_TRUE(map->IsOpen());
    // Activation arrives from the window system a little later.
    EXPECT_TRUE(QTest::qWaitFor([map] { return map->Canvas()->hasFocus(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(map->IsOpen());
    EXPECT_TRUE(QTest::qWaitFor([answer] { return QApplication::focusWidget() == answer; }));
    EXPECT_EQ(answer->Bytes(), "!");
}

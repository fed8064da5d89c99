// The dialogs and the Character Map measured against their contents and the screen, at
// the default display font and at 24 points; CTest runs this once more at a scale of 2
// on a 1280 x 1024 screen (QT_SCALE_FACTOR, the offscreen platform's screen file).
#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include "editor/advanced_dialog.h"
#include "editor/charmap_window.h"
#include "editor/edit_dialog.h"
#include "fakes/fake_platform.h"
#include "framework/text_box.h"
#include "quiz/question_dialog.h"

namespace {

// What of a control must stay uncovered: a label's text as it wraps, else the control.
QRect Shown(const QWidget* w) {
    const auto* label = qobject_cast<const QLabel*>(w);
    return label ? QRect(w->pos(), QSize(w->width(), label->heightForWidth(w->width())))
                 : w->geometry();
}

// Each visible control lies inside the dialog on the screen, shows its text whole and
// covers no other (group frames enclose controls: they do not count).
void ExpectWholeLayout(const QDialog* dialog) {
    const std::string title = dialog->windowTitle().toStdString();
    EXPECT_TRUE(dialog->screen()->availableGeometry().contains(dialog->frameGeometry())) << title;
    std::vector<const QWidget*> seen;
    for (const QWidget* w : dialog->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (w->isWindow() || !w->isVisible() || w->inherits("QMenuBar")) continue;
        const std::string name = title + ": " + w->property("text").toString().toStdString();
        EXPECT_TRUE(dialog->rect().contains(w->geometry())) << name;
        EXPECT_LE(Shown(w).height(), w->height()) << name;
        if (const auto* push = qobject_cast<const QPushButton*>(w)) {
            QStyleOptionButton option;
            option.initFrom(push);
            EXPECT_LE(w->fontMetrics().horizontalAdvance(push->text().remove(u'&')) +
                          (push->icon().isNull() ? 0 : push->iconSize().width() + 4),
                      w->style()->subElementRect(QStyle::SE_PushButtonContents, &option, w).width())
                << name;
        } else if (w->inherits("QAbstractButton")) {
            EXPECT_LE(w->sizeHint().width(), w->width()) << name;
        }
        for (const QWidget* other : seen) {
            EXPECT_FALSE(Shown(w).intersects(Shown(other)))
                << name << " overlaps " << other->property("text").toString().toStdString();
        }
        if (!w->inherits("ShadedFrame")) seen.push_back(w);
    }
}

// The box shows `lines` lines whole, from its top.
bool ShowsLines(TextBox* box, int lines) {
    box->setPlainText(QStringLiteral("Line\n").repeated(lines - 1) + QStringLiteral("Line"));
    box->verticalScrollBar()->setValue(0);
    QTextCursor end(box->document());
    end.movePosition(QTextCursor::End);
    return box->cursorRect(end).bottom() < box->viewport()->height();
}

LogFont DisplayFont(int points) {
    LogFont font = StartupDisplayFont();
    if (points > 0) font.height = -(points * 96 / 72);
    return font;
}

}  // namespace

// The display-font boxes of the question dialog and the editor show the lines they promise
// (up to 24 points), the controls below move down, and the dialogs stay whole on the
// screen; the Advanced dialog keeps the dialog font. The map opens whole on the screen: its
// cells shrink, down to 12 pixels, before the grid scrolls, and keys reach the last cell.
TEST(DialogSizes, DialogsAndMapGrowWithTheDisplayFontWithinTheScreen) {
    FakePlatform platform;
    EditBuffer buffer;
    for (const int points : {0, 24, 72}) {
        SCOPED_TRACE(points);
        const LogFont font = DisplayFont(points);
        testdial question({kQuestionWithHint, "Capital?", {}, {}}, nullptr, font, platform);
        editdialog editor(nullptr, kDialogQuestionEditor, 1, true, font, buffer, platform);
        advancedialog advanced(buffer, nullptr);
        for (QDialog* dialog : std::initializer_list<QDialog*>{&question, &editor, &advanced}) {
            dialog->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
            ExpectWholeLayout(dialog);
        }
        EXPECT_EQ(advanced.Edit(kAdvHint)->font(), advanced.font());
        EXPECT_TRUE(points > 24 ||
                    (ShowsLines(question.QuestionBox(), 3) && ShowsLines(question.AnswerBox(), 1) &&
                     ShowsLines(editor.Edit(kEdQuestionBox), 3) &&
                     ShowsLines(editor.Edit(kEdAnswerBox), 2)));

        editor.Edit(kEdQuestionBox)->clear();
        editor.Edit(kEdQuestionBox)->setFocus();
        editor.CharacterMapCommand();
        charmapwindow* map = editor.CharacterMap();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(map));
        EXPECT_TRUE(map->screen()->availableGeometry().contains(map->frameGeometry()));
        const CharMapGrid& grid = map->Grid();
        const QFontMetrics metrics(map->CellFont());
        EXPECT_LE(metrics.height(), grid.CellHeight());
        for (int code = 32; code <= 255; ++code) {
            EXPECT_LE(metrics.horizontalAdvance(charmapwindow::CellText(code)), grid.CellWidth());
        }
        EXPECT_TRUE(map->Canvas()->size() == map->size() ||
                    std::min(grid.CellWidth(), grid.CellHeight()) <= kMinCellPixels);
        for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Space}) {
            QTest::keyClick(map->Canvas(), key);
        }
        const GridRect last = grid.FrameRect(grid.Selected());
        EXPECT_TRUE(map->Canvas()->visibleRegion().boundingRect().contains(
            QRect(last.x, last.y, last.width, last.height)));
        EXPECT_EQ(editor.Edit(kEdQuestionBox)->Bytes(), "\xff");
    }
}

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

// What of a control must not be covered: a label's text as it wraps, else the control.
QRect Shown(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        return {w->pos(), QSize(w->width(), label->heightForWidth(w->width()))};
    }
    return w->geometry();
}

// Every visible control lies inside the dialog, shows its text whole, and covers no
// other; group frames enclose controls, so only their titles count.
std::vector<std::string> LayoutFaults(const QWidget* dialog) {
    std::vector<std::string> faults;
    std::vector<const QWidget*> controls;
    for (const QWidget* w : dialog->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (w->isWindow() || !w->isVisible() || qobject_cast<const QMenuBar*>(w)) continue;
        const std::string name = (w->metaObject()->className() + std::string(" ")) +
                                 w->property("text").toString().toStdString();
        if (!dialog->rect().contains(w->geometry())) faults.push_back(name + " outside");
        if (const auto* button = qobject_cast<const QPushButton*>(w)) {
            // The face's text and picture within the contents the style leaves inside.
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect inside =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            const int needed =
                button->fontMetrics().horizontalAdvance(QString(button->text()).remove(u'&')) +
                (button->icon().isNull() ? 0 : button->iconSize().width() + 4);
            if (needed > inside.width() || button->fontMetrics().height() > inside.height()) {
                faults.push_back(name + " clipped");
            }
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            if (button->sizeHint().width() > w->width() ||
                button->fontMetrics().height() > w->height()) {
                faults.push_back(name + " clipped");
            }
        }
        if (const auto* label = qobject_cast<const QLabel*>(w)) {
            if (label->heightForWidth(w->width()) > w->height())
                faults.push_back(name + " clipped");
        }
        if (!w->inherits("ShadedFrame")) controls.push_back(w);
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            if (Shown(controls[i]).intersects(Shown(controls[j]))) {
                const auto describe = [](const QWidget* w) {
                    const QRect r = Shown(w);
                    return w->property("text").toString().toStdString() + " at " +
                           std::to_string(r.x()) + "," + std::to_string(r.y()) + " " +
                           std::to_string(r.width()) + "x" + std::to_string(r.height());
                };
                faults.push_back(describe(controls[i]) + " overlaps " + describe(controls[j]));
            }
        }
    }
    return faults;
}

// The box shows `lines` lines of text whole, from its top.
bool ShowsLines(TextBox* box, int lines) {
    QStringList text;
    for (int i = 1; i <= lines; ++i) text << QStringLiteral("Line %1").arg(i);
    box->setPlainText(text.join(u'\n'));
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

bool OnScreen(const QWidget* window) {
    return window->screen()->availableGeometry().contains(window->frameGeometry());
}

}  // namespace

// Question dialog and editor: the display-font boxes show the lines they promise, the
// controls below move down rather than being covered, and the dialog stays on the screen;
// the Advanced dialog keeps the dialog font. A question that does not fit scrolls by
// wheel and by keyboard.
TEST(DialogSizes, BoxesGrowWithTheDisplayFontWithinTheScreen) {
    FakePlatform platform;
    EditBuffer buffer;
    for (const int points : {0, 24}) {
        SCOPED_TRACE(points ? "24 points" : "default font");
        const LogFont font = DisplayFont(points);
        QuestionPrompt prompt{kQuestionWithHint, std::string(2000, 'w'), "hint"};
        for (std::size_t i = 5; i < prompt.question.size(); i += 6) prompt.question[i] = ' ';
        testdial question(prompt, nullptr, font, platform);
        editdialog editor(nullptr, kDialogQuestionEditor, 1, true, font, buffer, platform);
        advancedialog advanced(buffer, nullptr);
        struct Box {
            TemplateDialog* dialog;
            int id, lines;
        } const boxes[] = {{&question, kIdQuestionBox, 3},
                           {&question, kIdAnswerBox, 1},
                           {&editor, kEdQuestionBox, 3},
                           {&editor, kEdAnswerBox, 2}};
        for (TemplateDialog* dialog :
             {static_cast<TemplateDialog*>(&question), static_cast<TemplateDialog*>(&editor),
              static_cast<TemplateDialog*>(&advanced)}) {
            dialog->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
            EXPECT_TRUE(OnScreen(dialog)) << dialog->windowTitle().toStdString();
            for (const std::string& fault : LayoutFaults(dialog)) {
                ADD_FAILURE() << dialog->windowTitle().toStdString() << ": " << fault;
            }
        }
        EXPECT_EQ(advanced.Edit(kAdvHint)->font(), advanced.font());

        // The long question scrolls by wheel and, once Tab reaches it, by keyboard.
        TextBox* asked = question.QuestionBox();
        QScrollBar* bar = asked->verticalScrollBar();
        ASSERT_GT(bar->maximum(), 0);
        QWheelEvent wheel(QPointF(5, 5), asked->viewport()->mapToGlobal(QPointF(5, 5)), {},
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(asked->viewport(), &wheel);
        EXPECT_GT(bar->value(), 0);
        bar->setValue(0);
        question.activateWindow();
        question.AnswerBox()->setFocus();
        QTest::keyClick(question.AnswerBox(), Qt::Key_Tab);
        ASSERT_EQ(question.focusWidget(), asked);
        QTest::keyClick(asked, Qt::Key_PageDown);
        EXPECT_GT(bar->value(), 0);

        for (const Box& box : boxes) {
            EXPECT_TRUE(ShowsLines(box.dialog->Edit(box.id), box.lines))
                << box.dialog->windowTitle().toStdString() << " box " << box.id;
        }
    }
}

// The map is never larger than the screen's room and opens whole on it; its cells shrink
// down to 12 pixels before the grid scrolls, and the keys bring the last row into sight.
TEST(DialogSizes, CharacterMapFitsTheScreen) {
    FakePlatform platform;
    EditBuffer buffer;
    for (const int points : {0, 24, 72}) {
        SCOPED_TRACE(points);
        editdialog editor(nullptr, kDialogQuestionEditor, 1, true, DisplayFont(points), buffer,
                          platform);
        editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
        editor.Edit(kEdQuestionBox)->setFocus();
        editor.CharacterMapCommand();
        charmapwindow* map = editor.CharacterMap();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(map));
        EXPECT_TRUE(OnScreen(map));
        const CharMapGrid& grid = map->Grid();
        const QFontMetrics metrics(map->CellFont());
        EXPECT_LE(metrics.height(), grid.CellHeight());
        for (int code = 32; code <= 255; ++code) {
            EXPECT_LE(metrics.horizontalAdvance(charmapwindow::CellText(code)), grid.CellWidth());
        }
        const bool scrolls = map->Canvas()->size() != map->size();
        EXPECT_TRUE(!scrolls || std::min(grid.CellWidth(), grid.CellHeight()) <= kMinCellPixels);
        for (int down = 0; down < 13; ++down) QTest::keyClick(map->Canvas(), Qt::Key_Down);
        QTest::keyClick(map->Canvas(), Qt::Key_Left);
        const GridRect last = grid.FrameRect(grid.Selected());
        const QRect seen = map->Canvas()->visibleRegion().boundingRect();
        EXPECT_TRUE(seen.contains(QRect(last.x, last.y, last.width, last.height)))
            << "selected cell not in sight";
        QTest::keyClick(map->Canvas(), Qt::Key_Space);
        EXPECT_EQ(editor.Edit(kEdQuestionBox)->Bytes(), "\xff");
    }
}

#include "quiz/question_dialog.h"

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include "editor/charmap_window.h"
#include "fakes/when_modal.h"
#include "framework/font_mapping.h"
#include "framework/qt_platform.h"
#include "framework/text_box.h"

namespace {

QuestionPrompt Prompt(bool hint = true, std::string question = "Capital of France?") {
    return {hint ? kQuestionWithHint : kQuestionNoHint, std::move(question), "On the <b>Seine</b>"};
}

struct SeenBox {
    QString title, text;
    bool owned = false;
    Qt::TextFormat format = Qt::AutoText;
};
// Notes what the next message box shows, then ends it with `key`.
void AnswerBox(SeenBox& seen, Qt::Key key = Qt::Key_Return) {
    WhenModal<QMessageBox>([&seen, key](QMessageBox* box) {
        seen = {box->windowTitle(), box->text(), box->parentWidget() != nullptr, box->textFormat()};
        QTest::keyClick(box, key);
    });
}

}  // namespace

// By keys alone: the focus starts in the answer box, Enter presses OK, Escape cancels and
// the wrong-answer box still comes, without an owner; a confirmed right answer gets a box
// owned by the main window.
TEST(QuestionDialog, KeysEndTheDialogAndTheResponseFollows) {
    struct Case {
        QString keys;
        Qt::Key end;
        bool confirm;
        AskOutcome outcome;
        QString title;
        bool owned;
    } const cases[] = {
        {"Paris", Qt::Key_Return, false, {true, true}, "", false},
        {"Paris", Qt::Key_Enter, true, {true, true}, "Correct Answer", true},
        {"Paris", Qt::Key_Escape, false, {false, false}, "Incorrect Answer", false},
        {"Lyon", Qt::Key_Return, false, {false, true}, "Incorrect Answer", false},
    };
    for (const Case& c : cases) {
        QMainWindow window;
        window.show();
        QtPlatform platform;
        platform.SetMainWindow(&window);
        QtQuestionScreen screen(&window, platform, StartupDisplayFont);
        DialogQuestionAsker asker(screen, platform, [] { return false; });
        Zentu_Data question;
        question.question = "Capital of France?";
        question.answer = "Paris";
        question.confirmCorrect = c.confirm;
        SeenBox seen;
        WhenModal<testdial>([&c, &seen](testdial* dialog) {
            EXPECT_EQ(dialog->focusWidget(), dialog->AnswerBox());
            QTest::keyClicks(dialog->focusWidget(), c.keys);
            if (!c.title.isEmpty()) AnswerBox(seen, c.confirm ? Qt::Key_Escape : Qt::Key_Return);
            QTest::keyClick(dialog->focusWidget(), c.end);
        });
        const AskOutcome outcome = asker.AskQuestion(question);
        SCOPED_TRACE(c.keys.toStdString() + " " + std::to_string(c.end));
        EXPECT_EQ(outcome.correct, c.outcome.correct);
        EXPECT_EQ(outcome.proceed, c.outcome.proceed);
        EXPECT_EQ(seen.title, c.title);
        EXPECT_EQ(seen.owned, c.owned);
    }
}

// The hint box is owned by the dialog and shows the hint as plain text; the typed text
// stays, however often it is asked for. Without a hint the button is hidden.
TEST(QuestionDialog, HintKeepsTheTypedText) {
    QtPlatform platform;
    testdial dialog(Prompt(), nullptr, StartupDisplayFont(), platform);
    dialog.setWindowModality(Qt::ApplicationModal);  // as exec() makes it
    dialog.show();
    QTest::keyClicks(dialog.AnswerBox(), "Par");
    // Alt with a letter that no control takes as its mnemonic types nothing.
    QTest::keyClick(dialog.AnswerBox(), Qt::Key_H, Qt::AltModifier);
    for (int i = 0; i < 2; ++i) {
        SeenBox seen;
        AnswerBox(seen);
        dialog.Button(kIdHintButton)->click();
        EXPECT_EQ(seen.title, "Hint");
        EXPECT_EQ(seen.text, "On the <b>Seine</b>");
        EXPECT_EQ(seen.format, Qt::PlainText);
        EXPECT_TRUE(seen.owned);
        EXPECT_EQ(dialog.Typed(), "Par");
    }
    EXPECT_TRUE(testdial(Prompt(false), nullptr, {}, platform).Button(kIdHintButton)->isHidden());
}

// 1023 bytes at most, whether typed, pasted or sent by the map; the map's character takes
// the place of a selection.
TEST(QuestionDialog, AnswerLimitUnderTypingPastingAndTheMap) {
    QtPlatform platform;
    testdial dialog(Prompt(), nullptr, StartupDisplayFont(), platform);
    dialog.show();
    TextBox* answer = dialog.AnswerBox();
    answer->setFocus();
    const std::string full(1020, 'a');
    answer->SetBytes(full);
    answer->moveCursor(QTextCursor::End);
    QTest::keyClicks(answer, "bcde");
    EXPECT_EQ(answer->Bytes(), full + "bcd");
    answer->SetBytes(full);
    answer->moveCursor(QTextCursor::End);
    QGuiApplication::clipboard()->setText(QStringLiteral("xyzw"));
    answer->paste();
    EXPECT_EQ(answer->Bytes(), full + "xyz");
    dialog.CharacterMapCommand();
    QTest::keyClick(dialog.CharacterMap()->Canvas(), Qt::Key_Space);
    EXPECT_EQ(answer->Bytes(), full + "xyz");
    answer->moveCursor(QTextCursor::Left, QTextCursor::KeepAnchor);
    dialog.InsertChar(0xE9);
    EXPECT_EQ(answer->Bytes(), full + "xy\xE9");
}

// The map types at the caret of the answer box, in place of its selection, when the answer
// box had the focus as the map opened; otherwise, and never into the question, nothing.
TEST(QuestionDialog, MapTypesIntoTheAnswerBoxOnly) {
    struct Case {
        int focusAtOpen, selectFrom, selectTo;
        std::string after;
    } const cases[] = {
        {kIdAnswerBox, 1, 3, "aXd"}, {kIdAnswerBox, 4, 4, "abcdX"},  {kIdAnswerBox, 0, 0, "Xabcd"},
        {kIdOk, 1, 3, "abcd"},       {kIdQuestionBox, 1, 3, "abcd"},
    };
    for (const Case& c : cases) {
        QtPlatform platform;
        testdial dialog(Prompt(), nullptr, StartupDisplayFont(), platform);
        dialog.show();
        TextBox* answer = dialog.AnswerBox();
        answer->SetBytes("abcd");
        QTextCursor cursor = answer->textCursor();
        cursor.setPosition(c.selectFrom);
        cursor.setPosition(c.selectTo, QTextCursor::KeepAnchor);
        answer->setTextCursor(cursor);
        dialog.Control(c.focusAtOpen)->setFocus();
        dialog.CharacterMapCommand();
        dialog.InsertChar('X');
        EXPECT_EQ(answer->Bytes(), c.after) << c.focusAtOpen;
        EXPECT_EQ(dialog.QuestionBox()->Bytes(), "Capital of France?");
    }
}

// The display font on the two boxes only; a question longer than any typed text is shown
// whole, scrolls, and is reached by Tab; the boxes carry names for screen readers.
TEST(QuestionDialog, BoxesShowTheQuestionInTheDisplayFont) {
    QtPlatform platform;
    LogFont big = StartupDisplayFont();
    big.height = -24;
    std::string longQuestion;
    for (int i = 0; i < 200; ++i) longQuestion += "Line " + std::to_string(i) + "\r\n";
    testdial dialog(Prompt(true, longQuestion), nullptr, big, platform);
    dialog.show();
    EXPECT_EQ(dialog.QuestionBox()->font(), FontFromLogFont(big));
    EXPECT_EQ(dialog.AnswerBox()->font(), FontFromLogFont(big));
    EXPECT_NE(dialog.Button(kIdOk)->font(), FontFromLogFont(big));
    EXPECT_EQ(dialog.QuestionBox()->Bytes(), longQuestion);
    EXPECT_GT(dialog.QuestionBox()->verticalScrollBar()->maximum(), 0);
    dialog.AnswerBox()->setFocus();
    QTest::keyClick(dialog.AnswerBox(), Qt::Key_Tab);
    EXPECT_EQ(dialog.focusWidget(), dialog.QuestionBox());
    EXPECT_EQ(dialog.QuestionBox()->accessibleName(), "Question");
    EXPECT_EQ(dialog.AnswerBox()->accessibleName(), "Answer");
    testdial shortOne(Prompt(), nullptr, big, platform);
    shortOne.show();
    EXPECT_EQ(shortOne.QuestionBox()->focusPolicy(), Qt::ClickFocus);
}

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
    return {hint ? kQuestionWithHint : kQuestionNoHint, std::move(question), "On the <b>Seine</b>",
            ""};
}

// The dialog as the user meets it: modal as exec() makes it, the answer box focused.
struct Shown {
    QtPlatform platform;
    testdial dialog;
    TextBox* answer;
    explicit Shown(const QuestionPrompt& prompt = Prompt(),
                   const LogFont& font = StartupDisplayFont())
        : dialog(prompt, nullptr, font, platform), answer(dialog.AnswerBox()) {
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
        answer->setFocus();
    }
};

}  // namespace

// The hint box is the dialog's own and shows the hint as plain text; Alt+H opens it from the
// answer box. Once it closes, the typing goes on in the answer box, also when the Hint
// button had the focus.
TEST(QuestionDialog, HintKeepsTheTypedTextAndGivesTheTypingBack) {
    Shown shown;
    shown.dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shown.dialog));
    QTest::keyClicks(shown.answer, "Par");
    std::vector<std::string> seen;
    const auto answerTheHint = [&seen, &shown] {
        WhenModal<QMessageBox>([&seen, &shown](QMessageBox* box) {
            seen.push_back(box->text().toStdString() +
                           (box->textFormat() == Qt::PlainText ? " plain" : " rich") +
                           (box->parentWidget() == &shown.dialog ? " owned" : " unowned"));
            QTest::keyClick(box, Qt::Key_Return);
        });
    };
    answerTheHint();
    QTest::keyClick(shown.answer, Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&seen] { return seen.size() == 1; }));  // a mnemonic clicks late
    QAbstractButton* hint = shown.dialog.Button(kIdHintButton);
    hint->setFocus();  // as Tab leaves it
    answerTheHint();
    QTest::keyClick(hint, Qt::Key_Space);
    QTest::keyClicks(shown.dialog.focusWidget(), "is");
    EXPECT_EQ(seen, std::vector<std::string>(2, "On the <b>Seine</b> plain owned"));
    EXPECT_EQ(shown.dialog.Typed(), "Paris");
    EXPECT_TRUE(Shown(Prompt(false)).dialog.Button(kIdHintButton)->isHidden());
}

// 1023 bytes at most, whether typed, pasted or sent by the map; the map's character takes
// the place of a selection even then. Every code the map sends arrives as that byte.
TEST(QuestionDialog, AnswerLimitUnderTypingPastingAndTheMap) {
    Shown shown;
    shown.dialog.CharacterMapCommand();
    std::string codes;
    for (int code = 32; code <= 255; ++code) {
        shown.dialog.InsertChar(static_cast<unsigned char>(code));
        codes.push_back(static_cast<char>(code));
    }
    EXPECT_EQ(shown.dialog.Typed(), codes);
    const std::string full(1020, 'a');
    shown.answer->SetBytes(full);
    shown.answer->moveCursor(QTextCursor::End);
    QTest::keyClicks(shown.answer, "bcde");
    EXPECT_EQ(shown.answer->Bytes(), full + "bcd");
    shown.answer->moveCursor(QTextCursor::Left, QTextCursor::KeepAnchor);
    QGuiApplication::clipboard()->setText(QStringLiteral("xyz"));
    shown.answer->paste();
    EXPECT_EQ(shown.answer->Bytes(), full + "bcx");
    shown.dialog.InsertChar(0xE9);
    EXPECT_EQ(shown.answer->Bytes(), full + "bcx");
    shown.answer->moveCursor(QTextCursor::Left, QTextCursor::KeepAnchor);
    QTest::keyClick(shown.dialog.CharacterMap()->Canvas(), Qt::Key_Space);
    EXPECT_EQ(shown.answer->Bytes(), full + "bc ");
}

// The map types at the answer box's caret, in place of its selection, when the answer box
// had the focus as the map opened, wherever the focus is now; otherwise nowhere.
TEST(QuestionDialog, MapTypesIntoTheAnswerBoxOnly) {
    const std::pair<int, std::string> cases[] = {
        {kIdAnswerBox, "aXd"}, {kIdOk, "abcd"}, {kIdQuestionBox, "abcd"}};
    for (const auto& [focusAtOpen, after] : cases) {
        Shown shown;
        shown.answer->SetBytes("abcd");
        QTextCursor cursor = shown.answer->textCursor();
        cursor.setPosition(1);
        cursor.setPosition(3, QTextCursor::KeepAnchor);
        shown.answer->setTextCursor(cursor);
        shown.dialog.Control(focusAtOpen)->setFocus();
        shown.dialog.CharacterMapCommand();
        shown.dialog.Button(kIdOk)->setFocus();
        shown.dialog.InsertChar('X');
        EXPECT_EQ(shown.answer->Bytes(), after) << focusAtOpen;
        EXPECT_EQ(shown.dialog.QuestionBox()->Bytes(), "Capital of France?");
    }
}

// The display font on the two boxes only; a question longer than any typed text is shown
// whole, scrolls and is reached by Tab; the boxes carry names for screen readers.
TEST(QuestionDialog, LongQuestionInTheDisplayFont) {
    LogFont big = StartupDisplayFont();
    big.height = -24;
    std::string longQuestion;
    for (int i = 0; i < 200; ++i) longQuestion += "Line " + std::to_string(i) + "\r\n";
    Shown shown(Prompt(true, longQuestion), big);
    TextBox* question = shown.dialog.QuestionBox();
    EXPECT_EQ(question->font(), FontFromLogFont(big));
    EXPECT_EQ(shown.answer->font(), FontFromLogFont(big));
    EXPECT_NE(shown.dialog.Button(kIdOk)->font(), FontFromLogFont(big));
    EXPECT_EQ(question->Bytes(), longQuestion);
    EXPECT_GT(question->verticalScrollBar()->maximum(), 0);
    QTest::keyClick(shown.answer, Qt::Key_Tab);
    EXPECT_EQ(shown.dialog.focusWidget(), question);
    EXPECT_EQ(question->accessibleName() + "/" + shown.answer->accessibleName(), "Question/Answer");
}

#include "quiz/question_dialog.h"

#include <QAbstractButton>
#include <QScrollBar>
#include <QShowEvent>

#include "framework/codepage.h"
#include "framework/text_box.h"
#include "res/dialogs.h"
#include "res/string_table.h"

testdial::testdial(const QuestionPrompt& prompt, QWidget* owner, const LogFont& displayFont,
                   Platform& platform)
    : STDialog(*FindDialog(prompt.resourceId), owner, displayFont),
      platform(platform),
      hint(prompt.hint) {
    Commands().Bind(kIdHintButton, [this] { ShowHint(); });

    TextBox* question = QuestionBox();
    TextBox* answer = AnswerBox();
    answer->SetBytes({});
    // A question from a file may pass the 1023 characters the editor allows; it is shown
    // whole and scrolls.
    question->SetBytes(prompt.question);
    question->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    question->SetDisplayFont(displayFont);
    answer->SetDisplayFont(displayFont);
    // A large display font would cut the question after a line or two.
    GrowBoxesToFont({{kIdQuestionBox, 3}, {kIdAnswerBox, 1}});

    if (QAbstractButton* button = Button(kIdHintButton)) {
        button->setAccessibleDescription(QStringLiteral("Shows the hint"));
    }
    if (!prompt.caption.empty()) setWindowTitle(TextToQString(prompt.caption));
    answer->setFocus();
}

TextBox* testdial::QuestionBox() const { return Edit(kIdQuestionBox); }

TextBox* testdial::AnswerBox() const { return Edit(kIdAnswerBox); }

std::string testdial::Typed() const { return AnswerBox()->Bytes(); }

void testdial::InsertChar(unsigned char c) {
    if (FocusAtMapOpen() != nullptr && FocusAtMapOpen() == AnswerBox()) {
        AnswerBox()->InsertByte(c);
    }
}

void testdial::ShowHint() {
    platform.ShowMessage(MessageOwner::Window, hint, LoadString(kStrHintCaption),
                         MessageButtons::Ok, MessageIcon::Information);
    update();
    // Back to typing: left on the Hint button, the next letters would be lost and Enter
    // would show the hint again.
    AnswerBox()->setFocus();
}

void testdial::showEvent(QShowEvent* event) {
    STDialog::showEvent(event);
    // A question too long for its box can be reached with Tab, so the keyboard scrolls
    // it too; a short one stays out of the way as the layout has it.
    TextBox* question = QuestionBox();
    if (question->verticalScrollBar()->maximum() > 0) {
        question->setFocusPolicy(Qt::StrongFocus);
        setTabOrder(AnswerBox(), question);
    }
}

QtQuestionScreen::QtQuestionScreen(QWidget* window, Platform& platform,
                                   std::function<LogFont()> displayFont)
    : mainWindow(window), platform(platform), displayFont(std::move(displayFont)) {}

bool QtQuestionScreen::RunQuestionDialog(const QuestionPrompt& prompt, std::string& typed) {
    testdial dialog(prompt, mainWindow, displayFont(), platform);
    if (dialog.exec() != kIdOk) return false;
    typed = dialog.Typed();
    return true;
}

void QtQuestionScreen::RepaintOwner() {
    if (mainWindow != nullptr) mainWindow->update();
}

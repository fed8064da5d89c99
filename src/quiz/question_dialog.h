// The question dialog of quizzes and tests (`testdial`, resources 1244 and 1245): the
// question box, the answer box (Enter presses OK, Escape cancels), the Hint button and
// the Character Map, which types into the answer box. QtQuestionScreen runs one dialog
// per question for the asking step.
#pragma once

#include <QPointer>
#include <functional>
#include <string>

#include "editor/st_dialog.h"
#include "platform/platform.h"
#include "quiz/ask_question.h"

class TextBox;

constexpr int kIdAnswerBox = 401;
constexpr int kIdQuestionBox = 402;
constexpr int kIdHintButton = 95;

class testdial : public STDialog {
    Q_OBJECT
  public:
    // `platform` shows the hint box, owned by this dialog while it is up.
    testdial(const QuestionPrompt& prompt, QWidget* owner, const LogFont& displayFont,
             Platform& platform);

    // Into the answer box when it had the focus as the map opened, at the caret in place
    // of the selection; the focus stays where it is. Nothing goes anywhere else.
    void InsertChar(unsigned char c) override;

    TextBox* QuestionBox() const;
    TextBox* AnswerBox() const;
    std::string Typed() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ShowHint();

    Platform& platform;
    std::string hint;
};

class QtQuestionScreen : public QuestionScreen {
  public:
    // The dialog is owned by `mainWindow` and shows its questions in `displayFont()`.
    QtQuestionScreen(QWidget* mainWindow, Platform& platform, std::function<LogFont()> displayFont);

    bool RunQuestionDialog(const QuestionPrompt& prompt, std::string& typed) override;
    void RepaintOwner() override;

  private:
    QPointer<QWidget> mainWindow;
    Platform& platform;
    std::function<LogFont()> displayFont;
};

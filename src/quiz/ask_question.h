// The asking step of the runs: swap question and answer under Reverse Q/A, show the
// question dialog, judge what was typed and show the response. The dialog itself comes
// through QuestionScreen, the responses through Platform, so every decision runs
// without a window.
#pragma once

#include <functional>
#include <string>

#include "platform/platform.h"
#include "quiz/question_asker.h"

// Dialog resources of the question dialog: with the Hint button, and with it hidden.
constexpr int kQuestionWithHint = 1244;
constexpr int kQuestionNoHint = 1245;

// What the question dialog shows.
struct QuestionPrompt {
    int resourceId = kQuestionNoHint;
    std::string question;  // the shown question text
    std::string hint;
    std::string caption;  // where the run is; empty: the dialog's own title
};

class QuestionScreen {
  public:
    virtual ~QuestionScreen() = default;
    // Runs the question dialog modally. True when it ended with OK; `typed` then holds
    // the answer box's text.
    virtual bool RunQuestionDialog(const QuestionPrompt& prompt, std::string& typed) = 0;
    // The main window repaints once the dialog has gone.
    virtual void RepaintOwner() = 0;
};

// The copy as the dialog asks it: question and answer swapped when `reversed`, all else
// (the hint and the judging rules) as they were.
Zentu_Data AskedForm(Zentu_Data question, bool reversed);
QuestionPrompt PromptFor(const Zentu_Data& asked);
// "Question 3 of 14", or in a Random Test "Round 2: question 1 of 3"; empty before a run
// has said where it is.
std::string ProgressCaption(const QuizProgress& progress);

class DialogQuestionAsker : public QuestionAsker {
  public:
    // `reversed` and `explain` are asked at every question: Reverse Q/A and Explain Wrong
    // Answers are the main window's settings. Without `explain`, nothing is explained.
    DialogQuestionAsker(QuestionScreen& screen, Platform& platform, std::function<bool()> reversed,
                        std::function<bool()> explain = {});

    void ShowProgress(const QuizProgress& progress) override { this->progress = progress; }
    AskOutcome AskQuestion(Zentu_Data question) override;

  private:
    QuestionScreen& screen;
    Platform& platform;
    std::function<bool()> reversed;
    std::function<bool()> explain;
    QuizProgress progress;
};

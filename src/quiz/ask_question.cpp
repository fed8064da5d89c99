#include "quiz/ask_question.h"

#include <utility>

#include "quiz/answer_checker.h"
#include "quiz/quiz_runs.h"
#include "quiz/wrong_answer_reasons.h"
#include "res/string_table.h"

Zentu_Data AskedForm(Zentu_Data question, bool reversed) {
    if (reversed) std::swap(question.question, question.answer);
    return question;
}

QuestionPrompt PromptFor(const Zentu_Data& asked) {
    return {asked.useHint ? kQuestionWithHint : kQuestionNoHint, asked.question, asked.hint, ""};
}

std::string ProgressCaption(const QuizProgress& progress) {
    if (progress.count == 0) return {};
    if (progress.round == 0) {
        return FormatIntegers(LoadString(kStrProgress), {progress.number, progress.count});
    }
    return FormatIntegers(LoadString(kStrProgressRound),
                          {progress.round, progress.number, progress.count});
}

DialogQuestionAsker::DialogQuestionAsker(QuestionScreen& screen, Platform& platform,
                                         std::function<bool()> reversed,
                                         std::function<bool()> explain)
    : screen(screen),
      platform(platform),
      reversed(std::move(reversed)),
      explain(std::move(explain)) {}

AskOutcome DialogQuestionAsker::AskQuestion(Zentu_Data question) {
    const Zentu_Data asked = AskedForm(std::move(question), reversed && reversed());
    AskOutcome outcome;
    std::string typed;
    // A cancelled question is judged as if nothing had been typed.
    QuestionPrompt prompt = PromptFor(asked);
    prompt.caption = ProgressCaption(progress);
    progress = {};  // said anew before each question, so it is never stale
    outcome.proceed = screen.RunQuestionDialog(prompt, typed);
    if (!outcome.proceed) typed.clear();
    screen.RepaintOwner();

    // Judged against the asked form: under Reverse Q/A, against the stored question text.
    const Tcheckans verdict = CheckAnswer(asked, typed);
    outcome.correct = verdict.correct;
    if (verdict.correct) {
        if (asked.confirmCorrect) {
            // The question's own text is shown as it stands, placeholders and all.
            const std::string text =
                asked.rightResponse.empty() ? LoadString(kStrCorrectText) : asked.rightResponse;
            platform.ShowMessage(MessageOwner::Window, text, LoadString(kStrCorrectCaption),
                                 MessageButtons::OkCancel, MessageIcon::Information);
        }
    } else {
        // The reason goes below the response, in the same box, so it is read with it.
        const std::string reason = explain && explain() ? ExplainWrongAnswer(asked, typed) : "";
        platform.ShowMessage(MessageOwner::None, WrongAnswerBoxText(verdict.response, reason),
                             LoadString(kStrIncorrectCaption), MessageButtons::Ok,
                             MessageIcon::Exclamation);
    }
    return outcome;
}

#include "quiz/ask_question.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>

#include "fakes/fake_platform.h"
#include "res/string_table.h"

namespace {

// The question dialog as a script: the typed text, or nothing for Cancel. The dialog and
// the repaint go into the platform's log, so their order with the boxes shows.
class ScriptedScreen : public QuestionScreen {
  public:
    explicit ScriptedScreen(FakePlatform& platform) : platform(platform) {}
    std::optional<std::string> answer;
    std::vector<QuestionPrompt> shown;

    bool RunQuestionDialog(const QuestionPrompt& prompt, std::string& typed) override {
        platform.calls.push_back("Dialog " + std::to_string(prompt.resourceId));
        shown.push_back(prompt);
        typed = answer.value_or("typed, then cancelled");
        return answer.has_value();
    }
    void RepaintOwner() override { platform.calls.push_back("Repaint"); }

  private:
    FakePlatform& platform;
};

}  // namespace

// A right answer shows an owned OK/Cancel box only when confirmed, with the question's own
// text unfilled; a wrong one shows the checker's text in a box with no owner. Cancel
// judges an empty answer and still responds. Reversed, the answer is asked and the typed
// text is judged against the question.
TEST(AskQuestion, ShowsJudgesAndResponds) {
    enum Variant { Plain, Hinted, Confirmed, OwnRight, OwnWrong };
    struct Case {
        Variant variant;
        bool reversed;
        std::optional<std::string> typed;
        std::string shown;
        bool correct, proceed;
        int caption;  // 0: no box
        std::string text;
    } const cases[] = {
        {Plain, false, "paris", "Capital of France?", true, true, 0, ""},
        {Hinted, false, "Paris", "Capital of France?", true, true, 0, ""},
        {Confirmed, false, "Paris", "Capital of France?", true, true, kStrCorrectCaption,
         LoadString(kStrCorrectText)},
        {OwnRight, false, "Paris", "Capital of France?", true, true, kStrCorrectCaption,
         "Yes, <<CORRECT>>!"},
        {Plain, false, "Lyon", "Capital of France?", false, true, kStrIncorrectCaption,
         "The answer you typed in was incorrect.  The correct answer is: Paris"},
        {OwnWrong, false, "Lyon", "Capital of France?", false, true, kStrIncorrectCaption,
         "No: Paris, not Lyon."},
        {OwnWrong, false, std::nullopt, "Capital of France?", false, false, kStrIncorrectCaption,
         "No: Paris, not ."},
        {Plain, true, "capital of france?", "Paris", true, true, 0, ""},
        {OwnWrong, true, "Paris", "Paris", false, true, kStrIncorrectCaption,
         "No: Capital of France?, not Paris."},
    };
    for (const Case& c : cases) {
        Zentu_Data question;
        question.question = "Capital of France?";
        question.answer = "Paris";
        question.hint = "On the Seine";
        question.useHint = c.variant == Hinted;
        question.confirmCorrect = c.variant == Confirmed || c.variant == OwnRight;
        if (c.variant == OwnRight) question.rightResponse = "Yes, <<CORRECT>>!";
        if (c.variant == OwnWrong) question.wrongResponse = "No: <<CORRECT>>, not <<INPUT>>.";
        FakePlatform platform;
        ScriptedScreen screen(platform);
        screen.answer = c.typed;
        DialogQuestionAsker asker(screen, platform, [&c] { return c.reversed; });
        const AskOutcome outcome = asker.AskQuestion(question);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(outcome.correct, c.correct);
        EXPECT_EQ(outcome.proceed, c.proceed);
        const int resource = c.variant == Hinted ? kQuestionWithHint : kQuestionNoHint;
        EXPECT_EQ(screen.shown.at(0).resourceId, resource);
        EXPECT_EQ(screen.shown[0].question, c.shown);
        EXPECT_EQ(screen.shown[0].hint, "On the Seine");  // the hint never swaps
        std::vector<std::string> calls = {"Dialog " + std::to_string(resource), "Repaint"};
        if (c.caption != 0) calls.push_back("ShowMessage " + LoadString(c.caption));
        ASSERT_EQ(platform.calls, calls);
        if (c.caption == 0) continue;
        EXPECT_EQ(platform.messages[0].text, c.text);
        EXPECT_EQ(platform.messages[0].owner,
                  c.correct ? MessageOwner::Window : MessageOwner::None);
        EXPECT_EQ(platform.messages[0].buttons,
                  c.correct ? MessageButtons::OkCancel : MessageButtons::Ok);
    }
}

#include "quiz/ask_question.h"

#include <gtest/gtest.h>

#include <optional>

#include "fakes/fake_platform.h"

namespace {

// The question dialog as a script: the typed text, or nothing for Cancel.
struct ScriptedScreen : QuestionScreen {
    FakePlatform& platform;
    std::optional<std::string> answer;
    std::string shown;
    bool repaintedFirst = false;

    ScriptedScreen(FakePlatform& platform, std::optional<std::string> answer)
        : platform(platform), answer(std::move(answer)) {}
    bool RunQuestionDialog(const QuestionPrompt& prompt, std::string& typed) override {
        shown = std::to_string(prompt.resourceId) + " " + prompt.question + " / " + prompt.hint;
        typed = answer.value_or("typed, then cancelled");
        return answer.has_value();
    }
    // The main window repaints once the dialog is gone, before any response box.
    void RepaintOwner() override { repaintedFirst = platform.messages.empty(); }
};

}  // namespace

// Reversed, the answer is asked and the typed text judged against the stored question; the
// hint never swaps. A right answer gets an owned OK/Cancel box only when confirmed, its text
// shown unfilled; a wrong or cancelled one (judged as empty) gets an unowned OK box.
TEST(AskQuestion, ShowsJudgesAndResponds) {
    struct Case {
        bool hinted, confirmed, reversed;
        std::optional<std::string> typed;
        bool correct, proceed;
        std::string seen;
    } const cases[] = {
        {true, false, false, "Paris", true, true, "1244 Capital? / Seine"},
        {false, true, false, "paris", true, true,
         "1245 Capital? / Seine|Correct Answer (owned, OK/Cancel): Yes, <<CORRECT>>!"},
        {false, false, false, std::nullopt, false, false,
         "1245 Capital? / Seine|Incorrect Answer (no owner, OK): No: Paris, not ."},
        {false, false, true, "capital?", true, true, "1245 Paris / Seine"},
        {false, true, true, "Paris", false, true,
         "1245 Paris / Seine|Incorrect Answer (no owner, OK): No: Capital?, not Paris."},
    };
    for (const Case& c : cases) {
        Zentu_Data question{"Capital?", "Paris", "Seine", "Yes, <<CORRECT>>!",
                            "No: <<CORRECT>>, not <<INPUT>>."};
        question.useHint = c.hinted;
        question.confirmCorrect = c.confirmed;
        FakePlatform platform;
        ScriptedScreen screen(platform, c.typed);
        DialogQuestionAsker asker(screen, platform, [&c] { return c.reversed; });
        const AskOutcome outcome = asker.AskQuestion(question);
        std::string seen = screen.shown;
        for (const FakePlatform::Message& m : platform.messages) {
            seen += "|" + m.caption +
                    (m.owner == MessageOwner::Window ? " (owned, " : " (no owner, ") +
                    (m.buttons == MessageButtons::OkCancel ? "OK/Cancel): " : "OK): ") + m.text;
        }
        EXPECT_EQ(seen, c.seen);
        EXPECT_EQ(outcome.correct, c.correct) << c.seen;
        EXPECT_EQ(outcome.proceed, c.proceed) << c.seen;
        EXPECT_TRUE(screen.repaintedFirst) << c.seen;
    }
}

#include "quiz/ask_question.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>

#include "fakes/fake_platform.h"
#include "res/string_table.h"

namespace {

// The question dialog as a script: the typed text, or nothing for Cancel. It logs what it
// showed, and the repaint, into the platform's call log so their order shows.
class ScriptedScreen : public QuestionScreen {
  public:
    explicit ScriptedScreen(FakePlatform& platform) : platform(platform) {}
    std::deque<std::optional<std::string>> answers;
    std::vector<QuestionPrompt> shown;

    bool RunQuestionDialog(const QuestionPrompt& prompt, std::string& typed) override {
        platform.calls.push_back("Dialog " + std::to_string(prompt.resourceId));
        shown.push_back(prompt);
        const std::optional<std::string> answer = answers.front();
        answers.pop_front();
        // What the box held is handed back only on OK.
        typed = answer.value_or("typed before cancel");
        return answer.has_value();
    }
    void RepaintOwner() override { platform.calls.push_back("Repaint"); }

  private:
    FakePlatform& platform;
};

Zentu_Data Capital() {
    Zentu_Data q;
    q.question = "Capital of France?";
    q.answer = "Paris";
    q.hint = "On the Seine";
    return q;
}

}  // namespace

TEST(AskQuestion, ShowsJudgesAndResponds) {
    struct Case {
        const char* name;
        Zentu_Data question;
        bool reversed;
        std::optional<std::string> typed;  // nullopt: Cancel
        int resource;
        std::string shownQuestion;
        AskOutcome outcome;
        // The box after the dialog, if any.
        std::string caption, text;
        MessageOwner owner;
        MessageButtons buttons;
    };
    Zentu_Data hinted = Capital();
    hinted.useHint = true;
    Zentu_Data confirmed = Capital();
    confirmed.confirmCorrect = true;
    Zentu_Data ownResponse = confirmed;
    ownResponse.rightResponse = "Yes, <<CORRECT>>!";
    Zentu_Data wrongText = Capital();
    wrongText.wrongResponse = "No: <<CORRECT>>, not <<INPUT>>.";
    const std::string wrongOne = LoadString(kStrWrongOne);
    const std::string standardWrong = wrongOne.substr(0, wrongOne.find("<<")) + "Paris";
    const Case cases[] = {
        {"right, no confirmation",
         Capital(),
         false,
         "paris",
         kQuestionNoHint,
         "Capital of France?",
         {true, true},
         "",
         "",
         MessageOwner::Window,
         MessageButtons::Ok},
        {"hint button",
         hinted,
         false,
         "Paris",
         kQuestionWithHint,
         "Capital of France?",
         {true, true},
         "",
         "",
         MessageOwner::Window,
         MessageButtons::Ok},
        {"confirmed",
         confirmed,
         false,
         "Paris",
         kQuestionNoHint,
         "Capital of France?",
         {true, true},
         LoadString(kStrCorrectCaption),
         LoadString(kStrCorrectText),
         MessageOwner::Window,
         MessageButtons::OkCancel},
        {"own right response, unfilled",
         ownResponse,
         false,
         "Paris",
         kQuestionNoHint,
         "Capital of France?",
         {true, true},
         LoadString(kStrCorrectCaption),
         "Yes, <<CORRECT>>!",
         MessageOwner::Window,
         MessageButtons::OkCancel},
        {"wrong",
         Capital(),
         false,
         "Lyon",
         kQuestionNoHint,
         "Capital of France?",
         {false, true},
         LoadString(kStrIncorrectCaption),
         standardWrong,
         MessageOwner::None,
         MessageButtons::Ok},
        {"own wrong response",
         wrongText,
         false,
         "Lyon",
         kQuestionNoHint,
         "Capital of France?",
         {false, true},
         LoadString(kStrIncorrectCaption),
         "No: Paris, not Lyon.",
         MessageOwner::None,
         MessageButtons::Ok},
        // Cancel judges an empty answer, whatever the box held, and still responds.
        {"cancel",
         wrongText,
         false,
         std::nullopt,
         kQuestionNoHint,
         "Capital of France?",
         {false, false},
         LoadString(kStrIncorrectCaption),
         "No: Paris, not .",
         MessageOwner::None,
         MessageButtons::Ok},
        // Reversed: the answer is shown and the typed text is judged against the question.
        {"reversed right",
         Capital(),
         true,
         "capital of france?",
         kQuestionNoHint,
         "Paris",
         {true, true},
         "",
         "",
         MessageOwner::Window,
         MessageButtons::Ok},
        {"reversed wrong",
         wrongText,
         true,
         "Paris",
         kQuestionNoHint,
         "Paris",
         {false, true},
         LoadString(kStrIncorrectCaption),
         "No: Capital of France?, not Paris.",
         MessageOwner::None,
         MessageButtons::Ok},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        ScriptedScreen screen(platform);
        screen.answers.push_back(c.typed);
        bool reversed = c.reversed;
        DialogQuestionAsker asker(screen, platform, [&reversed] { return reversed; });
        const AskOutcome outcome = asker.AskQuestion(c.question);
        EXPECT_EQ(outcome.correct, c.outcome.correct);
        EXPECT_EQ(outcome.proceed, c.outcome.proceed);
        ASSERT_EQ(screen.shown.size(), 1u);
        EXPECT_EQ(screen.shown[0].resourceId, c.resource);
        EXPECT_EQ(screen.shown[0].question, c.shownQuestion);
        EXPECT_EQ(screen.shown[0].hint, c.question.hint);  // the hint never swaps
        std::vector<std::string> calls = {"Dialog " + std::to_string(c.resource), "Repaint"};
        if (!c.caption.empty()) calls.push_back("ShowMessage " + c.caption);
        EXPECT_EQ(platform.calls, calls);
        if (!c.caption.empty()) {
            EXPECT_EQ(platform.messages[0].text, c.text);
            EXPECT_EQ(platform.messages[0].owner, c.owner);
            EXPECT_EQ(platform.messages[0].buttons, c.buttons);
        }
    }
}

// Reverse Q/A is the main window's setting at the time of each question.
TEST(AskQuestion, ReverseIsReadAtEveryQuestion) {
    FakePlatform platform;
    ScriptedScreen screen(platform);
    screen.answers = {std::string("Paris"), std::string("Paris")};
    bool reversed = false;
    DialogQuestionAsker asker(screen, platform, [&reversed] { return reversed; });
    EXPECT_TRUE(asker.AskQuestion(Capital()).correct);
    reversed = true;
    EXPECT_FALSE(asker.AskQuestion(Capital()).correct);
    EXPECT_EQ(screen.shown[1].question, "Paris");
}

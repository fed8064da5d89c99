#include "quiz/quiz_runs.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fakes/fake_platform.h"
#include "fakes/scripted_asker.h"
#include "quiz/mistakes.h"
#include "quiz/shuffle.h"

namespace {

// A run over a fresh set Q1..Qcount. The script answers in turn: 'r' right, 'w' wrong,
// 'c' cancel, 'C' cancel after a right answer.
struct QuizRun {
    Question_Set set;
    ScriptedAsker asker;
    FakePlatform platform;
    RandomGenerator generator;
    Question_Set original;

    // Every field differs from question to question, so a partial copy shows.
    QuizRun(int count, const std::string& script) {
        for (int i = 1; i <= count; ++i) {
            Zentu_Data question;
            question.question = "Q" + std::to_string(i);
            question.answer = "A" + std::to_string(i);
            question.hint = "H" + std::to_string(i);
            question.answerMethod = static_cast<AnswerMethod>(i);
            set.Append(question);
        }
        original = set;
        for (const char answer : script) {
            asker.outcomes.push_back(
                {answer == 'r' || answer == 'C', answer == 'r' || answer == 'w'});
        }
    }
    std::vector<Zentu_Data> missed;
    RunEnd Quiz() { return RunGradedQuiz(set, asker, platform, &missed); }
    RunEnd Test() { return RunRandomTest(set, asker, platform, generator); }
    // The questions asked, in order, as "Q2 Q1"; each was a whole copy of its question.
    std::string Asked() const {
        std::string asked;
        for (const Zentu_Data& question : asker.asked) {
            asked += (asked.empty() ? "" : " ") + question.question;
            const auto number = static_cast<std::size_t>(std::stoi(question.question.substr(1)));
            EXPECT_EQ(question, original.At(number)) << question.question;
        }
        return asked;
    }
    // Where each question was asked, as "round:number/count".
    std::string Where() const {
        std::string where;
        for (const std::string& step : asker.progress) where += (where.empty() ? "" : " ") + step;
        return where;
    }
};

// The one box a run showed: an OK box owned by the main window.
void ExpectOnlyBox(const FakePlatform& platform, const std::string& text,
                   const std::string& caption) {
    ASSERT_EQ(platform.calls, std::vector<std::string>{"ShowMessage " + caption});
    EXPECT_EQ(platform.messages[0].text, text);
    EXPECT_EQ(platform.messages[0].owner, MessageOwner::Window);
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::Ok);
}

std::string TestOver(int rounds, int right, int questions, int percent) {
    return "Every question has now been answered right.\nRounds: " + std::to_string(rounds) +
           "\nRight the first time: " + std::to_string(right) + " of " + std::to_string(questions) +
           " (" + std::to_string(percent) + "%)";
}

std::string Totals(int right, int wrong, int percent) {
    return "You answered " + std::to_string(right) + " correctly.\nYou answered " +
           std::to_string(wrong) + " incorrectly.\nYour got " + std::to_string(percent) +
           "% correct.";
}

TEST(GradedQuizTest, AsksInOrderAndEndsWithTheTotalsUnlessCancelled) {
    struct Case {
        int count;
        std::string script, asked;
        std::string totals;  // empty: the run ends without any box
    } const cases[] = {
        {3, "rwr", "Q1 Q2 Q3", Totals(2, 1, 66)},
        {1, "r", "Q1", Totals(1, 0, 100)},
        {1, "w", "Q1", Totals(0, 1, 0)},
        {5, "rcrrr", "Q1 Q2", ""},
        {5, "wC", "Q1 Q2", ""},      // a right answer on cancel still stops
        {3, "rrc", "Q1 Q2 Q3", ""},  // even at the last question
    };
    for (const Case& c : cases) {
        QuizRun run(c.count, c.script);
        EXPECT_EQ(run.Quiz(), c.totals.empty() ? RunEnd::Cancelled : RunEnd::Finished);
        EXPECT_EQ(run.Asked(), c.asked);
        EXPECT_EQ(run.set, run.original);
        if (c.totals.empty()) {
            EXPECT_TRUE(run.platform.calls.empty());
        } else {
            ExpectOnlyBox(run.platform, c.totals, "Totals");
        }
    }
    EXPECT_EQ(FormatTotals(50000000, 50000000), Totals(50000000, 50000000, 50));  // past 2^32
}

TEST(QuizRunsTest, AnEmptySetGetsOnlyTheRatsBox) {
    for (const bool random : {false, true}) {
        QuizRun run(0, "");
        EXPECT_EQ(random ? run.Test() : run.Quiz(), RunEnd::NoQuestions);
        EXPECT_TRUE(run.asker.asked.empty());
        ExpectOnlyBox(run.platform, "There are no questions, load a file or input some questions.",
                      "Rats!");
        EXPECT_EQ(run.generator.State(), 1u);  // nothing drawn
    }
}

TEST(RandomTestTest, AsksInPassesUntilEveryQuestionIsRight) {
    struct Case {
        int count;
        std::string script, asked, where;
        std::string over;  // the end-of-test box; empty when cancelled
    } const cases[] = {
        // First tests after a start: the orders of a fresh generator.
        {2, "rr", "Q2 Q1", "1:1/2 1:2/2", TestOver(1, 2, 2, 100)},
        {3, "rrr", "Q3 Q2 Q1", "1:1/3 1:2/3 1:3/3", TestOver(1, 3, 3, 100)},
        {4, "rrrr", "Q4 Q2 Q3 Q1", "1:1/4 1:2/4 1:3/4 1:4/4", TestOver(1, 4, 4, 100)},
        {1, "wwr", "Q1 Q1 Q1", "1:1/1 2:1/1 3:1/1", TestOver(3, 0, 1, 0)},
        // The second pass asks only Q2.
        {3, "rwrr", "Q3 Q2 Q1 Q2", "1:1/3 1:2/3 1:3/3 2:1/1", TestOver(2, 2, 3, 66)},
        // Passes keep the shuffled order.
        {4, "wwwwwrwrrr", "Q4 Q2 Q3 Q1 Q4 Q2 Q3 Q1 Q4 Q3",
         "1:1/4 1:2/4 1:3/4 1:4/4 2:1/4 2:2/4 2:3/4 2:4/4 3:1/2 3:2/2", TestOver(3, 0, 4, 0)},
        // Cancel ends it at once, in a later pass too, and without the end box.
        {3, "wrrC", "Q3 Q2 Q1 Q3", "1:1/3 1:2/3 1:3/3 2:1/1", ""},
    };
    for (const Case& c : cases) {
        QuizRun run(c.count, c.script);
        EXPECT_EQ(run.Test(), c.over.empty() ? RunEnd::Cancelled : RunEnd::Finished);
        EXPECT_EQ(run.Asked(), c.asked);
        EXPECT_EQ(run.Where(), c.where);
        EXPECT_EQ(run.set, run.original);
        EXPECT_FALSE(run.asker.ranOut);
        if (c.over.empty()) {
            EXPECT_TRUE(run.platform.calls.empty());
        } else {
            ExpectOnlyBox(run.platform, c.over, "End of Test");
        }
    }
}

TEST(RandomTestTest, TheGeneratorGoesOnFromTestToTest) {
    QuizRun run(4, "rrrrrrrr");
    run.Test();
    run.Test();
    EXPECT_EQ(run.Asked(), "Q4 Q2 Q3 Q1 Q4 Q1 Q2 Q3");

    // Without a generator of its own, the test draws from the program's.
    QuizRun program(30, std::string(30, 'r'));
    RandomGenerator copy(ProgramRandom().State());
    const std::uint32_t first = ShuffleOrder(30, copy).front();
    RunRandomTest(program.set, program.asker, program.platform);
    EXPECT_EQ(program.asker.asked.at(0).question, "Q" + std::to_string(first + 1));
    EXPECT_EQ(ProgramRandom().State(), copy.State());
}

// The wrong-answer box has no owner, so the main window is open to commands while a
// question is. Should one change the set, the runs must never read past its end.
TEST(QuizRunsTest, ASetThatChangesSizeMidRunIsNeverReadPastItsEnd) {
    const std::function<void(Question_Set&)> changes[] = {
        [](Question_Set& set) { set.RemoveAt(1); },
        [](Question_Set& set) { set.Append(Zentu_Data{}); },
        [](Question_Set& set) { set.Clear(); },  // the question just asked is gone too
    };
    for (const auto& change : changes) {
        QuizRun quiz(5, "wwwww");
        quiz.asker.onAsk = [&](std::size_t asking) {
            if (asking == 1) change(quiz.set);
        };
        EXPECT_EQ(quiz.Quiz(), RunEnd::SetChanged);
        EXPECT_EQ(quiz.Asked(), "Q1 Q2");
        EXPECT_TRUE(quiz.platform.calls.empty());

        // The test reads the set where it lies (the window refuses every change while it
        // runs), so it stops at the change as the quiz does.
        QuizRun test(4, "rrrr");
        test.asker.onAsk = [&](std::size_t asking) {
            if (asking == 0) change(test.set);
        };
        EXPECT_EQ(test.Test(), RunEnd::SetChanged);
        EXPECT_EQ(test.Asked(), "Q4");
        EXPECT_TRUE(test.platform.calls.empty());
    }
}

// The mistakes window lists the missed questions as they were asked (here reversed when they
// are repeated); Repeat Mistakes runs a Random Test over just those, which ends with its box.
TEST(MistakesTest, ListedAsAskedAndRepeatedAsARandomTest) {
    struct Screen : MistakesScreen {
        bool repeat = false;
        std::string shown;
        bool ShowMistakes(const std::string& listing) override {
            shown += listing;
            return repeat;
        }
    };
    for (const bool repeat : {false, true}) {
        QuizRun run(4, repeat ? "wrwrrr" : "wrwr");
        ASSERT_EQ(run.Quiz(), RunEnd::Finished);
        Screen screen;
        screen.repeat = repeat;
        EXPECT_EQ(OfferMistakes(run.missed, repeat, screen, run.asker, run.platform, run.generator),
                  repeat);
        EXPECT_EQ(screen.shown,
                  repeat ? "Question: A1\r\nAnswer: Q1\r\n\r\nQuestion: A3\r\nAnswer: Q3"
                         : "Question: Q1\r\nAnswer: A1\r\n\r\nQuestion: Q3\r\nAnswer: A3");
        EXPECT_EQ(run.Asked(), repeat ? "Q1 Q2 Q3 Q4 Q3 Q1" : "Q1 Q2 Q3 Q4");
        EXPECT_EQ(run.platform.calls.back(),
                  repeat ? "ShowMessage End of Test" : "ShowMessage Totals");
        EXPECT_FALSE(OfferMistakes({}, false, screen, run.asker, run.platform, run.generator));
    }
}

}  // namespace

#include "quiz/quiz_runs.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "fakes/scripted_asker.h"
#include "quiz/shuffle.h"

namespace {

using Texts = std::vector<std::string>;

constexpr AskOutcome kRight{true, true};
constexpr AskOutcome kWrong{false, true};
constexpr AskOutcome kCancel{false, false};
constexpr AskOutcome kCancelRight{true, false};

Question_Set MakeSet(int count) {
    Question_Set set;
    for (int i = 1; i <= count; ++i) {
        Zentu_Data question;
        question.question = "Q" + std::to_string(i);
        question.answer = "A" + std::to_string(i);
        question.hint = "H" + std::to_string(i);
        set.Append(question);
    }
    return set;
}

TEST(GradedQuizTest, ShowsTheTotalsAfterTheLastQuestion) {
    struct Case {
        std::vector<AskOutcome> outcomes;
        std::string totals;
    } const cases[] = {
        {{kRight, kWrong, kRight},
         "You answered 2 correctly.\nYou answered 1 incorrectly.\nYour got 66% correct."},
        {{kRight},
         "You answered 1 correctly.\nYou answered 0 incorrectly.\nYour got 100% correct."},
        {{kWrong}, "You answered 0 correctly.\nYou answered 1 incorrectly.\nYour got 0% correct."},
        {{kRight, kWrong, kWrong},
         "You answered 1 correctly.\nYou answered 2 incorrectly.\nYour got 33% correct."},
        {std::vector<AskOutcome>(12, kRight),
         "You answered 12 correctly.\nYou answered 0 incorrectly.\nYour got 100% correct."},
    };
    for (const Case& c : cases) {
        const Question_Set set = MakeSet(static_cast<int>(c.outcomes.size()));
        ScriptedAsker asker;
        asker.outcomes.assign(c.outcomes.begin(), c.outcomes.end());
        FakePlatform platform;
        EXPECT_EQ(RunGradedQuiz(set, asker, platform), RunEnd::Finished);

        Texts inOrder;
        for (std::size_t i = 1; i <= set.Count(); ++i) inOrder.push_back(set.At(i).question);
        EXPECT_EQ(asker.AskedQuestions(), inOrder);
        ASSERT_EQ(platform.messages.size(), 1u) << c.totals;
        const FakePlatform::Message& box = platform.messages[0];
        EXPECT_EQ(box.text, c.totals);
        EXPECT_EQ(box.caption, "Totals");
        EXPECT_EQ(box.owner, MessageOwner::Window);
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
        EXPECT_EQ(box.icon, MessageIcon::None);
    }
}

TEST(GradedQuizTest, CancelEndsTheQuizAtOnceWithoutTotals) {
    struct Case {
        int count;
        std::vector<AskOutcome> outcomes;
        Texts asked;
    } const cases[] = {
        {5, {kRight, kCancel, kRight, kRight, kRight}, {"Q1", "Q2"}},
        {5, {kWrong, kCancelRight}, {"Q1", "Q2"}},  // a right answer on cancel still stops
        {1, {kCancel}, {"Q1"}},
        {3, {kRight, kRight, kCancel}, {"Q1", "Q2", "Q3"}},  // even at the last question
    };
    for (const Case& c : cases) {
        const Question_Set set = MakeSet(c.count);
        ScriptedAsker asker;
        asker.outcomes.assign(c.outcomes.begin(), c.outcomes.end());
        FakePlatform platform;
        EXPECT_EQ(RunGradedQuiz(set, asker, platform), RunEnd::Cancelled);
        EXPECT_EQ(asker.AskedQuestions(), c.asked);
        EXPECT_TRUE(platform.calls.empty()) << platform.calls.front();
    }
}

TEST(QuizRunsTest, AnEmptySetGetsOnlyTheRatsBox) {
    for (const bool random : {false, true}) {
        const Question_Set set;
        ScriptedAsker asker;
        FakePlatform platform;
        RandomGenerator generator;
        const RunEnd end = random ? RunRandomTest(set, asker, platform, generator)
                                  : RunGradedQuiz(set, asker, platform);
        EXPECT_EQ(end, RunEnd::NoQuestions);
        EXPECT_TRUE(asker.asked.empty());
        ASSERT_EQ(platform.calls.size(), 1u);
        const FakePlatform::Message& box = platform.messages.at(0);
        EXPECT_EQ(box.text, "There are no questions, load a file or input some questions.");
        EXPECT_EQ(box.caption, "Rats!");
        EXPECT_EQ(box.owner, MessageOwner::Window);
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
        EXPECT_EQ(generator.State(), 1u) << "random " << random;
    }
}

TEST(RandomTestTest, AsksInPassesUntilEveryQuestionIsRight) {
    struct Case {
        int count;
        std::vector<AskOutcome> outcomes;
        Texts asked;
        RunEnd end;
    } const cases[] = {
        // First tests after a start: the orders of a fresh generator.
        {2, {kRight, kRight}, {"Q2", "Q1"}, RunEnd::Finished},
        {3, {kRight, kRight, kRight}, {"Q3", "Q2", "Q1"}, RunEnd::Finished},
        {4, {kRight, kRight, kRight, kRight}, {"Q4", "Q2", "Q3", "Q1"}, RunEnd::Finished},
        // One question, wrong twice, then right: asked three times.
        {1, {kWrong, kWrong, kRight}, {"Q1", "Q1", "Q1"}, RunEnd::Finished},
        // Q2 wrong once: the second pass asks only Q2.
        {3, {kRight, kWrong, kRight, kRight}, {"Q3", "Q2", "Q1", "Q2"}, RunEnd::Finished},
        // The passes keep the shuffled order.
        {4,
         {kWrong, kWrong, kWrong, kWrong, kWrong, kRight, kWrong, kRight, kRight, kRight},
         {"Q4", "Q2", "Q3", "Q1", "Q4", "Q2", "Q3", "Q1", "Q4", "Q3"},
         RunEnd::Finished},
        // Cancel ends the test at once, in the first pass or a later one.
        {4, {kRight, kCancel}, {"Q4", "Q2"}, RunEnd::Cancelled},
        {3, {kWrong, kRight, kRight, kCancelRight}, {"Q3", "Q2", "Q1", "Q3"}, RunEnd::Cancelled},
    };
    for (const Case& c : cases) {
        const Question_Set set = MakeSet(c.count);
        ScriptedAsker asker;
        asker.outcomes.assign(c.outcomes.begin(), c.outcomes.end());
        FakePlatform platform;
        RandomGenerator generator;
        EXPECT_EQ(RunRandomTest(set, asker, platform, generator), c.end);
        EXPECT_EQ(asker.AskedQuestions(), c.asked);
        EXPECT_FALSE(asker.ranOut);
        EXPECT_TRUE(platform.calls.empty());  // no totals, no message
    }
}

TEST(RandomTestTest, TwoQuestionsAlwaysComeReversed) {
    for (const std::uint64_t seed : {1ull, 2ull, 12345ull, 0xFFFFFFFFFFFFFFFFull}) {
        const Question_Set set = MakeSet(2);
        ScriptedAsker asker;
        asker.outcomes = {kRight, kRight};
        FakePlatform platform;
        RandomGenerator generator(seed);
        RunRandomTest(set, asker, platform, generator);
        EXPECT_EQ(asker.AskedQuestions(), (Texts{"Q2", "Q1"})) << "seed " << seed;
    }
}

TEST(RandomTestTest, ASecondTestGoesOnWithTheGenerator) {
    const Question_Set set = MakeSet(4);
    RandomGenerator generator;
    FakePlatform platform;
    ScriptedAsker first;
    first.outcomes = {kRight, kRight, kRight, kRight};
    RunRandomTest(set, first, platform, generator);
    ScriptedAsker second;
    second.outcomes = {kRight, kRight, kRight, kRight};
    RunRandomTest(set, second, platform, generator);
    EXPECT_EQ(first.AskedQuestions(), (Texts{"Q4", "Q2", "Q3", "Q1"}));
    EXPECT_EQ(second.AskedQuestions(), (Texts{"Q4", "Q1", "Q2", "Q3"}));
}

TEST(RandomTestTest, WithoutAGeneratorItUsesTheProgramOne) {
    const Question_Set set = MakeSet(30);
    RandomGenerator copy(ProgramRandom().State());
    const std::vector<std::uint32_t> order = ShuffleOrder(30, copy);
    ScriptedAsker asker;
    asker.outcomes.assign(30, kRight);
    FakePlatform platform;
    RunRandomTest(set, asker, platform);
    Texts expected;
    for (const std::uint32_t position : order) expected.push_back(set.At(position + 1).question);
    EXPECT_EQ(asker.AskedQuestions(), expected);
    EXPECT_EQ(ProgramRandom().State(), copy.State());
}

TEST(QuizRunsTest, RunsAskWholeCopiesAndLeaveTheSetAsItWas) {
    Question_Set set = MakeSet(5);
    set.At(3).delimiter = ';';
    set.At(3).caseSensitive = true;
    set.At(3).answerMethod = static_cast<AnswerMethod>(77);
    const Question_Set before = set;
    for (const bool random : {false, true}) {
        ScriptedAsker asker;
        asker.outcomes = {kWrong, kRight, kWrong, kRight, kWrong, kRight, kRight, kRight};
        FakePlatform platform;
        RandomGenerator generator;
        if (random) {
            RunRandomTest(set, asker, platform, generator);
        } else {
            RunGradedQuiz(set, asker, platform);
        }
        EXPECT_EQ(set, before) << "random " << random;
        for (const Zentu_Data& question : asker.asked) {
            const int number = std::stoi(question.question.substr(1));
            EXPECT_EQ(question, before.At(static_cast<std::size_t>(number))) << question.question;
        }
    }
}

// The wrong-answer box has no owner, so the main window can change the set while a
// question is open. The runs must then never read past the set's end.
TEST(QuizRunsTest, ASetThatChangesSizeMidRunIsNeverReadPastItsEnd) {
    struct Case {
        const char* name;
        std::function<void(Question_Set&)> change;
    } const cases[] = {
        {"shrink", [](Question_Set& set) { set.RemoveAt(set.Count()); }},
        {"clear", [](Question_Set& set) { set.Clear(); }},
        {"grow", [](Question_Set& set) { set.Append(Zentu_Data{}); }},
    };
    for (const Case& c : cases) {
        {
            Question_Set set = MakeSet(5);
            ScriptedAsker asker;
            asker.outcomes.assign(5, kWrong);
            asker.onAsk = [&](std::size_t asking) {
                if (asking == 1) c.change(set);
            };
            FakePlatform platform;
            EXPECT_EQ(RunGradedQuiz(set, asker, platform), RunEnd::SetChanged) << c.name;
            EXPECT_EQ(asker.AskedQuestions(), (Texts{"Q1", "Q2"})) << c.name;
            EXPECT_TRUE(platform.calls.empty()) << c.name;
        }
        {
            // The test asks from its own copies and goes on to its end.
            Question_Set set = MakeSet(4);
            ScriptedAsker asker;
            asker.outcomes.assign(4, kRight);
            asker.onAsk = [&](std::size_t asking) {
                if (asking == 0) c.change(set);
            };
            FakePlatform platform;
            RandomGenerator generator;
            EXPECT_EQ(RunRandomTest(set, asker, platform, generator), RunEnd::Finished) << c.name;
            EXPECT_EQ(asker.AskedQuestions(), (Texts{"Q4", "Q2", "Q3", "Q1"})) << c.name;
        }
    }
}

TEST(FormatTotalsTest, DropsTheFractionAndKeepsLargeCountsExact) {
    struct Case {
        std::uint64_t right, wrong, percent;
    } const cases[] = {
        {2, 1, 66},  {1, 2, 33},  {199, 1, 99},
        {1, 199, 0}, {3, 0, 100}, {50000000, 50000000, 50},  // right * 100 is past 32 bits
    };
    for (const Case& c : cases) {
        const std::string expected = "You answered " + std::to_string(c.right) +
                                     " correctly.\nYou answered " + std::to_string(c.wrong) +
                                     " incorrectly.\nYour got " + std::to_string(c.percent) +
                                     "% correct.";
        EXPECT_EQ(FormatTotals(c.right, c.wrong), expected);
    }
}

}  // namespace

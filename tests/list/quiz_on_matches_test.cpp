#include "list/quiz_on_matches.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_platform.h"
#include "fakes/scripted_asker.h"

namespace {

// Q1..Q6: odd ones about "Paris", even ones about "Rome"; Q5 has "Paris" in its hint only.
Question_Set Cities() {
    Question_Set set;
    for (int i = 1; i <= 6; ++i) {
        const std::string n = std::to_string(i);
        const char* answer = i == 5 ? "Lyon" : i % 2 == 1 ? "Paris" : "Rome";
        set.Append({"Q" + n, answer, i == 5 ? "Think of Paris" : "", "", ""});
    }
    return set;
}

// The run asks only the matches, in set order, each a whole copy; the totals count only
// them. Without a search it is the whole set; without a match, a box says so.
TEST(QuizOnMatchesTest, AsksTheMatchesInSetOrder) {
    struct Case {
        const char* needle;
        std::size_t sliced;  // questions the search had looked at before the quiz
        const char* asked;
        const char* box;
    } const cases[] = {
        {"paris", 6, "Q1 Q3 Q5", "Totals"},
        {"PAR", 2, "Q1 Q3 Q5", "Totals"},  // a search still under way is finished first
        {"rome", 0, "Q2 Q4 Q6", "Totals"},
        {"", 0, "Q1 Q2 Q3 Q4 Q5 Q6", "Totals"},
        {"berlin", 6, "", "Rats!"},
    };
    for (const Case& c : cases) {
        const Question_Set set = Cities();
        QuestionFilter filter;
        filter.Start(set, c.needle);
        filter.Step(c.sliced);
        ScriptedAsker asker;
        asker.outcomes.assign(6, {true, true});
        FakePlatform platform;
        QuizOnMatches(set, filter, asker, platform);
        std::string asked;
        for (const Zentu_Data& question : asker.asked) {
            asked += (asked.empty() ? "" : " ") + question.question;
            EXPECT_EQ(question, set.At(std::stoul(question.question.substr(1)))) << c.needle;
        }
        EXPECT_EQ(asked, c.asked) << c.needle;
        ASSERT_EQ(platform.messages.size(), 1u) << c.needle;
        EXPECT_EQ(platform.messages[0].caption, c.box) << c.needle;
        if (std::string(c.box) == "Rats!") {
            EXPECT_EQ(platform.messages[0].text, "No question matches the search.");
        } else {
            const std::size_t n = asker.asked.size();
            EXPECT_EQ(platform.messages[0].text, FormatTotals(n, 0)) << c.needle;
        }
    }
}

}  // namespace

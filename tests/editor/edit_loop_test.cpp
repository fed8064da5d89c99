#include "editor/edit_loop.h"

#include <gtest/gtest.h>

#include <deque>
#include <sstream>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"

namespace {

const std::string kPrefix = "Question Editor-question number ";

// A dialog that plays a script. Tokens: o OK, c Cancel, n Next, p Prev, f First, l Last,
// d Delete, i Insert, x an unknown code, m<text> Move answered with <text> ('_' for a space), m!
// Move cancelled, =<text> types <text> as the question (no exit), ~ changes the responses.
class ScriptedScreens : public EditorScreens {
  public:
    ScriptedScreens(const std::string& script, FakePlatform& platform) : platform(platform) {
        std::istringstream tokens(script);
        for (std::string token; tokens >> token;) steps.push_back(token);
    }

    int ShowQuestion(std::size_t position, bool isNew, const std::string& title,
                     EditBuffer& buffer) override {
        // Every title is the prefix and the number, " - new" exactly for a new position.
        EXPECT_EQ(title.rfind(kPrefix, 0), 0u) << title;
        const std::string rest = title.substr(kPrefix.size());
        EXPECT_EQ(rest, std::to_string(position) + (isNew ? " - new" : ""));
        shown += (shown.empty() ? "" : " ") + rest;
        seen.push_back(buffer);
        while (!steps.empty()) {
            const std::string step = steps.front();
            steps.pop_front();
            switch (step[0]) {
                case '=':
                    buffer.question = step.substr(1);
                    continue;
                case '~':
                    buffer.rightResponse = "changed";
                    buffer.caseSensitive = !buffer.caseSensitive;
                    continue;
                case 'o':
                    return kEditOk;
                case 'c':
                    return kEditCancel;
                case 'n':
                    return kEditNext;
                case 'p':
                    return kEditPrev;
                case 'f':
                    return kEditFirst;
                case 'l':
                    return kEditLast;
                case 'd':
                    return kEditDelete;
                case 'i':
                    return kEditInsert;
                case 'x':
                    return 11847;
                case 'm':
                    if (step == "m!") {
                        platform.inputAnswers.emplace_back(std::nullopt);
                    } else {
                        std::string text = step.substr(1);
                        for (char& ch : text) ch = ch == '_' ? ' ' : ch;
                        platform.inputAnswers.emplace_back(text);
                    }
                    return kEditMove;
            }
        }
        ADD_FAILURE() << "script ran out at " << title;
        return kEditCancel;
    }

    std::deque<std::string> steps;
    std::string shown;  // "5 6 - new 5": what each dialog showed, in order
    std::vector<EditBuffer> seen;
    FakePlatform& platform;
};

// Questions A, B, C... each with fields of its own.
Question_Set Letters(int count) {
    Question_Set set;
    for (int i = 0; i < count; ++i) {
        Zentu_Data record;
        record.question = std::string(1, char('A' + i));
        record.answer = std::string(1, char('a' + i));
        record.hint = "h" + record.question;
        record.rightResponse = "r" + record.question;
        record.wrongResponse = "w" + record.question;
        record.delimiter = char(';' + i);
        record.useHint = i % 2 == 0;
        record.confirmCorrect = i % 2 == 1;
        record.checkSpaces = i % 3 == 0;
        record.caseSensitive = true;
        record.answerMethod = static_cast<AnswerMethod>(1 << (i % 4));
        set.Append(record);
    }
    return set;
}

std::string Order(const Question_Set& set) {
    std::string order;
    for (const Zentu_Data& record : set) {
        order += (order.empty() ? "" : " ") + (record.question.empty() ? "_" : record.question);
    }
    return order;
}

struct EditorRun {
    Question_Set set;
    EditBuffer buffer;
    FakePlatform platform;
    ScriptedScreens screens;
    int marks = 0;

    EditorRun(int count, const std::string& script)
        : set(Letters(count)), screens(script, platform) {
        EditLoop(set, buffer, screens, platform, [this] { ++marks; }).Run();
    }
};

TEST(EditLoopTest, ExitSequences) {
    struct Case {
        int count;
        const char* script;
        const char* shown;
        const char* order;
        int marks;  // commits, each of which sets questionsChanged
    };
    const Case cases[] = {
        {0, "o", "1 - new", "_", 1},
        {0, "c", "1 - new", "", 0},
        {5, "o", "5", "A B C D E", 1},
        {5, "=X c", "5", "A B C D E", 0},
        {5, "n o", "5 6 - new", "A B C D E _", 2},
        {5, "n c", "5 6 - new", "A B C D E", 1},
        {5, "n =F n =G n c", "5 6 - new 7 - new 8 - new", "A B C D E F G", 3},
        {5, "n =F p c", "5 6 - new 5", "A B C D E F", 2},
        {5, "=X p p p p o", "5 4 3 2 1", "A B C D X", 5},
        {5, "f p o", "5 1 1", "A B C D E", 3},
        {5, "f =Y l o", "5 1 5", "Y B C D E", 3},
        // Delete stores, then removes: edits typed before it reach nothing.
        {5, "f n =X d o", "5 1 2 2", "A C D E", 4},
        {5, "=X d o", "5 4", "A B C D", 2},
        {1, "d o", "1 1 - new", "_", 2},
        {5, "n =F d o", "5 6 - new 5", "A B C D E", 3},
        {0, "d d c", "1 - new 1 - new 1 - new", "", 2},
        // Insert shows a blank question at the same position and pushes the old one down.
        {5, "f n n i =X o", "5 1 2 3 3", "A B X C D E", 5},
        {5, "i =X n o", "5 5 6", "A B C D X E", 3},
        {5, "n i =X o", "5 6 - new 6", "A B C D E X _", 3},
        {1, "i i =Y o", "1 1 1", "Y _ A", 3},
        // Cancel in the blank question leaves no copy of the old one behind.
        {5, "f n n =X i =Y c", "5 1 2 3 3", "A B X D E", 4},
        {5, "f n n i d o", "5 1 2 3 3 3", "A B C D E", 6},
        // Move: the editor follows the question; past the end it stays at its number.
        {5, "f n m4 o", "5 1 2 4", "A C D B E", 4},
        {5, "f n m9 o", "5 1 2 2", "A C D E B", 4},
        {5, "m9 o", "5 5", "A B C D E", 2},
        {5, "f n m5 o", "5 1 2 5", "A C D E B", 4},
        {5, "f n =X m1 o", "5 1 2 1", "X A C D E", 4},
        {5, "f n m! o", "5 1 2 2", "A B C D E", 4},
        {5, "f n m__+3z o", "5 1 2 3", "A C B D E", 4},
        {5, "f n m99999999999999999999999 o", "5 1 2 2", "A C D E B", 4},
        // Below 1, also text without digits: the question stays where it was.
        {5, "f n m0 o", "5 1 2 2", "A B C D E", 4},
        {5, "f n m-2 o", "5 1 2 2", "A B C D E", 4},
        {5, "f n mabc o", "5 1 2 2", "A B C D E", 4},
        {5, "f n m-99999999999999999999 o", "5 1 2 2", "A B C D E", 4},
        {0, "m5 o", "1 - new 1", "_", 2},
        // An unknown code ends the loop like OK, after storing.
        {5, "=X x", "5", "A B C D X", 1},
    };
    for (const Case& c : cases) {
        EditorRun run(c.count, c.script);
        EXPECT_EQ(run.screens.shown, c.shown) << c.script;
        EXPECT_EQ(Order(run.set), c.order) << c.script;
        EXPECT_EQ(run.marks, c.marks) << c.script;
        EXPECT_TRUE(run.screens.steps.empty()) << c.script;
    }
}

// A question shown from the set arrives whole; one stored back is the shown buffer whole.
TEST(EditLoopTest, EveryFieldTravelsBothWays) {
    EditorRun run(4, "f n ~ p l o");
    const Question_Set original = Letters(4);
    for (std::size_t i : {0u, 1u, 2u}) {
        const std::size_t n = i == 0 ? 4 : i;
        EXPECT_EQ(static_cast<const Zentu_Data&>(run.screens.seen[i]), original.At(n)) << n;
    }
    Zentu_Data second = original.At(2);
    second.rightResponse = "changed";
    second.caseSensitive = !second.caseSensitive;
    EXPECT_EQ(run.set.At(2), second);
    EXPECT_EQ(run.set.At(1), original.At(1));
}

// What a blank question keeps from the buffer: the responses, confirm and spaces always;
// delimiter, method, hint and case only past position 1.
TEST(EditLoopTest, BlankQuestionsInherit) {
    struct Case {
        int count;
        const char* script;
        std::size_t screen;  // which shown buffer is the blank one
        std::size_t from;    // the question it inherits from; 0 for the start values
        bool first;          // position 1: delimiter, method, hint and case reset
    };
    const Case cases[] = {
        {0, "c", 0, 0, true},     {3, "n c", 1, 3, false},    {3, "f n i c", 3, 2, false},
        {3, "f i c", 2, 1, true}, {3, "f ~ i c", 2, 1, true}, {3, "l d d d c", 4, 1, true},
    };
    const Question_Set original = Letters(3);
    for (const Case& c : cases) {
        EditorRun run(c.count, c.script);
        ASSERT_GT(run.screens.seen.size(), c.screen) << c.script;
        const EditBuffer& blank = run.screens.seen[c.screen];
        EditBuffer expected;
        if (c.from != 0) static_cast<Zentu_Data&>(expected) = original.At(c.from);
        if (std::string(c.script).find('~') != std::string::npos) {
            expected.rightResponse = "changed";
            expected.caseSensitive = !expected.caseSensitive;
        }
        expected.question.clear();
        expected.answer.clear();
        expected.hint.clear();
        if (c.first) {
            expected.delimiter = ',';
            expected.answerMethod = AnswerMethod::All;
            expected.useHint = false;
            expected.caseSensitive = false;
        }
        EXPECT_EQ(static_cast<const Zentu_Data&>(blank), static_cast<const Zentu_Data&>(expected))
            << c.script;
    }
}

// The buffer outlives the loop: the next run's new question inherits from the last one shown.
TEST(EditLoopTest, BufferCarriesOverToTheNextRun) {
    Question_Set set = Letters(3);
    EditBuffer buffer;
    FakePlatform platform;
    ScriptedScreens first("~ c", platform);
    EditLoop(set, buffer, first, platform, [] {}).Run();
    set.Clear();
    ScriptedScreens second("i c", platform);
    EditLoop(set, buffer, second, platform, [] {}).Run();
    // The second loop starts on a blank question 1 (reset delimiter and method), then Insert
    // makes another, whose responses still come from question 3 of the first run.
    ASSERT_EQ(second.seen.size(), 2u);
    EXPECT_EQ(second.seen[0].rightResponse, "changed");
    EXPECT_EQ(second.seen[0].wrongResponse, "wC");
    EXPECT_EQ(second.seen[0].delimiter, ',');
    EXPECT_EQ(set.Count(), 1u);
}

TEST(EditLoopTest, MoveAsksOnceWithItsTexts) {
    EditorRun run(3, "m2 o");
    ASSERT_EQ(run.platform.inputRequests.size(), 1u);
    EXPECT_EQ(run.platform.inputRequests[0].first, "Move");
    EXPECT_EQ(run.platform.inputRequests[0].second, "Move to question number?");
    EXPECT_EQ(run.platform.beeps, 0);
    EditorRun refused(3, "m0 o");
    EXPECT_EQ(refused.platform.beeps, 1);
}

TEST(EditLoopTest, ReadMoveNumber) {
    const std::pair<const char*, std::int64_t> cases[] = {
        {"4", 4},
        {" +3x", 3},
        {"\t\n 12 13", 12},
        {"-7", -7},
        {"", 0},
        {"abc", 0},
        {"+-3", 0},
        {"- 3", 0},
        {"0004", 4},
        {"9223372036854775807", INT64_MAX},
        {"9223372036854775808", INT64_MAX},
        {"123456789012345678901234567890", INT64_MAX},
        {"-123456789012345678901234567890", -INT64_MAX},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ReadMoveNumber(text), expected) << text;
}

}  // namespace

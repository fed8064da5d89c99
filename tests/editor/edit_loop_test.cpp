#include "editor/edit_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <regex>
#include <sstream>

#include "fakes/fake_platform.h"

namespace {

// A dialog that plays a script. Tokens: o OK, c Cancel, n Next, p Prev, f First, l Last,
// d Delete, i Insert, x an unknown code, m<text> Move answered with <text> ('_' a space),
// m! Move cancelled, =<text> types <text> as the question.
struct ScriptedScreens : EditorScreens {
    std::deque<std::string> steps;
    std::string shown;  // the titles without their prefix: "5 6 - new 5"
    std::vector<EditBuffer> seen;
    FakePlatform& platform;

    ScriptedScreens(const std::string& script, FakePlatform& platform) : platform(platform) {
        std::istringstream tokens(script);
        for (std::string token; tokens >> token;) steps.push_back(token);
    }
    int ShowQuestion(std::size_t position, bool isNew, const std::string& title,
                     EditBuffer& buffer) override {
        const std::string number = std::to_string(position) + (isNew ? " - new" : "");
        EXPECT_EQ(title, "Question Editor-question number " + number);
        shown += (shown.empty() ? "" : " ") + number;
        seen.push_back(buffer);
        for (; !steps.empty(); steps.pop_front()) {
            std::string step = steps.front();
            if (step[0] == '=') buffer.question = step.substr(1);
            if (step[0] == '=') continue;
            steps.pop_front();
            std::replace(step.begin(), step.end(), '_', ' ');
            if (step == "m!") platform.inputAnswers.push_back(std::nullopt);
            if (step[0] == 'm' && step != "m!") platform.inputAnswers.push_back(step.substr(1));
            const int exits[] = {kEditOk,   kEditCancel, kEditNext,   kEditPrev, kEditFirst,
                                 kEditLast, kEditDelete, kEditInsert, 11847,     kEditMove};
            return exits[std::string("ocnpfldixm").find(step[0])];
        }
        ADD_FAILURE() << "script ran out at " << title;
        return kEditCancel;
    }
};

// Questions A, B, C... whose every field differs from the others'.
Question_Set Letters(int count) {
    Question_Set set;
    for (int i = 0; i < count; ++i) {
        const std::string n(1, char('A' + i));
        set.Append({n, "a" + n, "h" + n, "r" + n, "w" + n, char(';' + i), i % 2 == 0, i % 2 == 1,
                    i % 3 == 0, true, AnswerMethod(1 << (i % 4))});
    }
    return set;
}

struct EditorRun {
    Question_Set set;
    EditBuffer buffer;
    FakePlatform platform;
    ScriptedScreens screens;
    int marks = 0;

    std::size_t ended = 0;

    // `start` 0 runs the editor as Edit does, from the last question.
    EditorRun(int count, const std::string& script, std::size_t start = 0)
        : set(Letters(count)), screens(script, platform) {
        EditLoop loop(set, buffer, screens, platform, [this] { ++marks; });
        start == 0 ? loop.Run() : loop.RunFrom(start);
        ended = loop.Position();
    }
};

TEST(EditLoopTest, ExitSequences) {
    struct Case {
        int count;
        const char* script;
        const char* shown;
        const char* order;
        int marks;  // commits, each of which sets questionsChanged
    } const cases[] = {
        {0, "o", "1 - new", "_", 1},
        {0, "c", "1 - new", "", 0},
        {5, "=X c", "5", "ABCDE", 0},
        {5, "n o", "5 6 - new", "ABCDE_", 2},
        {5, "n c", "5 6 - new", "ABCDE", 1},
        {5, "n =F p c", "5 6 - new 5", "ABCDEF", 2},
        {5, "=X p p p p o", "5 4 3 2 1", "ABCDX", 5},
        {5, "f p o", "5 1 1", "ABCDE", 3},
        {5, "f =Y l o", "5 1 5", "YBCDE", 3},
        // Delete stores, then removes: what was typed before it reaches nothing.
        {5, "f n =X d o", "5 1 2 2", "ACDE", 4},
        {5, "=X d o", "5 4", "ABCD", 2},
        {1, "d o", "1 1 - new", "_", 2},
        {5, "n =F d o", "5 6 - new 5", "ABCDE", 3},
        // Insert shows a blank question at the same number and pushes the old one down;
        // Cancel there leaves no copy of the old one behind.
        {5, "f n n i =X o", "5 1 2 3 3", "ABXCDE", 5},
        {5, "n i =X o", "5 6 - new 6", "ABCDEX_", 3},
        {5, "f n n =X i =Y c", "5 1 2 3 3", "ABXDE", 4},
        {5, "f n n i d o", "5 1 2 3 3 3", "ABCDE", 6},
        // Move: the editor follows the question; past the end it stays at its number.
        {5, "f n m4 o", "5 1 2 4", "ACDBE", 4},
        {5, "f n m9 o", "5 1 2 2", "ACDEB", 4},
        {5, "f n =X m1 o", "5 1 2 1", "XACDE", 4},
        {5, "f n m! o", "5 1 2 2", "ABCDE", 4},
        {5, "f n m__+3z o", "5 1 2 3", "ACBDE", 4},
        {5, "f n m18446744073709551619 o", "5 1 2 2", "ACDEB", 4},  // 2^64 + 3
        // Below 1, also text without digits: the question stays where it was, with a beep.
        {5, "f n m-18446744073709551613 o", "5 1 2 2", "ABCDE", 4},  // -(2^64 - 3)
        {5, "f n mabc o", "5 1 2 2", "ABCDE", 4},
        {0, "m5 o", "1 - new 1", "_", 2},
        {5, "=X x", "5", "ABCDX", 1},  // an unknown code ends the loop as OK does
    };
    const Question_Set letters = Letters(5);
    for (const Case& c : cases) {
        EditorRun run(c.count, c.script);
        EXPECT_EQ(run.screens.shown, c.shown) << c.script;
        std::string order;
        for (const Zentu_View r : run.set) {
            order += r.question.empty() ? "_" : r.question;
            // A question that only passed through the editor comes out whole.
            if (r.question.size() == 1 && r.question < "F") {
                EXPECT_EQ(r, letters.At(r.question[0] - 'A' + 1)) << c.script;
            }
        }
        EXPECT_EQ(order, c.order) << c.script;
        EXPECT_EQ(run.marks, c.marks) << c.script;
        EXPECT_TRUE(run.screens.steps.empty()) << c.script;
        EXPECT_EQ(run.platform.beeps, std::regex_search(c.script, std::regex(" m[0a-]")))
            << c.script;
        for (const auto& [title, prompt] : run.platform.inputRequests) {
            EXPECT_EQ(title + "|" + prompt, "Move|Move to question number?");
        }
    }
}

// The list opens the editor at the question chosen there; the list then shows the
// question where the editor ended.
TEST(EditLoopTest, StartsAtTheChosenQuestionAndTellsWhereItEnded) {
    struct Case {
        int count;
        std::size_t start;
        const char* script;
        const char* shown;
        std::size_t ended;
    } const cases[] = {
        {5, 2, "o", "2", 2},          {5, 2, "n p p c", "2 3 2 1", 1}, {5, 3, "d o", "3 3", 3},
        {5, 6, "c", "6 - new", 6},    {5, 40, "c", "6 - new", 6},      {0, 3, "o", "1 - new", 1},
        {5, 1, "f m4 o", "1 1 4", 4},
    };
    for (const Case& c : cases) {
        EditorRun run(c.count, c.script, c.start);
        EXPECT_EQ(run.screens.shown, c.shown) << c.start << " " << c.script;
        EXPECT_EQ(run.ended, c.ended) << c.start << " " << c.script;
    }
}

// A blank question has empty texts and inherits the rest from the buffer, except that at
// number 1 it takes the delimiter, method, hint and case of a first question.
TEST(EditLoopTest, WhatBlankQuestionsInherit) {
    struct Case {
        int count;
        const char* script;
        std::size_t screen;  // the shown buffer checked
        std::size_t from;    // the question it inherits from; 0: the start values
    } const cases[] = {
        {0, "c", 0, 0},
        {3, "n c", 1, 3},
        {3, "f n i c", 3, 2},
        {3, "f i c", 2, 1},
    };
    for (const Case& c : cases) {
        EditorRun run(c.count, c.script);
        ASSERT_GT(run.screens.seen.size(), c.screen) << c.script;
        Zentu_Data expected = c.from != 0 ? Letters(4).At(c.from) : EditBuffer();
        expected.question = expected.answer = expected.hint = "";
        if (c.from <= 1) {  // these blanks are number 1
            expected.delimiter = ',';
            expected.answerMethod = AnswerMethod::All;
            expected.useHint = expected.caseSensitive = false;
        }
        EXPECT_EQ(static_cast<Zentu_Data&>(run.screens.seen[c.screen]), expected) << c.script;
    }
}

}  // namespace

#include "editor/edit_loop.h"

#include <gtest/gtest.h>

#include <deque>
#include <sstream>

#include "fakes/fake_platform.h"

namespace {

// A dialog that plays a script. Tokens: o OK, c Cancel, n Next, p Prev, f First, l Last,
// d Delete, i Insert, x an unknown code, m<text> Move answered with <text> ('_' for a
// space), m! Move cancelled, =<text> types <text> as the question, ~ changes the responses.
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
        const std::string prefix = "Question Editor-question number ";
        EXPECT_EQ(title.substr(0, prefix.size()), prefix);
        EXPECT_EQ(title.substr(prefix.size()), std::to_string(position) + (isNew ? " - new" : ""));
        shown += (shown.empty() ? "" : " ") + title.substr(prefix.size());
        seen.push_back(buffer);
        for (; !steps.empty(); steps.pop_front()) {
            std::string step = steps.front();
            if (step[0] == '=') buffer.question = step.substr(1);
            if (step[0] == '~') buffer.rightResponse = "changed", buffer.caseSensitive ^= true;
            if (step[0] == '=' || step[0] == '~') continue;
            steps.pop_front();
            for (char& ch : step) ch = ch == '_' ? ' ' : ch;
            if (step[0] == 'm') {
                platform.inputAnswers.push_back(step == "m!" ? std::nullopt
                                                             : std::optional(step.substr(1)));
            }
            const std::string codes = "ocnpfldixm";
            const int exits[] = {kEditOk,   kEditCancel, kEditNext,   kEditPrev, kEditFirst,
                                 kEditLast, kEditDelete, kEditInsert, 11847,     kEditMove};
            return exits[codes.find(step[0])];
        }
        ADD_FAILURE() << "script ran out at " << title;
        return kEditCancel;
    }
};

// Questions A, B, C... whose every field differs from the others'.
Question_Set Letters(int count) {
    Question_Set set;
    for (int i = 0; i < count; ++i) {
        const std::string name(1, char('A' + i));
        Zentu_Data r{name,
                     "a" + name,
                     "h" + name,
                     "r" + name,
                     "w" + name,
                     char(';' + i),
                     i % 2 == 0,
                     i % 2 == 1,
                     i % 3 == 0,
                     true,
                     AnswerMethod(1 << (i % 4))};
        set.Append(r);
    }
    return set;
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
    std::string Order() const {
        std::string order;
        for (const Zentu_Data& r : set) order += (r.question.empty() ? "_" : r.question) + " ";
        return order.substr(0, order.size() - (order.empty() ? 0 : 1));
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
        {5, "=X c", "5", "A B C D E", 0},
        {5, "n o", "5 6 - new", "A B C D E _", 2},
        {5, "n c", "5 6 - new", "A B C D E", 1},
        {5, "n =F n =G n c", "5 6 - new 7 - new 8 - new", "A B C D E F G", 3},
        {5, "n =F p c", "5 6 - new 5", "A B C D E F", 2},
        {5, "=X p p p p o", "5 4 3 2 1", "A B C D X", 5},
        {5, "f p o", "5 1 1", "A B C D E", 3},
        {5, "f =Y l o", "5 1 5", "Y B C D E", 3},
        // Delete stores, then removes: what was typed before it reaches nothing.
        {5, "f n =X d o", "5 1 2 2", "A C D E", 4},
        {5, "=X d o", "5 4", "A B C D", 2},
        {1, "d o", "1 1 - new", "_", 2},
        {5, "n =F d o", "5 6 - new 5", "A B C D E", 3},
        {0, "d d c", "1 - new 1 - new 1 - new", "", 2},
        // Insert shows a blank question at the same number and pushes the old one down.
        {5, "f n n i =X o", "5 1 2 3 3", "A B X C D E", 5},
        {5, "n i =X o", "5 6 - new 6", "A B C D E X _", 3},
        {1, "i i =Y o", "1 1 1", "Y _ A", 3},
        // Cancel in the blank question leaves no copy of the old one behind.
        {5, "f n n =X i =Y c", "5 1 2 3 3", "A B X D E", 4},
        {5, "f n n i d o", "5 1 2 3 3 3", "A B C D E", 6},
        // Move: the editor follows the question; past the end it stays at its number.
        {5, "f n m4 o", "5 1 2 4", "A C D B E", 4},
        {5, "f n m5 o", "5 1 2 5", "A C D E B", 4},
        {5, "f n m9 o", "5 1 2 2", "A C D E B", 4},
        {5, "m9 o", "5 5", "A B C D E", 2},
        {5, "f n =X m1 o", "5 1 2 1", "X A C D E", 4},
        {5, "f n m! o", "5 1 2 2", "A B C D E", 4},
        {5, "f n m__+3z o", "5 1 2 3", "A C B D E", 4},
        {5, "f n m99999999999999999999999 o", "5 1 2 2", "A C D E B", 4},
        // Below 1, also text without digits: the question stays where it was, with a beep.
        {5, "f n m0 o", "5 1 2 2", "A B C D E", 4},
        {5, "f n m-99999999999999999999 o", "5 1 2 2", "A B C D E", 4},
        {5, "f n mabc o", "5 1 2 2", "A B C D E", 4},
        {0, "m5 o", "1 - new 1", "_", 2},
        {5, "=X x", "5", "A B C D X", 1},  // an unknown code ends the loop as OK does
    };
    for (const Case& c : cases) {
        EditorRun run(c.count, c.script);
        EXPECT_EQ(run.screens.shown, c.shown) << c.script;
        EXPECT_EQ(run.Order(), c.order) << c.script;
        EXPECT_EQ(run.marks, c.marks) << c.script;
        EXPECT_TRUE(run.screens.steps.empty()) << c.script;
        const std::string script = c.script;
        const bool refused =
            script.find(" m0") + script.find(" m-") + script.find(" ma") != 3 * std::string::npos;
        EXPECT_EQ(run.platform.beeps, refused ? 1 : 0) << c.script;
        for (const auto& [title, prompt] : run.platform.inputRequests) {
            EXPECT_EQ(title + "|" + prompt, "Move|Move to question number?");
        }
    }
}

// Each shown buffer against the question it came from: a whole copy, or for a blank one
// empty texts with the rest inherited, except that a blank number 1 resets the delimiter,
// method, hint and case. Screen 0 of the second case and the change '~' stored by Prev
// show that a stored question is the buffer whole.
TEST(EditLoopTest, ShownBuffersAndWhatBlankQuestionsInherit) {
    struct Case {
        int count;
        const char* script;
        std::size_t screen;  // the shown buffer checked
        std::size_t from;    // the question it shows or inherits from; 0: the start values
        bool blank, first;   // a blank question; at number 1
    } const cases[] = {
        {0, "c", 0, 0, true, true},
        {3, "n c", 1, 3, true, false},
        {3, "f n i c", 3, 2, true, false},
        {3, "f i c", 2, 1, true, true},
        {3, "f ~ i c", 2, 1, true, true},
        {3, "l d d d c", 4, 1, true, true},
        {4, "f n ~ p n c", 4, 2, false, false},
        {4, "f n c", 2, 2, false, false},
    };
    for (const Case& c : cases) {
        EditorRun run(c.count, c.script);
        ASSERT_GT(run.screens.seen.size(), c.screen) << c.script;
        EditBuffer expected;
        if (c.from != 0) static_cast<Zentu_Data&>(expected) = Letters(4).At(c.from);
        if (std::string(c.script).find('~') != std::string::npos) {
            expected.rightResponse = "changed";
            expected.caseSensitive = !expected.caseSensitive;
        }
        if (c.blank) expected.question = expected.answer = expected.hint = "";
        if (c.blank && c.first) {
            expected.delimiter = ',';
            expected.answerMethod = AnswerMethod::All;
            expected.useHint = expected.caseSensitive = false;
        }
        EXPECT_EQ(static_cast<Zentu_Data&>(run.screens.seen[c.screen]),
                  static_cast<Zentu_Data&>(expected))
            << c.script;
    }
}

}  // namespace

// Whole runs from the main window's menu through the real question dialogs and message
// boxes, driven by keys alone.
#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <deque>
#include <map>

#include "app/zentu_window.h"
#include "framework/command_menu.h"
#include "framework/text_box.h"
#include "quiz/mistakes_dialog.h"
#include "quiz/question_dialog.h"
#include "quiz/random_generator.h"
#include "quiz/shuffle.h"

namespace {

struct RunSeen {
    std::vector<std::string> asked;
    std::vector<std::string> captions;
    std::vector<std::string> boxes;  // "caption: text", the caption marked when unowned
    bool exitEnabled = false;
};

// Picks the run from the Tools menu by its mnemonic, then answers each question dialog with
// the next answer scripted for its question and Enter ("Esc" cancels; with the script spent,
// the right answer, so that a run asking too often still ends) and each box with Enter. The
// mistakes window is closed with Escape, or left with Alt+R to repeat the mistakes.
RunSeen RunByKeys(zentuwin* window, Qt::Key run, std::map<std::string, std::deque<QString>> answers,
                  bool repeat = false) {
    RunSeen seen;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        window->Menu()->UpdateEnabled();
        seen.exitEnabled = seen.exitEnabled || window->Menu()->Action(kCmExit)->isEnabled();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            const QString owner = box->parentWidget() != nullptr ? "" : " (no owner)";
            seen.boxes.push_back((box->windowTitle() + owner + ": " + box->text()).toStdString());
            return QTest::keyClick(box, Qt::Key_Return);
        }
        if (auto* mistakes = qobject_cast<MistakesDialog*>(modal)) {
            if (!seen.boxes.empty() && seen.boxes.back().rfind("Mistakes", 0) == 0) return;
            seen.boxes.push_back("Mistakes: " + mistakes->List()->Bytes());
            return QTest::keyClick(mistakes->focusWidget(), repeat ? Qt::Key_R : Qt::Key_Escape,
                                   repeat ? Qt::AltModifier : Qt::NoModifier);
        }
        auto* dialog = qobject_cast<testdial*>(modal);
        seen.asked.push_back(dialog->QuestionBox()->Bytes());
        seen.captions.push_back(dialog->windowTitle().toStdString());
        if (seen.asked.size() > 9) return dialog->Button(kIdCancel)->click();  // stuck
        std::deque<QString>& script = answers[seen.asked.back()];
        const QString answer =
            script.empty() ? QString::fromStdString(seen.asked.back()).chopped(1) : script.front();
        if (!script.empty()) script.pop_front();
        if (answer == "Esc") return QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
        QTest::keyClicks(dialog->focusWidget(), answer);
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    });
    user.start(5);
    window->activateWindow();  // the menu's Alt keys work in the active window
    EXPECT_TRUE(QTest::qWaitFor([window] { return window->isActiveWindow(); }));
    QTest::keyClick(window, Qt::Key_T, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    if (QWidget* tools = QApplication::activePopupWidget()) {
        QTest::keyClick(tools, run);  // returns when the run is over
    }
    return seen;
}

}  // namespace

TEST(QuizEndToEnd, GradedQuizAndRandomTestByKeys) {
    zentu program;
    zentuwin* window = program.CreateMainWindow(std::nullopt);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    Question_Set& set = window->State().Questions();
    set.Append({"1?", "1", {}, {}, {}, ',', false, /*confirmCorrect=*/true});
    set.Append({"2?", "2", {}, {}, {}});
    set.Append({"3?", "3", {}, {}, {}});
    const std::string right = "Correct Answer: Good Job, You got the correct answer.";
    const std::string wrong =
        "Incorrect Answer (no owner): The answer you typed in was incorrect.  The correct "
        "answer is: 2";

    // With the explanations off, the boxes are those the program always showed; the
    // mistakes window follows the totals.
    if (window->State().ExplainWrongAnswers())
        window->Menu()->Action(kCmExplainWrongAnswers)->trigger();
    const RunSeen quiz = RunByKeys(window, Qt::Key_Q, {{"2?", {"5"}}});
    EXPECT_EQ(quiz.asked, (std::vector<std::string>{"1?", "2?", "3?"}));
    EXPECT_EQ(quiz.captions,
              (std::vector<std::string>{"Question 1 of 3", "Question 2 of 3", "Question 3 of 3"}));
    EXPECT_EQ(quiz.boxes,
              (std::vector<std::string>{right, wrong,
                                        "Totals: You answered 2 correctly.\nYou answered "
                                        "1 incorrectly.\nYour got 66% correct.",
                                        "Mistakes: Question: 2?\r\nAnswer: 2"}));

    // The order the program's generator will give, worked out on a copy of it. 2? is
    // answered wrong, so asked again, and then cancelled: its box still comes, and no totals.
    RandomGenerator copy(ProgramRandom().State());
    std::vector<std::string> order;
    std::vector<std::string> boxes;
    for (std::uint32_t position : ShuffleOrder(3, copy)) {
        order.push_back(set.At(position + 1).question);
        if (position < 2) boxes.push_back(position == 0 ? right : wrong);
    }
    order.push_back("2?");
    boxes.push_back(wrong);
    const RunSeen test = RunByKeys(window, Qt::Key_T, {{"2?", {"9", "Esc"}}});
    EXPECT_EQ(test.asked, order);
    EXPECT_EQ(test.boxes, boxes);
    // The set cannot be swapped under a run: even Exit waits.
    EXPECT_FALSE(quiz.exitEnabled || test.exitEnabled);
}

// Explanations on: the usual text first, the reason below it in the same box. A wrong
// answer in a Graded Quiz is repeated with Alt+R in a Random Test of its own, which ends
// with its box. The setting lasts into the next run of the program.
TEST(QuizEndToEnd, ExplanationsAndRepeatedMistakes) {
    auto program = std::make_unique<zentu>();
    zentuwin* window = program->CreateMainWindow(std::nullopt);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QAction* explain = window->Menu()->Action(kCmExplainWrongAnswers);
    if (!window->State().ExplainWrongAnswers()) explain->trigger();
    EXPECT_TRUE(explain->isChecked());
    Question_Set& set = window->State().Questions();
    Zentu_Data street{"Where?", "The street", {}, {}, {}};
    street.caseSensitive = true;
    set.Append(street);
    set.Append({"Capitals?", "Madrid,Paris,Rome", {}, {}, {}});
    set.Append({"3?", "3", {}, {}, {}});

    const RunSeen seen = RunByKeys(window, Qt::Key_Q,
                                   {{"Where?", {"the street", "The street"}},
                                    {"Capitals?", {"Rome,Paris", "Paris,Madrid,Rome"}}},
                                   true);
    const std::vector<std::string> asked = {"Where?", "Capitals?", "3?", "Capitals?", "Where?"};
    EXPECT_EQ(seen.asked, asked);
    EXPECT_EQ(seen.captions,
              (std::vector<std::string>{"Question 1 of 3", "Question 2 of 3", "Question 3 of 3",
                                        "Round 1: question 1 of 2", "Round 1: question 2 of 2"}));
    const std::vector<std::string> boxes = {
        "Incorrect Answer (no owner): The answer you typed in was incorrect.  The correct answer "
        "is: The street\n\nOnly letter case differs, and this question counts it.\nYou typed: "
        "[t]he street\nClosest answer: [T]he street",
        "Incorrect Answer (no owner): The answer you typed in was incorrect. The correct answers "
        "are: Madrid,Paris,Rome\n\n2 of 3 answers were given.\nMissing: \"Madrid\".",
        "Totals: You answered 1 correctly.\nYou answered 2 incorrectly.\nYour got 33% correct.",
        "Mistakes: Question: Where?\r\nAnswer: The street\r\n\r\nQuestion: "
        "Capitals?\r\nAnswer: Madrid,Paris,Rome",
        "End of Test: Every question has now been answered right.\nRounds: 1\nRight the first "
        "time: 2 of 2 (100%)"};
    EXPECT_EQ(seen.boxes, boxes);

    explain->trigger();
    program = std::make_unique<zentu>();
    window = program->CreateMainWindow(std::nullopt);
    EXPECT_FALSE(window->State().ExplainWrongAnswers());
    EXPECT_FALSE(window->Menu()->Action(kCmExplainWrongAnswers)->isChecked());
}

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
#include "quiz/question_dialog.h"
#include "quiz/random_generator.h"
#include "quiz/shuffle.h"

namespace {

struct RunSeen {
    std::vector<std::string> asked;
    std::vector<std::string> boxes;  // "caption: text", the caption marked when unowned
    bool exitEnabled = false;
};

// Picks the run from the Tools menu by its mnemonic, then answers each question dialog with
// the next answer scripted for its question and Enter ("Esc" cancels; with the script spent,
// the right answer, so that a run asking too often still ends) and each box with Enter.
RunSeen RunByKeys(zentuwin* window, Qt::Key run,
                  std::map<std::string, std::deque<QString>> answers) {
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
        auto* dialog = qobject_cast<testdial*>(modal);
        seen.asked.push_back(dialog->QuestionBox()->Bytes());
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

    const RunSeen quiz = RunByKeys(window, Qt::Key_Q, {{"2?", {"5"}}});
    EXPECT_EQ(quiz.asked, (std::vector<std::string>{"1?", "2?", "3?"}));
    EXPECT_EQ(quiz.boxes,
              (std::vector<std::string>{right, wrong,
                                        "Totals: You answered 2 correctly.\nYou answered "
                                        "1 incorrectly.\nYour got 66% correct."}));

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

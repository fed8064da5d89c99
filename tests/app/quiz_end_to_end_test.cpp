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

// Answers whatever window is up, one window at a time, by keys: the Tools menu with the
// run's mnemonic, each question dialog with the next answer scripted for its question,
// and each message box with Enter. Each answer gets a fresh timer, since a timer does not
// fire again while its own handler waits in a dialog.
class KeyboardUser {
  public:
    KeyboardUser(zentuwin* window, Qt::Key runKey) : window(window), runKey(runKey) {}

    std::map<std::string, std::deque<QString>> answers;
    std::vector<std::string> asked;
    std::vector<QString> boxes;  // "caption: text"
    bool finished = false;
    bool setWasLocked = true;

    void Start() {
        // The menu's Alt keys work in the active window.
        window->activateWindow();
        QTest::qWaitFor([this] { return window->isActiveWindow(); });
        QTest::keyClick(window, Qt::Key_T, Qt::AltModifier);
        Next();
    }

  private:
    void Next() {
        auto* timer = new QTimer;
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, [this, timer] {
            if (!Ready()) return;
            timer->stop();
            timer->deleteLater();
            Act();
        });
        timer->start();
    }

    bool Ready() const {
        return QApplication::activePopupWidget() != nullptr ||
               QApplication::activeModalWidget() != nullptr;
    }

    void Act() {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            Next();
            QTest::keyClick(popup, runKey);  // returns when the run is over
            finished = true;
            return;
        }
        QWidget* modal = QApplication::activeModalWidget();
        Next();
        // The set cannot be swapped under the run: Open stays disabled meanwhile.
        window->Menu()->UpdateEnabled();
        setWasLocked = setWasLocked && !window->Menu()->Action(kCmOpen)->isEnabled();
        if (auto* dialog = qobject_cast<testdial*>(modal)) {
            const std::string question = dialog->QuestionBox()->Bytes();
            asked.push_back(question);
            std::deque<QString>& script = answers[question];
            const QString answer = script.empty() ? QString() : script.front();
            if (!script.empty()) script.pop_front();
            QTest::keyClicks(dialog->focusWidget(), answer);
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes.push_back(box->windowTitle() + ": " + box->text());
            QTest::keyClick(box, Qt::Key_Return);
        }
    }

    zentuwin* window;
    Qt::Key runKey;
};

}  // namespace

TEST(QuizEndToEnd, GradedQuizAndRandomTestByKeys) {
    zentu program;
    zentuwin* window = program.CreateMainWindow(std::nullopt);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    Question_Set& set = window->State().Questions();
    for (const char* text : {"One?", "Two?", "Three?"}) {
        Zentu_Data question;
        question.question = text;
        question.answer = std::to_string(set.Count() + 1);
        question.confirmCorrect = set.Empty();
        set.Append(question);
    }

    {
        KeyboardUser user(window, Qt::Key_Q);
        user.answers = {{"One?", {"1"}}, {"Two?", {"5"}}, {"Three?", {"3"}}};
        user.Start();
        ASSERT_TRUE(QTest::qWaitFor([&user] { return user.finished; }, 10000));
        EXPECT_EQ(user.asked, (std::vector<std::string>{"One?", "Two?", "Three?"}));
        ASSERT_EQ(user.boxes.size(), 3u);
        EXPECT_EQ(user.boxes[0], "Correct Answer: Good Job, You got the correct answer.");
        EXPECT_TRUE(user.boxes[1].startsWith("Incorrect Answer: ")) << user.boxes[1].toStdString();
        EXPECT_EQ(user.boxes[2],
                  "Totals: You answered 2 correctly.\nYou answered 1 incorrectly.\n"
                  "Your got 66% correct.");
        EXPECT_TRUE(user.setWasLocked);
    }
    {
        // The order the program's generator will give, worked out on a copy of it.
        RandomGenerator copy(ProgramRandom().State());
        const std::vector<std::uint32_t> order = ShuffleOrder(3, copy);
        std::vector<std::string> expected;
        for (std::uint32_t position : order) expected.push_back(set.At(position + 1).question);
        expected.push_back("Two?");  // answered wrong once, asked again in the second pass

        KeyboardUser user(window, Qt::Key_T);
        user.answers = {{"One?", {"1"}}, {"Two?", {"9", "2"}}, {"Three?", {"3"}}};
        user.Start();
        ASSERT_TRUE(QTest::qWaitFor([&user] { return user.finished; }, 10000));
        EXPECT_EQ(user.asked, expected);
        // One confirmation, one wrong answer, and no totals.
        ASSERT_EQ(user.boxes.size(), 2u);
        EXPECT_EQ(ProgramRandom().State(), copy.State());
        EXPECT_TRUE(user.setWasLocked);
    }
    window->Menu()->UpdateEnabled();
    EXPECT_TRUE(window->Menu()->Action(kCmOpen)->isEnabled());
    EXPECT_EQ(set.Count(), 3u);
}

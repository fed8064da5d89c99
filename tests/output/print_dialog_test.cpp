#include "output/print_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

#include "fakes/when_modal.h"

namespace {

struct Box {
    int id;
    const char* label;
};
const Box kBoxes[] = {{5101, "Question"},      {3102, "Answer"},
                      {103, "Hint"},           {104, "Delimiter"},
                      {105, "Use Hint"},       {106, "Confirm Correct"},
                      {107, "Case Sensitive"}, {108, "Multipule Answer Format"},
                      {101, "Check Spaces"}};

TEST(PrintDialog, ShowsNineBoxesInTheirKeyboardOrder) {
    printdial dialog(ElementSelection{}, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Print");
    int previousY = -1;
    for (const Box& box : kBoxes) {
        auto* check = qobject_cast<QCheckBox*>(dialog.Control(box.id));
        ASSERT_NE(check, nullptr) << box.id;
        EXPECT_EQ(check->text(), box.label);
        EXPECT_FALSE(check->isChecked());
        EXPECT_GT(check->y(), previousY) << box.label << " is not below the one before";
        previousY = check->y();
    }
    auto* ok = qobject_cast<QPushButton*>(dialog.Button(kIdOk));
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    const auto frames = dialog.findChildren<ShadedFrame*>();
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames.front()->Title(), "Print Which Elements?");

    // Tab goes OK, Cancel, then the boxes from top to bottom, and round again.
    std::vector<QWidget*> expected = {dialog.Control(kIdOk), dialog.Control(kIdCancel)};
    for (const Box& box : kBoxes) expected.push_back(dialog.Control(box.id));
    std::vector<QWidget*> order;
    QWidget* widget = expected.front();
    do {
        if (widget->focusPolicy() & Qt::TabFocus) order.push_back(widget);
        widget = widget->nextInFocusChain();
    } while (widget != expected.front());
    EXPECT_EQ(order, expected);
}

TEST(PrintDialog, TransfersTheSelectionOnOkOnly) {
    ElementSelection start;
    start.values = {1, 0, 0x8000, 0, 0, 0, 0, 0, 1};  // any non-zero value is ticked
    const struct {
        const char* name;
        std::vector<int> click;
        int close;  // a key, or 0 for the close box
        bool accepted;
        std::array<std::uint16_t, kElementCount> after;
    } cases[] = {
        {"OK with nothing changed writes 1 for every ticked box",
         {},
         Qt::Key_Return,
         true,
         {1, 0, 1, 0, 0, 0, 0, 0, 1}},
        {"boxes clicked on and off",
         {5101, 108, 104},
         Qt::Key_Return,
         true,
         {0, 0, 1, 1, 0, 0, 0, 1, 1}},
        {"Escape keeps the selection", {5101, 3102}, Qt::Key_Escape, false, start.values},
        {"the close box keeps the selection", {106}, 0, false, start.values},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ElementSelection selection = start;
        DialogElementChooser chooser(nullptr);
        bool shownTicked = true;
        WhenModal<printdial>([&](printdial* dialog) {
            for (std::size_t i = 0; i < kElementCount; ++i) {
                shownTicked &= dialog->IsChecked(kElementCheckBoxIds[i]) == (start.values[i] != 0);
            }
            for (int id : c.click) dialog->Button(id)->click();
            if (c.close != 0) {
                QTest::keyClick(dialog, static_cast<Qt::Key>(c.close));
            } else {
                dialog->close();
            }
        });
        EXPECT_EQ(chooser.ChooseElements(selection), c.accepted);
        EXPECT_TRUE(shownTicked);
        EXPECT_EQ(selection.values, c.after);
    }
}

TEST(PrintDialog, WorksFromTheKeyboardAlone) {
    ElementSelection selection;
    DialogElementChooser chooser(nullptr);
    WhenModal<printdial>([](printdial* dialog) {
        dialog->activateWindow();
        QApplication::setActiveWindow(dialog);
        // From OK: Tab to Cancel, to Question, to Answer; Space ticks it; Enter is OK.
        for (int i = 0; i < 3; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    ASSERT_TRUE(chooser.ChooseElements(selection));
    ElementSelection expected;
    expected.Set(Element::Answer, true);
    EXPECT_EQ(selection.values, expected.values);
}

}  // namespace

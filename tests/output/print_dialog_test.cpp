#include "output/print_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

#include "fakes/when_modal.h"

namespace {

// Nine boxes top to bottom after OK and Cancel, in that keyboard order too, opened as
// `shown` stands. A failed check ends only this function, so the dialog still closes.
void CheckLayout(printdial& dialog, const ElementSelection& shown) {
    const char* const labels[] = {
        "Question",    "Answer",          "Hint",           "Delimiter",
        "Use Hint",    "Confirm Correct", "Case Sensitive", "Multipule Answer Format",
        "Check Spaces"};
    EXPECT_EQ(dialog.windowTitle() + "/" + dialog.findChild<ShadedFrame*>()->Title(),
              "Print/Print Which Elements?");
    EXPECT_TRUE(qobject_cast<QPushButton*>(dialog.Button(kIdOk))->isDefault());
    std::vector<QWidget*> expected = {dialog.Control(kIdOk), dialog.Control(kIdCancel)};
    for (std::size_t i = 0; i < kElementCount; ++i) {
        auto* box = qobject_cast<QCheckBox*>(dialog.Control(kElementCheckBoxIds[i]));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), labels[i]);
        EXPECT_EQ(box->isChecked(), shown.values[i] != 0) << labels[i];
        EXPECT_TRUE(i == 0 || box->y() > expected.back()->y()) << labels[i];
        expected.push_back(box);
    }
    std::vector<QWidget*> order;
    QWidget* widget = expected.front();
    do {
        if (widget->focusPolicy() & Qt::TabFocus) order.push_back(widget);
        widget = widget->nextInFocusChain();
    } while (widget != expected.front());
    EXPECT_EQ(order, expected);
}

// The boxes are read back on OK only.
TEST(PrintDialog, ShowsTheNineBoxesInOrderAndTransfersThemOnOkOnly) {
    ElementSelection start;
    start.values = {1, 0, 0x8000, 0, 0, 0, 0, 0, 1};  // any non-zero value is ticked
    const struct {
        std::vector<int> click;
        std::vector<Qt::Key> keys;  // none: the close box
        std::array<std::uint16_t, kElementCount> after;
    } cases[] = {
        {{}, {Qt::Key_Return}, {1, 0, 1, 0, 0, 0, 0, 0, 1}},
        {{5101, 108, 104}, {Qt::Key_Return}, {0, 0, 1, 1, 0, 0, 0, 1, 1}},
        {{5101, 3102}, {Qt::Key_Escape}, start.values},
        {{106}, {}, start.values},
        // From OK: Tab to Cancel, Question, Answer; Space ticks Answer; Enter is OK.
        {{},
         {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Return},
         {1, 1, 1, 0, 0, 0, 0, 0, 1}},
    };
    for (const auto& c : cases) {
        ElementSelection selection = start;
        WhenModal<printdial>([&](printdial* dialog) {
            CheckLayout(*dialog, start);
            for (int id : c.click) dialog->Button(id)->click();
            QApplication::setActiveWindow(dialog);
            for (Qt::Key key : c.keys) QTest::keyClick(QApplication::focusWidget(), key);
            if (c.keys.empty()) dialog->close();
        });
        DialogElementChooser chooser(nullptr);
        EXPECT_EQ(chooser.ChooseElements(selection), c.after != start.values);
        EXPECT_EQ(selection.values, c.after);
    }
}

}  // namespace

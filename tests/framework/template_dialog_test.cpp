#include "framework/template_dialog.h"

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <map>

#include "framework/command_menu.h"
#include "framework/text_box.h"

// Dialog units are a quarter of the font's average width and an eighth of its height.
TEST(TemplateDialog, EveryTemplateBuildsWithItsControlsInPlace) {
    // The widget class of each ControlKind, in the enum's order.
    const char* const kClasses[] = {"QLabel",      "ShadedFrame", "QFrame",      "TextBox",
                                    "QPushButton", "QCheckBox",   "QRadioButton"};
    for (const DialogTemplate& layout : AllDialogs()) {
        SCOPED_TRACE(layout.id);
        TemplateDialog dialog(layout, nullptr);
        const double x = dialog.BaseUnitX() / 4.0;
        const double y = dialog.BaseUnitY() / 8.0;
        ASSERT_TRUE(x >= 1.0 && y >= 1.0);
        EXPECT_EQ(dialog.windowTitle().toStdString(), layout.title);
        EXPECT_NEAR(dialog.width(), layout.width * x, 1.0);
        EXPECT_NEAR(dialog.height() - dialog.ClientTop(), layout.height * y, 1.0);
        EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
        EXPECT_EQ(dialog.ClientTop() > 0, layout.menuId != 0);
        for (const DialogControl& control : layout.controls) {
            if (control.id == kNoControlId) continue;
            SCOPED_TRACE(control.id);
            QWidget* widget = dialog.Control(control.id);
            ASSERT_NE(widget, nullptr);
            EXPECT_TRUE(widget->inherits(kClasses[static_cast<int>(control.kind)]));
            EXPECT_NEAR(widget->x(), control.x * x, 1.0);
            EXPECT_NEAR(widget->y() - dialog.ClientTop(), control.y * y, 1.0);
            // Check boxes and radio buttons may grow to show their captions, within the dialog.
            EXPECT_GE(widget->width() + 1, control.width * x);
            EXPECT_LE(widget->x() + widget->width(), dialog.width());
            EXPECT_EQ(widget->isHidden(), (control.style & kStyleHidden) != 0);
            if (QLabel* label = dialog.Label(control.id)) {
                EXPECT_EQ(label->textFormat(), Qt::PlainText);
            }
        }
        EXPECT_EQ(dialog.Control(12345), nullptr);
    }
    EXPECT_EQ(TemplateDialog::Create(4242, nullptr), nullptr);
}

TEST(TemplateDialog, TextBoxesTakeTheirLimitAndEnterKeyFromTheTemplate) {
    struct Case {
        int dialog, control, limit;
        bool multiLine, readOnly, enterIsNewLine;
    } const cases[] = {
        {kDialogQuestionEditor, 403, 1023, true, false, true},
        {kDialogQuestionWithHint, 401, 1023, true, false, false},
        {kDialogQuestionNoHint, 402, 0, true, true, false},
        {kDialogAdvanced, 108, 1, false, false, false},
    };
    for (const Case& c : cases) {
        const auto dialog = TemplateDialog::Create(c.dialog, nullptr);
        TextBox* box = dialog->Edit(c.control);
        ASSERT_NE(box, nullptr) << c.dialog << "/" << c.control;
        EXPECT_EQ(box->ByteLimit(), c.limit) << c.control;
        EXPECT_EQ(box->MultiLine(), c.multiLine) << c.control;
        EXPECT_EQ(box->isReadOnly(), c.readOnly) << c.control;
        EXPECT_EQ(box->Enter() == TextBox::EnterKey::NewLine, c.enterIsNewLine) << c.control;
    }
}

TEST(TemplateDialog, EndsWithTheIdOfTheButtonThatClosedIt) {
    struct Case {
        int dialog, button, result;  // button 0: Escape
    } const cases[] = {
        {kDialogQuestionEditor, 98, 98},
        {kDialogQuestionEditor, 97, 97},
        {kDialogQuestionEditor, 0, kIdCancel},
        {kDialogElements, kIdCancel, kIdCancel},
    };
    for (const Case& c : cases) {
        auto dialog = TemplateDialog::Create(c.dialog, nullptr);
        dialog->open();
        if (c.button == 0) {
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        } else {
            dialog->Button(c.button)->click();
        }
        EXPECT_FALSE(dialog->isVisible()) << c.dialog << "/" << c.button;
        EXPECT_EQ(dialog->result(), c.result) << c.dialog << "/" << c.button;
    }
}

// The question dialog: no close box; Hint and Character Map run the dialog's own commands
// and it stays open, while an unbound menu item is disabled; Enter in the answer box
// presses OK. It opens at its template's place over the main window's client area.
TEST(TemplateDialog, QuestionDialog) {
    QMainWindow frame;
    frame.setCentralWidget(new QWidget);
    frame.setGeometry(100, 100, 600, 400);
    frame.show();
    auto dialog = TemplateDialog::Create(kDialogQuestionWithHint, &frame);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog->Menu()->Action(11850)->isEnabled());
    int commands = 0;
    dialog->Commands().Bind(95, [&] { ++commands; });
    dialog->Commands().Bind(11850, [&] { ++commands; });
    dialog->Menu()->UpdateEnabled();
    dialog->open();
    EXPECT_EQ(dialog->pos(), frame.centralWidget()->mapToGlobal(QPoint(0, 0)) +
                                 QPoint(dialog->UnitsToPixelsX(7), dialog->UnitsToPixelsY(21)));
    dialog->Button(95)->click();
    dialog->Menu()->Action(11850)->trigger();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(commands, 2);
    dialog->Edit(401)->setFocus();
    QTest::keyClicks(dialog->Edit(401), QStringLiteral("Paris"));
    QTest::keyClick(dialog->Edit(401), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), kIdOk);
}

TEST(TemplateDialog, RadioButtonsCanAllBeClearedAndCheckBoxesStandAlone) {
    auto dialog = TemplateDialog::Create(kDialogAdvanced, nullptr);
    for (int id : {104, 106, 7101, 105}) dialog->SetChecked(id, true);
    EXPECT_FALSE(dialog->IsChecked(104));
    EXPECT_TRUE(dialog->IsChecked(106) && dialog->IsChecked(7101) && dialog->IsChecked(105));
    dialog->SetChecked(106, false);
    for (int id : {103, 104, 106, 110}) EXPECT_FALSE(dialog->IsChecked(id)) << id;
}

// Assistive technology names every text box after its label, the frame around it, or what
// its template calls it.
TEST(TemplateDialog, EveryTextBoxHasAnAccessibleName) {
    const char* const kPrompt = "Move to question number?";
    const std::map<std::pair<int, int>, std::string> names = {
        {{kDialogQuestionEditor, 403}, "Question:"},
        {{kDialogQuestionEditor, 404}, "Answer(s):"},
        {{kDialogQuestionWithHint, 402}, "Question"},
        {{kDialogQuestionWithHint, 401}, "Answer"},
        {{kDialogQuestionNoHint, 402}, "Question"},
        {{kDialogQuestionNoHint, 401}, "Answer"},
        {{kDialogAdvanced, 111}, "Hint Text"},
        {{kDialogAdvanced, 2102}, "Wrong Response"},
        {{kDialogAdvanced, 101}, "Right Response"},
        {{kDialogAdvanced, 108}, "Muli-Answer Delimiter"},
        {{kDialogInput, kIdInputText}, kPrompt},  // the prompt, set when the dialog is run
        {{kDialogMistakes, kIdMistakesList}, "Questions answered wrong:"},
        {{kDialogImportOptions, kIdImportOtherText}, "Other separator"},
        {{kDialogImportOptions, kIdImportDelimiter}, "Answer delimiter:"},
    };
    std::size_t boxes = 0;
    for (const DialogTemplate& layout : AllDialogs()) {
        TemplateDialog dialog(layout, nullptr);
        if (QLabel* prompt = dialog.Label(kIdInputPrompt)) prompt->setText(kPrompt);
        for (const DialogControl& control : layout.controls) {
            if (control.kind != ControlKind::Edit) continue;
            SCOPED_TRACE(std::to_string(layout.id) + "/" + std::to_string(control.id));
            ++boxes;
            const auto name = names.find({layout.id, control.id});
            ASSERT_NE(name, names.end()) << "a text box the table does not know";
            QWidget* box = dialog.Control(control.id);
            EXPECT_EQ(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name),
                      QString::fromStdString(name->second));
        }
    }
    EXPECT_EQ(boxes, names.size());
}

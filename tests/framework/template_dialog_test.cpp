#include "framework/template_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "framework/command_menu.h"
#include "framework/text_box.h"

namespace {

bool HasTheRightKind(const DialogControl& control, QWidget* widget) {
    switch (control.kind) {
        case ControlKind::Static:
            return qobject_cast<QLabel*>(widget) != nullptr;
        case ControlKind::GroupFrame:
            return qobject_cast<ShadedFrame*>(widget) != nullptr;
        case ControlKind::Line:
            return qobject_cast<QFrame*>(widget) != nullptr;
        case ControlKind::Edit:
            return qobject_cast<TextBox*>(widget) != nullptr;
        case ControlKind::PushButton:
            return qobject_cast<QPushButton*>(widget) != nullptr;
        case ControlKind::CheckBox:
            return qobject_cast<QCheckBox*>(widget) != nullptr;
        case ControlKind::RadioButton:
            return qobject_cast<QRadioButton*>(widget) != nullptr;
    }
    return false;
}

}  // namespace

TEST(TemplateDialog, EveryTemplateBuildsWithItsControlsInPlace) {
    for (const DialogTemplate& layout : AllDialogs()) {
        SCOPED_TRACE(layout.id);
        TemplateDialog dialog(layout, nullptr);
        const int bx = dialog.BaseUnitX();
        const int by = dialog.BaseUnitY();
        ASSERT_GE(bx, 4);
        ASSERT_GE(by, 8);
        EXPECT_EQ(dialog.windowTitle().toStdString(), layout.title);
        EXPECT_NEAR(dialog.width(), layout.width * bx / 4.0, 1.0);
        EXPECT_NEAR(dialog.height() - dialog.ClientTop(), layout.height * by / 8.0, 1.0);
        EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
        EXPECT_EQ(dialog.ClientTop() > 0, layout.menuId != 0);
        for (const DialogControl& control : layout.controls) {
            if (control.id == kNoControlId) {
                continue;
            }
            SCOPED_TRACE(control.id);
            QWidget* widget = dialog.Control(control.id);
            ASSERT_NE(widget, nullptr);
            EXPECT_TRUE(HasTheRightKind(control, widget));
            EXPECT_NEAR(widget->x(), control.x * bx / 4.0, 1.0);
            EXPECT_NEAR(widget->y() - dialog.ClientTop(), control.y * by / 8.0, 1.0);
            if (control.kind == ControlKind::CheckBox || control.kind == ControlKind::RadioButton) {
                // Grown to show the whole caption, but never past the dialog's edge.
                EXPECT_GE(widget->width() + 1, control.width * bx / 4.0);
                EXPECT_LE(widget->x() + widget->width(), dialog.width());
            } else {
                EXPECT_NEAR(widget->width(), control.width * bx / 4.0, 1.0);
            }
            EXPECT_EQ(widget->isHidden(), (control.style & kStyleHidden) != 0);
            if (TextBox* box = dialog.Edit(control.id)) {
                EXPECT_EQ(box->ByteLimit(), control.textLimit);
                EXPECT_EQ(box->isReadOnly(), (control.style & kStyleReadOnly) != 0);
            }
        }
        EXPECT_EQ(dialog.Control(12345), nullptr);
    }
}

TEST(TemplateDialog, ResourcesHoldWhatTheDialogsNeed) {
    struct Case {
        int dialog;
        int control;
        int limit;
        bool multiLine;
        TextBox::EnterKey enter;
    };
    const Case cases[] = {
        {kDialogQuestionEditor, 403, 1023, true, TextBox::EnterKey::NewLine},
        {kDialogQuestionEditor, 404, 1023, true, TextBox::EnterKey::NewLine},
        {kDialogQuestionWithHint, 401, 1023, true, TextBox::EnterKey::DefaultButton},
        {kDialogAdvanced, 111, 1023, true, TextBox::EnterKey::NewLine},
        {kDialogAdvanced, 2102, 1023, true, TextBox::EnterKey::NewLine},
        {kDialogAdvanced, 101, 1023, true, TextBox::EnterKey::NewLine},
        {kDialogAdvanced, 108, 1, false, TextBox::EnterKey::DefaultButton},
        {kDialogInput, kIdInputText, 63, false, TextBox::EnterKey::DefaultButton},
    };
    for (const Case& c : cases) {
        auto dialog = TemplateDialog::Create(c.dialog, nullptr);
        ASSERT_NE(dialog, nullptr);
        TextBox* box = dialog->Edit(c.control);
        ASSERT_NE(box, nullptr) << c.dialog << "/" << c.control;
        EXPECT_EQ(box->ByteLimit(), c.limit) << c.control;
        EXPECT_EQ(box->MultiLine(), c.multiLine) << c.control;
        EXPECT_EQ(box->Enter(), c.enter) << c.control;
    }
    EXPECT_EQ(TemplateDialog::Create(4242, nullptr), nullptr);
    auto question = TemplateDialog::Create(kDialogQuestionWithHint, nullptr);
    EXPECT_FALSE(question->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(qobject_cast<QPushButton*>(question->Button(kIdOk))->isDefault());
}

TEST(TemplateDialog, EndsWithTheIdOfTheButtonThatClosedIt) {
    struct Case {
        int dialog;
        int button;  // 0: Escape
        int result;
    };
    const Case cases[] = {
        {kDialogQuestionEditor, 98, 98},       {kDialogQuestionEditor, 99, 99},
        {kDialogQuestionEditor, 97, 97},       {kDialogQuestionEditor, kIdOk, kIdOk},
        {kDialogQuestionEditor, 0, kIdCancel}, {kDialogElements, kIdCancel, kIdCancel},
        {kDialogAbout, kIdOk, kIdOk},
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

TEST(TemplateDialog, BoundCommandsRunInsteadOfClosing) {
    auto dialog = TemplateDialog::Create(kDialogQuestionWithHint, nullptr);
    int hints = 0;
    dialog->Commands().Bind(95, [&] { ++hints; });
    dialog->open();
    dialog->Button(95)->click();
    dialog->Button(95)->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(hints, 2);
    // Enter in the answer box presses OK.
    dialog->Edit(401)->setFocus();
    QTest::keyClicks(dialog->Edit(401), QStringLiteral("Paris"));
    QTest::keyClick(dialog->Edit(401), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), kIdOk);
    EXPECT_EQ(dialog->Edit(401)->Bytes(), "Paris");
}

TEST(TemplateDialog, MenuItemsFollowTheDialogsCommandTable) {
    auto dialog = TemplateDialog::Create(kDialogQuestionEditor, nullptr);
    ASSERT_NE(dialog->Menu(), nullptr);
    int moves = 0;
    dialog->Commands().Bind(11842, [&] { ++moves; });
    dialog->Menu()->UpdateEnabled();
    EXPECT_TRUE(dialog->Menu()->Action(11842)->isEnabled());
    EXPECT_FALSE(dialog->Menu()->Action(11850)->isEnabled());
    dialog->Menu()->Action(11842)->trigger();
    EXPECT_EQ(moves, 1);
    for (const DialogControl& control : dialog->Layout().controls) {
        if (control.id != kNoControlId) {
            EXPECT_GE(dialog->Control(control.id)->y(), dialog->ClientTop());
        }
    }
}

TEST(TemplateDialog, RadioButtonsCanAllBeCleared) {
    auto dialog = TemplateDialog::Create(kDialogAdvanced, nullptr);
    dialog->SetChecked(104, true);
    dialog->SetChecked(106, true);
    EXPECT_FALSE(dialog->IsChecked(104));
    EXPECT_TRUE(dialog->IsChecked(106));
    dialog->SetChecked(106, false);
    for (int id : {103, 104, 106, 110}) {
        EXPECT_FALSE(dialog->IsChecked(id)) << id;
    }
    // Check boxes stand alone.
    dialog->SetChecked(7101, true);
    dialog->SetChecked(105, true);
    EXPECT_TRUE(dialog->IsChecked(7101));
    EXPECT_TRUE(dialog->IsChecked(105));
}

TEST(TemplateDialog, OpensWhereItsTemplateSaysOverTheOwner) {
    QMainWindow frame;
    frame.setCentralWidget(new QWidget);
    frame.setGeometry(100, 100, 600, 400);
    frame.show();
    auto dialog = TemplateDialog::Create(kDialogQuestionWithHint, &frame);
    dialog->show();
    const QPoint client = frame.centralWidget()->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(dialog->pos(),
              client + QPoint(dialog->UnitsToPixelsX(7), dialog->UnitsToPixelsY(21)));
    dialog->hide();
}

TEST(TemplateDialog, LabelsShowTheirTextAsItStands) {
    auto dialog = TemplateDialog::Create(kDialogInput, nullptr);
    EXPECT_EQ(dialog->Label(kIdInputPrompt)->textFormat(), Qt::PlainText);
}

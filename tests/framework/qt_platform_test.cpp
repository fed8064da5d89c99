#include "framework/qt_platform.h"

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include "fakes/when_modal.h"
#include "framework/template_dialog.h"
#include "framework/text_box.h"
#include "res/string_table.h"

using Box = QMessageBox;

// A text from a file is shown as it stands, never rendered, whatever the box; a box that
// has an owner belongs to the window in front.
TEST(QtPlatform, MessageBoxesShowPlainTextAndReturnTheButton) {
    QMainWindow frame;
    frame.show();
    QtPlatform platform;
    platform.SetMainWindow(&frame);
    const auto kYesNoCancel = MessageButtons::YesNoCancel;
    struct Case {
        MessageOwner owner;
        MessageButtons buttons;
        MessageIcon icon;
        Box::StandardButton press;  // NoButton: Escape
        MessageResult result;
        Box::Icon shownIcon;
    } const cases[] = {
        {MessageOwner::Window, kYesNoCancel, MessageIcon::Question, Box::Yes, MessageResult::Yes,
         Box::Question},
        {MessageOwner::Window, kYesNoCancel, MessageIcon::Question, Box::NoButton,
         MessageResult::Cancel, Box::Question},
        {MessageOwner::None, MessageButtons::Ok, MessageIcon::Exclamation, Box::Ok,
         MessageResult::Ok, Box::Warning},
    };
    for (const Case& c : cases) {
        WhenModal<Box>([&](Box* box) {
            EXPECT_EQ(box->parentWidget(), c.owner == MessageOwner::Window ? &frame : nullptr);
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            EXPECT_EQ(box->text(), QString::fromUtf16(u"<img src=\"x.png\"> <b>this</b>\n\u00e9"));
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Hint"));
            EXPECT_EQ(box->icon(), c.shownIcon);
            if (c.press == Box::NoButton) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                box->button(c.press)->click();
            }
        });
        EXPECT_EQ(platform.ShowMessage(c.owner, "<img src=\"x.png\"> <b>this</b>\r\n\xe9", "Hint",
                                       c.buttons, c.icon),
                  c.result);
    }

    auto dialog = TemplateDialog::Create(kDialogQuestionWithHint, &frame);
    QWidget* owner = nullptr;
    dialog->Commands().Bind(95, [&] {
        WhenModal<Box>([&](Box* box) {
            owner = box->parentWidget();
            box->button(Box::Ok)->click();
        });
        platform.ShowMessage(MessageOwner::Window, "", "", MessageButtons::Ok, MessageIcon::None);
        dialog->EndDialog(kIdCancel);
    });
    QTimer::singleShot(0, [&] { dialog->Button(95)->click(); });
    EXPECT_EQ(dialog->exec(), kIdCancel);
    EXPECT_EQ(owner, dialog.get());
}

// A file dialog opens on the entry and the name its record holds, gives a typed name the
// default extension, asks before replacing a file, and hands back the entry chosen;
// Cancel changes nothing.
TEST(QtPlatform, FileDialogKeepsItsRecord) {
    QTemporaryDir dir;
    const QString existing = QDir(dir.path()).filePath(QStringLiteral("capitals.que"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    FileDialogData data;
    data.filter = LoadString(kStrFileFilter);
    data.defaultExt = LoadString(kStrDefaultExt);
    data.initialDir = dir.path().toStdString();
    QtPlatform platform;
    QString offered;
    bool asked = false;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        offered = dialog->selectedNameFilter();
        dialog->selectNameFilter(QStringLiteral("Question Files 1.0 (*.que)"));
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QStringLiteral("capitals"));
        WhenModal<Box>([&](Box* box) {
            asked = true;
            box->button(Box::Yes)->click();
        });
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(platform.RunSaveDialog(data));
    EXPECT_EQ(offered, QStringLiteral("Question Files 1.1 (*.que)"));
    EXPECT_TRUE(asked);
    EXPECT_EQ(QString::fromStdString(data.fileName), existing);
    EXPECT_EQ(data.filterIndex, 1);

    const FileDialogData before = data;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        offered = dialog->selectedNameFilter() + " " +
                  dialog->findChild<QLineEdit*>("fileNameEdit")->text();
        dialog->reject();
    });
    EXPECT_FALSE(platform.RunOpenDialog(data));
    EXPECT_EQ(offered, QStringLiteral("Question Files 1.0 (*.que) capitals.que"));
    EXPECT_EQ(data.fileName, before.fileName);
    EXPECT_EQ(data.filterIndex, 1);
}

// The input dialog is built from its template and hands back its text only on OK; the help
// window opens once, at the contents; the wait cursor is set once however often asked.
TEST(QtPlatform, InputDialogHelpAndCursor) {
    QtPlatform platform;
    QString shown;
    WhenModal<TemplateDialog>([&](TemplateDialog* dialog) {
        shown = dialog->windowTitle() + "/" + dialog->Label(kIdInputPrompt)->text();
        QTest::keyClicks(dialog->Edit(kIdInputText), " +3x" + QString(70, QLatin1Char('9')));
        QTest::keyClick(dialog->Edit(kIdInputText), Qt::Key_Return);
    });
    std::string text = "old";
    ASSERT_TRUE(platform.RunInputDialog("Move", "Move to question number?", text));
    EXPECT_EQ(shown, QStringLiteral("Move/Move to question number?"));
    EXPECT_EQ(text, " +3x" + std::string(59, '9'));  // the box takes 63 bytes
    WhenModal<TemplateDialog>([](TemplateDialog* dialog) {
        QTest::keyClicks(dialog->Edit(kIdInputText), QStringLiteral("7"));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(platform.RunInputDialog("Move", "?", text));
    EXPECT_EQ(text, " +3x" + std::string(59, '9'));

    platform.ShowHelpContents();
    HelpWindow* help = platform.Help();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible() && !help->Browser()->toPlainText().isEmpty());
    platform.ShowHelpContents();
    EXPECT_EQ(platform.Help(), help);
    // Escape and Ctrl+W close it, wherever its focus is, and it opens again.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence("Ctrl+W")}) {
        help->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(help));
        help->Browser()->setFocus();
        QTest::keySequence(help->Browser(), keys);
        EXPECT_FALSE(help->isVisible()) << keys.toString().toStdString();
        platform.ShowHelpContents();
        EXPECT_TRUE(help->isVisible());
    }

    platform.SetWaitCursor(true);
    platform.SetWaitCursor(true);
    platform.SetWaitCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

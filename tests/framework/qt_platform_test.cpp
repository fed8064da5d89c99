#include "framework/qt_platform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <functional>

#include "framework/template_dialog.h"
#include "framework/text_box.h"
#include "res/menus.h"
#include "res/string_table.h"

namespace {

// Runs `act` on the modal window of type T once it is up; modal exec() blocks the test.
template <typename T>
void WhenModal(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(window);
        }
    });
    timer->start();
}

QString LabelText(QMessageBox* box) {
    for (QLabel* label : box->findChildren<QLabel*>()) {
        if (label->objectName() == QLatin1String("qt_msgbox_label")) {
            return label->text();
        }
    }
    return {};
}

}  // namespace

TEST(QtPlatform, MessageBoxesShowPlainTextAndReturnTheButton) {
    QMainWindow frame;
    frame.show();
    QtPlatform platform;
    platform.SetMainWindow(&frame);

    struct Case {
        MessageOwner owner;
        MessageButtons buttons;
        MessageIcon icon;
        QMessageBox::StandardButton press;  // NoButton: Escape
        MessageResult result;
        QMessageBox::Icon shownIcon;
    };
    const Case cases[] = {
        {MessageOwner::Window, MessageButtons::YesNoCancel, MessageIcon::Question, QMessageBox::No,
         MessageResult::No, QMessageBox::Question},
        {MessageOwner::Window, MessageButtons::YesNoCancel, MessageIcon::Question, QMessageBox::Yes,
         MessageResult::Yes, QMessageBox::Question},
        {MessageOwner::Window, MessageButtons::YesNoCancel, MessageIcon::Question,
         QMessageBox::NoButton, MessageResult::Cancel, QMessageBox::Question},
        {MessageOwner::None, MessageButtons::Ok, MessageIcon::Exclamation, QMessageBox::Ok,
         MessageResult::Ok, QMessageBox::Warning},
        {MessageOwner::None, MessageButtons::Ok, MessageIcon::None, QMessageBox::NoButton,
         MessageResult::Ok, QMessageBox::NoIcon},
    };
    const std::string hint = "See <img src=\"x.png\"> and <b>this</b>\r\n\xe9t\xe9";
    for (const Case& c : cases) {
        QWidget* parent = reinterpret_cast<QWidget*>(1);
        QString text;
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        Qt::TextFormat format = Qt::AutoText;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            parent = box->parentWidget();
            text = LabelText(box);
            title = box->windowTitle();
            icon = box->icon();
            format = box->textFormat();
            if (c.press == QMessageBox::NoButton) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                box->button(c.press)->click();
            }
        });
        EXPECT_EQ(
            platform.ShowMessage(c.owner, hint, LoadString(kStrHintCaption), c.buttons, c.icon),
            c.result);
        EXPECT_EQ(parent, c.owner == MessageOwner::Window ? &frame : nullptr);
        EXPECT_EQ(format, Qt::PlainText);
        EXPECT_EQ(text,
                  QString::fromUtf16(u"See <img src=\"x.png\"> and <b>this</b>\n\u00e9t\u00e9"));
        EXPECT_EQ(title, QStringLiteral("Hint"));
        EXPECT_EQ(icon, c.shownIcon);
    }
}

TEST(QtPlatform, OwnedBoxesBelongToTheModalDialogInFront) {
    QMainWindow frame;
    frame.show();
    QtPlatform platform;
    platform.SetMainWindow(&frame);
    auto dialog = TemplateDialog::Create(kDialogQuestionWithHint, &frame);
    QWidget* parent = nullptr;
    dialog->Commands().Bind(95, [&] {
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            parent = box->parentWidget();
            box->button(QMessageBox::Ok)->click();
        });
        platform.ShowMessage(MessageOwner::Window, "hint", "Hint", MessageButtons::Ok,
                             MessageIcon::None);
        dialog->EndDialog(kIdCancel);
    });
    QTimer::singleShot(0, [&] { dialog->Button(95)->click(); });
    EXPECT_EQ(dialog->exec(), kIdCancel);
    EXPECT_EQ(parent, dialog.get());
}

TEST(QtPlatform, FilterTextGivesTwoEntries) {
    const auto entries = ParseFileFilter(LoadString(kStrFileFilter));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].NameFilter(), QStringLiteral("Question Files 1.0 (*.que)"));
    EXPECT_EQ(entries[1].NameFilter(), QStringLiteral("Question Files 1.1 (*.que)"));
    EXPECT_EQ(entries[1].pattern, QStringLiteral("*.que"));
    const auto bare = ParseFileFilter("Text|*.txt|");
    ASSERT_EQ(bare.size(), 1u);
    EXPECT_EQ(bare[0].NameFilter(), QStringLiteral("Text (*.txt)"));
    EXPECT_TRUE(ParseFileFilter("").empty());
}

TEST(QtPlatform, SaveDialogRoundTrip) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QtPlatform platform;
    FileDialogData data;
    data.filter = LoadString(kStrFileFilter);
    data.defaultExt = LoadString(kStrDefaultExt);
    data.initialDir = QFile::encodeName(dir.path()).toStdString();

    QString offered;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        offered = dialog->selectedNameFilter();
        dialog->selectNameFilter(QStringLiteral("Question Files 1.0 (*.que)"));
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(QStringLiteral("capitals"));
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(platform.RunSaveDialog(data));
    EXPECT_EQ(offered, QStringLiteral("Question Files 1.1 (*.que)"));
    EXPECT_EQ(QFile::decodeName(QByteArray::fromStdString(data.fileName)),
              QDir(dir.path()).filePath(QStringLiteral("capitals.que")));
    EXPECT_EQ(data.filterIndex, 1);

    // The next dialog offers the same name and entry; Cancel changes nothing.
    const FileDialogData before = data;
    QString name;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        offered = dialog->selectedNameFilter();
        name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        dialog->reject();
    });
    EXPECT_FALSE(platform.RunSaveDialog(data));
    EXPECT_EQ(offered, QStringLiteral("Question Files 1.0 (*.que)"));
    EXPECT_EQ(name, QStringLiteral("capitals.que"));
    EXPECT_EQ(data.fileName, before.fileName);
    EXPECT_EQ(data.filterIndex, 1);
}

TEST(QtPlatform, SaveOverAnExistingFileAsksFirst) {
    QTemporaryDir dir;
    const QString existing = QDir(dir.path()).filePath(QStringLiteral("old.que"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QtPlatform platform;
    FileDialogData data;
    data.filter = LoadString(kStrFileFilter);
    data.defaultExt = "QUE";
    data.fileName = QFile::encodeName(existing).toStdString();
    bool asked = false;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            asked = true;
            box->button(QMessageBox::Yes)->click();
        });
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(platform.RunSaveDialog(data));
    EXPECT_TRUE(asked);
    EXPECT_EQ(QFile::decodeName(QByteArray::fromStdString(data.fileName)), existing);
    EXPECT_EQ(data.filterIndex, 2);
}

TEST(QtPlatform, OpenDialogTakesOnlyAnExistingFile) {
    QTemporaryDir dir;
    const QString existing = QDir(dir.path()).filePath(QStringLiteral("words.que"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QtPlatform platform;
    FileDialogData data;
    data.filter = LoadString(kStrFileFilter);
    data.defaultExt = "QUE";
    data.initialDir = QFile::encodeName(dir.path()).toStdString();
    bool stayedOpen = false;
    bool warned = false;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        edit->setText(QStringLiteral("missing.que"));
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            warned = true;
            box->button(QMessageBox::Ok)->click();
        });
        static_cast<QDialog*>(dialog)->accept();
        stayedOpen = dialog->isVisible();
        edit->setText(QStringLiteral("words.que"));
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(platform.RunOpenDialog(data));
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(warned);
    EXPECT_EQ(QFile::decodeName(QByteArray::fromStdString(data.fileName)), existing);
    EXPECT_EQ(data.filterIndex, 2);
}

TEST(QtPlatform, InputDialog) {
    QtPlatform platform;
    QString title;
    QString prompt;
    WhenModal<TemplateDialog>([&](TemplateDialog* dialog) {
        title = dialog->windowTitle();
        prompt = dialog->Label(kIdInputPrompt)->text();
        TextBox* box = dialog->Edit(kIdInputText);
        QTest::keyClicks(box, QStringLiteral(" +3x") + QString(70, QLatin1Char('9')));
        QTest::keyClick(box, Qt::Key_Return);
    });
    std::string text = "old";
    ASSERT_TRUE(
        platform.RunInputDialog(LoadString(kStrMoveTitle), LoadString(kStrMovePrompt), text));
    EXPECT_EQ(title, QStringLiteral("Move"));
    EXPECT_EQ(prompt, QStringLiteral("Move to question number?"));
    EXPECT_EQ(text, " +3x" + std::string(59, '9'));

    WhenModal<TemplateDialog>([](TemplateDialog* dialog) {
        QTest::keyClicks(dialog->Edit(kIdInputText), QStringLiteral("7"));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    text = "kept";
    EXPECT_FALSE(platform.RunInputDialog("Move", "?", text));
    EXPECT_EQ(text, "kept");
}

TEST(QtPlatform, CaptionMenuCheckAndHelp) {
    QMainWindow frame;
    QtPlatform platform;
    platform.SetMainWindow(&frame);
    CommandTable table;
    table.Bind(107, [] {});
    CommandRoute route;
    route.Add(table);
    platform.SetMenu(CommandMenu::Build(frame.menuBar(), kMenuMainWindow, route));
    frame.show();

    platform.SetCaption("Zentu Program 1.02 - /tmp/caf\xc3\xa9.que");
    EXPECT_EQ(frame.windowTitle(), QString::fromUtf16(u"Zentu Program 1.02 - /tmp/caf\u00e9.que"));
    platform.SetMenuCheck(107, true);
    EXPECT_TRUE(CommandMenu::Of(frame.menuBar())->Action(107)->isChecked());
    platform.SetMenuCheck(107, false);
    EXPECT_FALSE(CommandMenu::Of(frame.menuBar())->Action(107)->isChecked());

    platform.ShowHelpContents();
    ASSERT_NE(platform.Help(), nullptr);
    EXPECT_TRUE(platform.Help()->isVisible());
    EXPECT_FALSE(platform.Help()->Browser()->toPlainText().isEmpty());
    if (HelpWindow::HasHelpPages()) {
        EXPECT_EQ(platform.Help()->Browser()->source(), QUrl(HelpWindow::ContentsUrl()));
    }
    HelpWindow* first = platform.Help();
    platform.ShowHelpContents();
    EXPECT_EQ(platform.Help(), first);

    platform.SetWaitCursor(true);
    platform.SetWaitCursor(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform.SetWaitCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtPlatform, InfoDialogCloses) {
    QtPlatform platform;
    QString title;
    WhenModal<TemplateDialog>([&](TemplateDialog* dialog) {
        title = dialog->windowTitle();
        dialog->Button(kIdOk)->click();
    });
    platform.RunInfoDialog(kDialogAbout);
    EXPECT_EQ(title, QStringLiteral("Zentu Program 1.03"));
}

TEST(QtPlatform, FontDialogOpensOnTheCurrentFontAndReturnsALogFont) {
    QtPlatform platform;
    LogFont font = StartupDisplayFont();
    font.height = -16;
    font.weight = 700;
    QString offered;
    WhenModal<QFontDialog>([&](QFontDialog* dialog) {
        offered = dialog->currentFont().family();
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(platform.RunFontDialog(font));
    const QString resolved = QFontInfo(QFont(QStringLiteral("Arial"))).family();
    EXPECT_EQ(offered, resolved);
    EXPECT_EQ(font.faceName, resolved.toStdString());
    EXPECT_NEAR(font.height, -16, 1);
    EXPECT_EQ(font.weight, 700);
    EXPECT_EQ(font.charSet, 1);

    const LogFont before = font;
    WhenModal<QFontDialog>([](QFontDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(platform.RunFontDialog(font));
    EXPECT_EQ(font, before);
}

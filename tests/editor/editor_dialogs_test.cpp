#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include "app/zentu_window.h"
#include "editor/advanced_dialog.h"
#include "editor/charmap_window.h"
#include "editor/edit_dialog.h"
#include "fakes/fake_platform.h"
#include "fakes/when_modal.h"
#include "framework/command_menu.h"
#include "framework/text_box.h"

namespace {

const std::string kLong = std::string(1500, 'x') + "\r\n" + std::string(600, 'y');

// The editor's dialog at `position` over a question whose wrong response is longer than
// typing allows, in a 32-pixel display font.
struct Harness {
    FakePlatform platform;
    EditBuffer buffer;
    LogFont font = StartupDisplayFont();
    std::unique_ptr<editdialog> dialog;
    explicit Harness(std::size_t position = 2) {
        static_cast<Zentu_Data&>(buffer) = {
            "Capital of France?", "Paris", "Seine", "", kLong, '/', false, true};
        font.height = -32;
        dialog = std::make_unique<editdialog>(nullptr, kDialogQuestionEditor, position, false, font,
                                              buffer, platform);
        dialog->show();
    }
    TextBox* Box(int id) const { return dialog->Edit(id); }
};

// The Advanced dialog shows the buffer (no radio for a value that is no method) and takes
// back on OK only what its controls say: the clicked radio, none keeping the method, the
// typed delimiter (empty for NUL), a long text left alone whole. Tab enters the radios at
// the selected one.
TEST(AdvancedDialog, ShowsTheBufferAndWritesBackOnOkOnly) {
    const int radios[] = {kAdvAll, kAdvSome, kAdvOnlyOne, kAdvAllInOrder};
    struct Case {
        int method, click;      // a radio clicked (0: none)
        const char* delimiter;  // typed into the emptied box; nullptr: left alone
        int button, method2;
        char delimiter2;
    } const cases[] = {
        {1, kAdvOnlyOne, ";", kIdOk, 4, ';'}, {2, kAdvAll, ";", kIdCancel, 2, '/'},
        {8, kAdvSome, "", kIdOk, 2, '\0'},    {4, kAdvAllInOrder, nullptr, kIdOk, 8, '/'},
        {77, 0, nullptr, kIdOk, 77, '/'},     {77, kAdvAll, nullptr, kIdOk, 1, '/'},
    };
    for (const Case& c : cases) {
        Harness h;
        h.buffer.answerMethod = AnswerMethod(c.method);
        EditBuffer expected = h.buffer;
        WhenModal<advancedialog>([&](advancedialog* d) {
            EXPECT_EQ(d->Edit(kAdvWrongResponse)->Bytes(), kLong);
            EXPECT_EQ(d->Edit(kAdvDelimiter)->Bytes(), "/");
            int tabStop = kAdvAll;  // with none selected, the first
            for (int k = 0; k < 4; ++k) {
                EXPECT_EQ(d->IsChecked(radios[k]), 1 << k == c.method) << k;
                if (1 << k == c.method) tabStop = radios[k];
            }
            d->Edit(kAdvRightResponse)->setFocus();
            QTest::keyClick(d->Edit(kAdvRightResponse), Qt::Key_Tab);
            EXPECT_EQ(d->focusWidget(), d->Button(tabStop)) << c.method;
            if (c.click != 0) d->Button(c.click)->click();
            if (c.delimiter != nullptr) {
                d->Edit(kAdvDelimiter)->selectAll();
                QTest::keyClick(d->Edit(kAdvDelimiter), Qt::Key_Delete);
                d->Edit(kAdvDelimiter)->InsertTyped(QString::fromLatin1(c.delimiter));
            }
            QTest::keyClicks(d->Edit(kAdvHint), QStringLiteral("!"));
            for (int id :
                 {int(kAdvUseHint), int(kAdvConfirmCorrect), int(kAdvCheckSpaces), c.button})
                d->Button(id)->click();
        });
        h.dialog->Menu()->Action(kEdMenuAdvanced)->trigger();
        if (c.button == kIdOk) {
            expected.hint = "!Seine";
            expected.useHint = expected.checkSpaces = true;
            expected.confirmCorrect = false;
        }
        expected.answerMethod = AnswerMethod(c.method2);
        expected.delimiter = c.delimiter2;
        EXPECT_EQ(static_cast<Zentu_Data&>(h.buffer), expected) << c.method;
    }
}

// Which exits read the boxes into the buffer, with which code each ends; Prev at number 1
// beeps and stays with the edits. Enter in a box makes a line break.
TEST(EditDialog, CommandsEndWithTheirCodesAndCopyTheBoxesFirst) {
    struct Case {
        int command;
        std::size_t position;
        int result;  // 0: the dialog stays open, with a beep
        bool copies;
    } const cases[] = {
        {kIdOk, 2, kEditOk, true},
        {kIdCancel, 2, kEditCancel, false},
        {kEdPrevButton, 2, kEditPrev, true},
        {kEdPrevButton, 1, 0, true},
        {kEdMenuPrev, 1, 0, true},
        {kEdNextButton, 1, kEditNext, true},
        {kEdMenuNext, 2, kEditNext, true},
        {kEditFirst, 2, kEditFirst, true},
        {kEditLast, 2, kEditLast, true},
        {kEditMove, 2, kEditMove, true},
        {kEditInsert, 2, kEditInsert, true},
        {kEdDeleteButton, 2, kEditDelete, false},
        {kEdMenuDelete, 2, kEditDelete, false},
    };
    for (const Case& c : cases) {
        Harness h(c.position);
        h.Box(kEdQuestionBox)->moveCursor(QTextCursor::End);
        QTest::keyClicks(h.Box(kEdQuestionBox), QStringLiteral(" Or Lyon?"));
        h.Box(kEdAnswerBox)->moveCursor(QTextCursor::End);
        QTest::keyClick(h.Box(kEdAnswerBox), Qt::Key_Return);
        QTest::keyClicks(h.Box(kEdAnswerBox), QStringLiteral("Lyon"));
        QSignalSpy finished(h.dialog.get(), &QDialog::finished);
        QAbstractButton* button = h.dialog->Button(c.command);
        button ? button->click() : h.dialog->Menu()->Action(c.command)->trigger();
        EXPECT_EQ(finished.count() == 1 ? h.dialog->result() : 0, c.result) << c.command;
        EXPECT_EQ(h.buffer.question + h.buffer.answer,
                  c.copies ? "Capital of France? Or Lyon?Paris\r\nLyon" : "Capital of France?Paris")
            << c.command;
        EXPECT_EQ(h.platform.beeps, c.result == 0 ? 1 : 0) << c.command;
        EXPECT_EQ(h.Box(kEdQuestionBox)->Bytes(), "Capital of France? Or Lyon?");
    }
}

// The boxes show the display font; typing stops at 1023 bytes, while a longer text from a
// file, and bytes the file had, pass through whole.
TEST(EditDialog, DisplayFontAndTheLimit) {
    Harness h;
    for (int id : {kEdQuestionBox, kEdAnswerBox}) EXPECT_EQ(h.Box(id)->font().pixelSize(), 32);
    h.Box(kEdQuestionBox)->selectAll();
    h.Box(kEdQuestionBox)->InsertTyped(QString(1100, QChar(u'q')));
    h.dialog->Button(kIdOk)->click();
    EXPECT_EQ(h.buffer.question, std::string(1023, 'q'));

    h.buffer.question = kLong;
    h.buffer.answer = "\x01 as the file had it";
    editdialog again(nullptr, kDialogQuestionEditor, 3, false, h.font, h.buffer, h.platform);
    EXPECT_EQ(again.Edit(kEdQuestionBox)->Bytes(), kLong);
    EXPECT_FALSE(again.Edit(kEdQuestionBox)->InsertTyped(QStringLiteral("z")));
    again.Button(kEdNextButton)->click();
    EXPECT_EQ(h.buffer.question + h.buffer.answer, kLong + "\x01 as the file had it");
}

// The map types into the box that had the focus when it opened, wherever the focus is by
// then; opened from another control, it types nowhere. Every code 32-255 is stored.
TEST(EditDialog, CharacterMapTypesIntoTheBoxFocusedAtOpening) {
    std::string all;
    for (int code = 32; code <= 255; ++code) all.push_back(static_cast<char>(code));
    for (int focused : {int(kEdQuestionBox), int(kEdAnswerBox), int(kEdNextButton)}) {
        Harness h;
        h.dialog->Control(focused)->setFocus();
        if (focused != kEdNextButton) h.Box(focused)->selectAll();
        h.dialog->Menu()->Action(kCmCharacterMap)->trigger();
        h.dialog->Button(kIdCancel)->setFocus();
        for (unsigned char code : all) h.dialog->InsertChar(code);
        h.dialog->Button(kIdOk)->click();
        EXPECT_EQ(h.buffer.question, focused == kEdQuestionBox ? all : "Capital of France?");
        EXPECT_EQ(h.buffer.answer, focused == kEdAnswerBox ? all : "Paris");
        EXPECT_FALSE(h.dialog->CharacterMap()->IsOpen());
    }
}

// Every box and button has a spoken name, and every one a mnemonic of its own.
TEST(EditorDialogs, NamesAndMnemonics) {
    Harness h;
    advancedialog advanced(h.buffer, nullptr);
    for (TemplateDialog* dialog :
         std::initializer_list<TemplateDialog*>{h.dialog.get(), &advanced}) {
        QString letters = dialog == &advanced ? "" : "gcm";  // the menu's
        for (const DialogControl& control : dialog->Layout().controls) {
            QWidget* widget = dialog->Control(control.id);
            if (widget == nullptr || control.kind == ControlKind::GroupFrame) continue;
            EXPECT_FALSE(widget->accessibleName().isEmpty()) << control.id;
            auto* button = qobject_cast<QAbstractButton*>(widget);
            QString text = button != nullptr ? button->text() : QString();
            for (QLabel* label : dialog->findChildren<QLabel*>()) {
                if (label->buddy() == widget) text = label->text();
            }
            const qsizetype amp = text.indexOf(u'&');
            ASSERT_GE(amp, 0) << control.id;
            const QChar key = text[amp + 1].toLower();
            EXPECT_FALSE(letters.contains(key)) << text.toStdString();
            letters += key;
        }
    }
}

// New from an empty window: a question typed and OK; only Save is left to the main window
// meanwhile.
TEST(EditorDialogs, NewBuildsASetFromNothing) {
    zentu program;
    zentuwin* window = program.CreateMainWindow(std::nullopt);
    window->show();
    std::vector<int> enabled;
    WhenModal<editdialog>([&](editdialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Question Editor-question number 1 - new");
        window->Menu()->UpdateEnabled();
        for (int id : {kCmNew, kCmOpen, kCmEdit, kCmGradedQuiz, kCmRandomTest, kCmExit, kCmSave}) {
            if (window->Menu()->Action(id)->isEnabled()) enabled.push_back(id);
        }
        dialog->Edit(kEdQuestionBox)->InsertTyped(QStringLiteral("2+2?"));
        dialog->Button(kIdOk)->click();
    });
    window->Menu()->Action(kCmNew)->trigger();
    EXPECT_EQ(enabled, std::vector<int>{kCmSave});
    ASSERT_EQ(window->State().Questions().Count(), 1u);
    EXPECT_EQ(window->State().Questions().At(1).question, "2+2?");
    EXPECT_TRUE(window->State().QuestionsChanged());
}

}  // namespace

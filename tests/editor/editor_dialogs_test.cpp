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
#include "model/question_file.h"

namespace {

const std::string kLong = std::string(1500, 'x') + "\r\n" + std::string(600, 'y');

struct Harness {
    FakePlatform platform;
    EditBuffer buffer;
    LogFont font = StartupDisplayFont();
    std::unique_ptr<editdialog> dialog;
    explicit Harness(std::size_t position = 2, int fontPixels = 32) {
        buffer.question = "Capital of France?";
        buffer.answer = "Paris";
        buffer.hint = "Seine";
        buffer.wrongResponse = kLong;  // longer than typing allows
        buffer.delimiter = '/';
        buffer.confirmCorrect = true;
        buffer.answerMethod = AnswerMethod::Some;
        font.height = -fontPixels;
        dialog = std::make_unique<editdialog>(nullptr, kDialogQuestionEditor, position, false, font,
                                              buffer, platform);
        dialog->show();
    }
    TextBox* Box(int id) const { return dialog->Edit(id); }
};

// The Advanced dialog shows the buffer: the radio of the method (none for other values,
// which OK keeps), the delimiter (empty for NUL). OK takes back what the controls say, a
// long text untouched whole; Cancel takes nothing. Tab enters the radios at the selection.
TEST(AdvancedDialog, ShowsTheBufferAndWritesBackOnOkOnly) {
    struct Case {
        int method, radio, click;  // the method, its radio shown, a radio clicked (0: none)
        const char* delimiter;     // typed into the emptied box; nullptr: left alone
        int button;
        int method2;
        char delimiter2;
    } const cases[] = {
        {2, kAdvSome, kAdvOnlyOne, ";", kIdOk, 4, ';'},
        {2, kAdvSome, kAdvOnlyOne, ";", kIdCancel, 2, '/'},
        {77, kAdvAll, 0, "", kIdOk, 77, '\0'},
        {8, kAdvAllInOrder, kAdvAll, nullptr, kIdOk, 1, '/'},
    };
    for (const Case& c : cases) {
        Harness h;
        h.buffer.answerMethod = AnswerMethod(c.method);
        const EditBuffer before = h.buffer;
        WhenModal<advancedialog>([&](advancedialog* d) {
            EXPECT_EQ(d->parentWidget(), h.dialog.get());
            EXPECT_EQ(d->Edit(kAdvWrongResponse)->Bytes(), kLong);
            EXPECT_EQ(d->Edit(kAdvDelimiter)->Bytes(), "/");
            for (int id : {kAdvSome, kAdvOnlyOne, kAdvAllInOrder, kAdvConfirmCorrect}) {
                EXPECT_EQ(d->IsChecked(id), id == c.radio || id == kAdvConfirmCorrect) << id;
            }
            d->Edit(kAdvRightResponse)->setFocus();
            QTest::keyClick(d->Edit(kAdvRightResponse), Qt::Key_Tab);
            EXPECT_EQ(d->focusWidget(), d->Button(c.radio)) << c.method;
            if (c.click != 0) d->Button(c.click)->click();
            if (c.delimiter != nullptr) {
                d->Edit(kAdvDelimiter)->selectAll();
                QTest::keyClick(d->Edit(kAdvDelimiter), Qt::Key_Delete);
                d->Edit(kAdvDelimiter)->InsertTyped(QString::fromLatin1(c.delimiter));
            }
            QTest::keyClicks(d->Edit(kAdvHint), QStringLiteral("!"));
            for (int id : {kAdvUseHint, kAdvConfirmCorrect, kAdvCheckSpaces})
                d->Button(id)->click();
            d->Button(c.button)->click();
        });
        h.dialog->Menu()->Action(kEdMenuAdvanced)->trigger();
        EditBuffer expected = before;
        if (c.button == kIdOk) {
            expected.hint = "!Seine";
            expected.useHint = expected.checkSpaces = true;
            expected.confirmCorrect = false;
        }
        expected.answerMethod = AnswerMethod(c.method2);
        expected.delimiter = c.delimiter2;
        EXPECT_EQ(static_cast<Zentu_Data&>(h.buffer), static_cast<Zentu_Data&>(expected))
            << c.method;
        EXPECT_EQ(h.Box(kEdQuestionBox)->Bytes(), "Capital of France?");  // not touched
    }
}

// Which exits read the boxes into the buffer, with which code each ends; Prev at number 1
// beeps and stays with the edits.
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
        {kEdMenuPrev, 2, kEditPrev, true},
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
        h.Box(kEdAnswerBox)->InsertTyped(QStringLiteral(",Lyon"));
        QSignalSpy finished(h.dialog.get(), &QDialog::finished);
        if (QAbstractButton* button = h.dialog->Button(c.command)) {
            button->click();
        } else {
            ASSERT_TRUE(h.dialog->Menu()->Action(c.command)->isEnabled()) << c.command;
            h.dialog->Menu()->Action(c.command)->trigger();
        }
        EXPECT_EQ(finished.count() == 1 ? h.dialog->result() : 0, c.result) << c.command;
        EXPECT_EQ(h.buffer.question + h.buffer.answer,
                  c.copies ? "Capital of France? Or Lyon?Paris,Lyon" : "Capital of France?Paris")
            << c.command;
        EXPECT_EQ(h.platform.beeps, c.result == 0 ? 1 : 0) << c.command;
        EXPECT_EQ(h.Box(kEdQuestionBox)->Bytes(), "Capital of France? Or Lyon?");
    }
}

// The boxes show the display font; Enter makes a line break (CR LF); typing stops at 1023
// bytes, while a longer text from a file, and bytes the file had, pass through whole.
TEST(EditDialog, DisplayFontEnterAndTheLimit) {
    Harness h;
    EXPECT_EQ(h.Box(kEdAnswerBox)->font().pixelSize(), 32);
    EXPECT_EQ(h.Box(kEdQuestionBox)->font().pixelSize(), 32);
    EXPECT_NE(h.dialog->font().pixelSize(), 32);
    h.Box(kEdAnswerBox)->moveCursor(QTextCursor::End);
    QTest::keyClick(h.Box(kEdAnswerBox), Qt::Key_Return);
    QTest::keyClicks(h.Box(kEdAnswerBox), QStringLiteral("y"));
    h.Box(kEdQuestionBox)->selectAll();
    h.Box(kEdQuestionBox)->InsertTyped(QString(1100, QChar(u'q')));
    h.dialog->Button(kIdOk)->click();
    EXPECT_EQ(h.buffer.answer, "Paris\r\ny");
    EXPECT_EQ(h.buffer.question, std::string(1023, 'q'));

    h.buffer.question = kLong;
    h.buffer.answer = "\x01 as the file had it";
    editdialog again(nullptr, kDialogQuestionEditor, 3, false, h.font, h.buffer, h.platform);
    EXPECT_FALSE(again.Edit(kEdQuestionBox)->InsertTyped(QStringLiteral("z")));
    again.Button(kEdNextButton)->click();
    EXPECT_EQ(h.buffer.question, kLong);
    EXPECT_EQ(h.buffer.answer, "\x01 as the file had it");
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
        ASSERT_TRUE(h.dialog->CharacterMap()->IsOpen());
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
         {static_cast<TemplateDialog*>(h.dialog.get()), static_cast<TemplateDialog*>(&advanced)}) {
        QString letters = dialog == &advanced ? "" : "gcm";  // the menu's
        for (const DialogControl& control : dialog->Layout().controls) {
            QWidget* widget = dialog->Control(control.id);
            if (widget == nullptr || control.kind == ControlKind::GroupFrame) continue;
            EXPECT_FALSE(widget->accessibleName().isEmpty()) << control.id;
            QString text;
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) text = button->text();
            for (QLabel* label : dialog->findChildren<QLabel*>()) {
                if (label->buddy() == widget) text = label->text();
            }
            const qsizetype amp = text.indexOf(u'&');
            ASSERT_GE(amp, 0) << control.id;
            EXPECT_FALSE(letters.contains(text[amp + 1].toLower())) << text.toStdString();
            letters += text[amp + 1].toLower();
        }
    }
}

// New from an empty window: two questions typed, NEXT between them, OK at the end; the
// set is locked meanwhile, and the result reads back equal from its file form.
TEST(EditorDialogs, NewBuildsASetFromNothing) {
    zentu program;
    zentuwin* window = program.CreateMainWindow(std::nullopt);
    window->show();
    std::vector<QString> titles;
    std::vector<int> enabledWhileOpen;
    const auto fill = [&](editdialog* dialog, const char* question, const char* answer,
                          int button) {
        titles.push_back(dialog->windowTitle());
        dialog->Edit(kEdQuestionBox)->InsertTyped(QString::fromLatin1(question));
        dialog->Edit(kEdAnswerBox)->InsertTyped(QString::fromLatin1(answer));
        dialog->Button(button)->click();
    };
    WhenModal<editdialog>([&](editdialog* first) {
        window->Menu()->UpdateEnabled();
        for (int id : {kCmNew, kCmOpen, kCmEdit, kCmGradedQuiz, kCmRandomTest, kCmExit, kCmSave}) {
            if (window->Menu()->Action(id)->isEnabled()) enabledWhileOpen.push_back(id);
        }
        WhenModal<editdialog>([&](editdialog* second) { fill(second, "2+3?", "5", kIdOk); });
        fill(first, "2+2?", "4", kEdNextButton);
    });
    window->Menu()->Action(kCmNew)->trigger();
    EXPECT_EQ(titles, (std::vector<QString>{"Question Editor-question number 1 - new",
                                            "Question Editor-question number 2 - new"}));
    EXPECT_EQ(enabledWhileOpen, std::vector<int>{kCmSave});
    const Question_Set& set = window->State().Questions();
    ASSERT_EQ(set.Count(), 2u);
    EXPECT_EQ(set.At(1).question + set.At(2).answer + set.At(2).delimiter, "2+2?5,");
    EXPECT_TRUE(window->State().QuestionsChanged());
    Question_Set reread;
    LogFont font;
    bool fontRead = false;
    ParseQuestionFile(FormatQuestionFile(set, kFormatVersion11, nullptr), reread, font, fontRead);
    EXPECT_EQ(reread, set);
}

}  // namespace

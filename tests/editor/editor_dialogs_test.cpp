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

EditBuffer Filled() {
    EditBuffer buffer;
    buffer.question = "Capital of France?";
    buffer.answer = "Paris";
    buffer.hint = "Seine";
    buffer.rightResponse = "Yes";
    buffer.wrongResponse = kLong;
    buffer.delimiter = '/';
    buffer.confirmCorrect = true;
    buffer.answerMethod = AnswerMethod::Some;
    return buffer;
}

void Type(TextBox* box, const QString& text) {
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, text);
}

// The dialog shows the buffer; OK takes back what the controls say, Cancel nothing.
TEST(AdvancedDialog, FillsFromTheBufferAndWritesBackOnOkOnly) {
    const EditBuffer original = Filled();
    advancedialog shown(original, nullptr);
    EXPECT_EQ(shown.Edit(kAdvHint)->Bytes(), "Seine");
    EXPECT_EQ(shown.Edit(kAdvWrongResponse)->Bytes(), kLong);  // longer than typing allows
    EXPECT_EQ(shown.Edit(kAdvRightResponse)->Bytes(), "Yes");
    EXPECT_EQ(shown.Edit(kAdvDelimiter)->Bytes(), "/");
    for (int id : {kAdvAll, kAdvSome, kAdvOnlyOne, kAdvAllInOrder, kAdvUseHint, kAdvConfirmCorrect,
                   kAdvCaseSensitive, kAdvCheckSpaces}) {
        EXPECT_EQ(shown.IsChecked(id), id == kAdvSome || id == kAdvConfirmCorrect) << id;
    }
    EXPECT_EQ(shown.windowTitle(), "Advanced");
    EXPECT_EQ(shown.font().pixelSize(), TemplateDialog::DialogFont(shown.Layout()).pixelSize());

    // Every control changed, then Cancel: the buffer is as it was.
    const auto changeEverything = [](advancedialog* dialog) {
        Type(dialog->Edit(kAdvHint), QStringLiteral("!"));
        Type(dialog->Edit(kAdvRightResponse), QStringLiteral("!"));
        dialog->Edit(kAdvDelimiter)->setFocus();
        dialog->Edit(kAdvDelimiter)->selectAll();
        QTest::keyClicks(dialog->Edit(kAdvDelimiter), QStringLiteral(";"));
        dialog->Button(kAdvOnlyOne)->click();
        for (int id : {kAdvUseHint, kAdvConfirmCorrect, kAdvCaseSensitive, kAdvCheckSpaces}) {
            dialog->Button(id)->click();
        }
    };
    for (const int button : {kIdCancel, kIdOk}) {
        EditBuffer buffer = original;
        WhenModal<advancedialog>([&](advancedialog* dialog) {
            changeEverything(dialog);
            dialog->Button(button)->click();
        });
        EXPECT_EQ(advancedialog::Run(buffer, nullptr), button == kIdOk);
        EditBuffer expected = original;
        if (button == kIdOk) {
            expected.hint = "Seine!";
            expected.rightResponse = "Yes!";
            expected.delimiter = ';';
            expected.answerMethod = AnswerMethod::OnlyOne;
            expected.useHint = expected.caseSensitive = expected.checkSpaces = true;
            expected.confirmCorrect = false;
        }
        // The long wrong response, untouched, comes back whole.
        EXPECT_EQ(static_cast<Zentu_Data&>(buffer), static_cast<Zentu_Data&>(expected)) << button;
    }
}

// The delimiter box holds one character; cleared it gives NUL. The radio buttons show the
// method, none for a value that is no method, which OK then keeps.
TEST(AdvancedDialog, DelimiterBoxAndRadioRule) {
    struct Case {
        int method;
        int radio;     // the radio shown selected, 0 for none
        int click;     // a radio to click, 0 for none
        int expected;  // the method after OK
        const char* typed;
        char delimiter;
    } const cases[] = {
        {2, kAdvSome, kAdvOnlyOne, 4, nullptr, '/'},
        {77, 0, 0, 77, "", '\0'},
        {0, 0, 0, 0, ";", ';'},
        {-1, 0, kAdvAllInOrder, 8, ";x", ';'},
        {8, kAdvAllInOrder, kAdvAll, 1, "\t", ' '},  // a TAB is a space in every box
        {1, kAdvAll, 0, 1, "\xe9", '\xe9'},
    };
    for (const Case& c : cases) {
        EditBuffer buffer = Filled();
        buffer.answerMethod = static_cast<AnswerMethod>(c.method);
        advancedialog dialog(buffer, nullptr);
        for (int id : {kAdvAll, kAdvSome, kAdvOnlyOne, kAdvAllInOrder}) {
            EXPECT_EQ(dialog.IsChecked(id), id == c.radio) << c.method << " " << id;
        }
        if (c.click != 0) dialog.Button(c.click)->click();
        if (c.typed != nullptr) {
            dialog.Edit(kAdvDelimiter)->selectAll();
            QTest::keyClick(dialog.Edit(kAdvDelimiter), Qt::Key_Delete);
            dialog.Edit(kAdvDelimiter)->InsertTyped(QString::fromLatin1(c.typed));
        }
        dialog.TakeValues(buffer);
        EXPECT_EQ(static_cast<int>(buffer.answerMethod), c.expected) << c.method;
        EXPECT_EQ(buffer.delimiter, c.delimiter) << c.method;
    }
}

struct EditorHarness {
    FakePlatform platform;
    EditBuffer buffer = Filled();
    LogFont font;
    editdialog dialog;
    explicit EditorHarness(std::size_t position = 2)
        : font(MakeFont()),
          dialog(nullptr, kDialogQuestionEditor, position, false, font, buffer, platform) {
        dialog.show();
    }
    static LogFont MakeFont() {
        LogFont font;
        font.height = -32;
        font.faceName = "Liberation Serif";
        return font;
    }
    TextBox* Question() const { return dialog.Edit(kEdQuestionBox); }
    TextBox* Answer() const { return dialog.Edit(kEdAnswerBox); }
};

// Which exits read the boxes into the buffer, and with which code each ends.
TEST(EditDialog, CommandsEndWithTheirCodesAndCopyTheBoxesFirst) {
    struct Case {
        int command;
        std::size_t position;
        int result;  // 0: the dialog stays open
        bool copies;
        int beeps;
    } const cases[] = {
        {kIdOk, 2, kEditOk, true, 0},
        {kIdCancel, 2, kEditCancel, false, 0},
        {kEdPrevButton, 2, kEditPrev, true, 0},
        {kEdMenuPrev, 2, kEditPrev, true, 0},
        {kEdPrevButton, 1, 0, true, 1},
        {kEdMenuPrev, 1, 0, true, 1},
        {kEdNextButton, 1, kEditNext, true, 0},
        {kEdMenuNext, 2, kEditNext, true, 0},
        {kEditFirst, 2, kEditFirst, true, 0},
        {kEditLast, 2, kEditLast, true, 0},
        {kEditMove, 2, kEditMove, true, 0},
        {kEditInsert, 2, kEditInsert, true, 0},
        {kEdDeleteButton, 2, kEditDelete, false, 0},
        {kEdMenuDelete, 2, kEditDelete, false, 0},
    };
    for (const Case& c : cases) {
        EditorHarness h(c.position);
        Type(h.Question(), QStringLiteral(" Or Lyon?"));
        QTest::keyClick(h.Answer(), Qt::Key_End);
        h.Answer()->InsertTyped(QStringLiteral(",Lyon"));
        QSignalSpy finished(&h.dialog, &QDialog::finished);
        if (h.dialog.Button(c.command) != nullptr) {
            h.dialog.Button(c.command)->click();
        } else {
            ASSERT_NE(h.dialog.Menu()->Action(c.command), nullptr) << c.command;
            EXPECT_TRUE(h.dialog.Menu()->Action(c.command)->isEnabled()) << c.command;
            h.dialog.Menu()->Action(c.command)->trigger();
        }
        EXPECT_EQ(finished.count(), c.result != 0 ? 1 : 0) << c.command;
        if (c.result != 0) EXPECT_EQ(h.dialog.result(), c.result) << c.command;
        EXPECT_EQ(h.buffer.question,
                  c.copies ? "Capital of France? Or Lyon?" : "Capital of France?")
            << c.command;
        EXPECT_EQ(h.buffer.answer, c.copies ? "Paris,Lyon" : "Paris") << c.command;
        EXPECT_EQ(h.platform.beeps, c.beeps) << c.command;
        // Prev at number 1 keeps the edits where they are.
        EXPECT_EQ(h.Question()->Bytes(), "Capital of France? Or Lyon?");
    }
}

// The boxes show the display font; Enter makes a line break, stored as CR LF; typing stops
// at 1023 bytes, while a longer text set from a file passes through whole.
TEST(EditDialog, BoxesFontEnterLimitAndLongTexts) {
    EditorHarness h;
    for (TextBox* box : {h.Question(), h.Answer()}) {
        EXPECT_EQ(box->font().family(), "Liberation Serif");
        EXPECT_EQ(box->font().pixelSize(), 32);
    }
    EXPECT_NE(h.dialog.font().family(), "Liberation Serif");
    Type(h.Answer(), QStringLiteral("x"));
    QTest::keyClick(h.Answer(), Qt::Key_Return);
    QTest::keyClicks(h.Answer(), QStringLiteral("y"));
    EXPECT_TRUE(h.dialog.isVisible());  // Enter pressed no default button
    h.Question()->selectAll();
    h.Question()->InsertTyped(QString(1100, QChar(u'q')));
    h.dialog.Button(kIdOk)->click();
    EXPECT_EQ(h.buffer.answer, "Parisx\r\ny");
    EXPECT_EQ(h.buffer.question, std::string(1023, 'q'));

    EditorHarness longText;
    longText.buffer.question = kLong;
    longText.buffer.answer = "\x01 kept as the file had it";
    editdialog dialog(nullptr, kDialogQuestionEditor, 3, false, longText.font, longText.buffer,
                      longText.platform);
    dialog.show();
    EXPECT_EQ(dialog.Edit(kEdQuestionBox)->Bytes(), kLong);
    EXPECT_FALSE(dialog.Edit(kEdQuestionBox)->InsertTyped(QStringLiteral("z")));
    dialog.Button(kEdNextButton)->click();
    EXPECT_EQ(longText.buffer.question, kLong);
    EXPECT_EQ(longText.buffer.answer, "\x01 kept as the file had it");
}

// Advanced Options edits the buffer under the open editor, which keeps its boxes.
TEST(EditDialog, AdvancedOptionsWorkOnTheBuffer) {
    EditorHarness h;
    Type(h.Question(), QStringLiteral("?"));
    WhenModal<advancedialog>([&h](advancedialog* dialog) {
        EXPECT_EQ(dialog->parentWidget(), &h.dialog);
        dialog->Button(kAdvCheckSpaces)->click();
        dialog->Button(kIdOk)->click();
    });
    h.dialog.Menu()->Action(kEdMenuAdvanced)->trigger();
    EXPECT_TRUE(h.buffer.checkSpaces);
    EXPECT_EQ(h.buffer.question, "Capital of France?");
    EXPECT_EQ(h.Question()->Bytes(), "Capital of France??");
    EXPECT_TRUE(h.dialog.isVisible());
}

// The map types into the box that had the focus when it opened, wherever the focus is
// by then; opened from another control, it types nowhere. Every code 32-255 is stored.
TEST(EditDialog, CharacterMapTypesIntoTheBoxFocusedAtOpening) {
    struct Case {
        int focused;  // the control with the focus when the map opens
        const char* question;
        const char* answer;
    } const cases[] = {
        {kEdQuestionBox, "Capital of France?\xa0\xff ", "Paris"},
        {kEdAnswerBox, "Capital of France?", "Paris\xa0\xff "},
        {kEdNextButton, "Capital of France?", "Paris"},
    };
    for (const Case& c : cases) {
        EditorHarness h;
        h.dialog.Control(c.focused)->setFocus();
        h.Question()->moveCursor(QTextCursor::End);
        h.Answer()->moveCursor(QTextCursor::End);
        ASSERT_TRUE(h.dialog.Menu()->Action(kCmCharacterMap)->isEnabled());
        h.dialog.Menu()->Action(kCmCharacterMap)->trigger();
        ASSERT_TRUE(h.dialog.CharacterMap()->IsOpen());
        h.dialog.Button(kIdCancel)->setFocus();
        for (unsigned char code : {0xa0, 0xff, 0x20}) h.dialog.InsertChar(code);
        h.dialog.Button(kIdOk)->click();
        EXPECT_EQ(h.buffer.question, c.question) << c.focused;
        EXPECT_EQ(h.buffer.answer, c.answer) << c.focused;
        EXPECT_FALSE(h.dialog.CharacterMap()->IsOpen());
    }
    // Every code the map offers, through the editor into the buffer.
    EditorHarness all;
    all.Answer()->setFocus();
    all.Answer()->selectAll();
    all.dialog.CharacterMapCommand();
    std::string expected;
    for (int code = 32; code <= 255; ++code) {
        all.dialog.InsertChar(static_cast<unsigned char>(code));
        expected.push_back(static_cast<char>(code));
    }
    all.dialog.Button(kIdOk)->click();
    EXPECT_EQ(all.buffer.answer, expected);
}

// Every box and button has a name for screen readers, and a mnemonic reaches it.
TEST(EditorDialogs, NamesAndMnemonics) {
    EditorHarness h;
    advancedialog advanced(h.buffer, nullptr);
    for (TemplateDialog* dialog :
         {static_cast<TemplateDialog*>(&h.dialog), static_cast<TemplateDialog*>(&advanced)}) {
        QSet<QChar> mnemonics;
        for (QWidget* widget : dialog->findChildren<QWidget*>()) {
            if ((qobject_cast<TextBox*>(widget) || qobject_cast<QAbstractButton*>(widget)) &&
                widget->parentWidget() == dialog) {
                EXPECT_FALSE(widget->accessibleName().isEmpty())
                    << widget->metaObject()->className();
            }
            QString text;
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) text = button->text();
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                if (label->buddy() == nullptr) continue;
                text = label->text();
            }
            if (text.isEmpty()) continue;
            const QKeySequence key = QKeySequence::mnemonic(text);
            ASSERT_FALSE(key.isEmpty()) << text.toStdString();
            const QChar letter = text[text.indexOf(u'&') + 1].toLower();
            EXPECT_FALSE(mnemonics.contains(letter)) << text.toStdString();
            mnemonics.insert(letter);
        }
        // The menu's own mnemonics do not clash with those of the controls.
        if (dialog == &h.dialog) {
            for (QChar menu : {u'g', u'c', u'm'})
                EXPECT_FALSE(mnemonics.contains(menu)) << menu.toLatin1();
        }
    }
    EXPECT_EQ(advanced.Edit(kAdvDelimiter)->accessibleName(), "Multi-answer delimiter");
    EXPECT_EQ(h.dialog.Button(kEdPrevButton)->accessibleName(), "Previous question");
}

// New from an empty window: two questions typed, NEXT between them, OK at the end.
TEST(EditorDialogs, NewBuildsASetFromNothing) {
    zentu program;
    zentuwin* window = program.CreateMainWindow(std::nullopt);
    window->show();
    std::vector<QString> titles;
    const auto fill = [&titles](editdialog* dialog, const char* question, const char* answer,
                                int button) {
        titles.push_back(dialog->windowTitle());
        dialog->Edit(kEdQuestionBox)->InsertTyped(QString::fromLatin1(question));
        dialog->Edit(kEdAnswerBox)->InsertTyped(QString::fromLatin1(answer));
        dialog->Button(button)->click();
    };
    std::vector<int> enabledWhileOpen;
    WhenModal<editdialog>([&](editdialog* first) {
        // While the editor is open, nothing else may change or replace the set.
        window->Menu()->UpdateEnabled();
        for (int id : {kCmNew, kCmOpen, kCmEdit, kCmGradedQuiz, kCmRandomTest, kCmExit, kCmSave}) {
            if (window->Menu()->Action(id)->isEnabled()) enabledWhileOpen.push_back(id);
        }
        EXPECT_FALSE(window->State().CanClose());
        WhenModal<editdialog>([&](editdialog* second) { fill(second, "2+3?", "5", kIdOk); });
        fill(first, "2+2?", "4", kEdNextButton);
    });
    window->Menu()->Action(kCmNew)->trigger();
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0], "Question Editor-question number 1 - new");
    EXPECT_EQ(titles[1], "Question Editor-question number 2 - new");
    const Question_Set& set = window->State().Questions();
    ASSERT_EQ(set.Count(), 2u);
    EXPECT_EQ(set.At(1).question, "2+2?");
    EXPECT_EQ(set.At(2).answer, "5");
    EXPECT_EQ(set.At(2).delimiter, ',');
    EXPECT_TRUE(window->State().QuestionsChanged());
    EXPECT_EQ(enabledWhileOpen, std::vector<int>{kCmSave});
    EXPECT_FALSE(window->State().Busy());
    // What the editor stored reads back equal from a saved file.
    Question_Set reread;
    LogFont font;
    bool fontRead = false;
    ASSERT_EQ(ParseQuestionFile(FormatQuestionFile(set, kFormatVersion11, nullptr), reread, font,
                                fontRead),
              ReadOutcome::Loaded);
    EXPECT_EQ(reread, set);
}

}  // namespace
// Tab from the last text box enters the method group at the selected radio button.
TEST(AdvancedDialog, TabEntersTheMethodGroupAtItsSelection) {
    const std::pair<int, int> cases[] = {
        {2, kAdvSome}, {8, kAdvAllInOrder}, {77, kAdvAll}, {1, kAdvAll}};
    for (const auto& [method, entered] : cases) {
        EditBuffer buffer;
        buffer.answerMethod = static_cast<AnswerMethod>(method);
        advancedialog dialog(buffer, nullptr);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        dialog.Edit(kAdvRightResponse)->setFocus();
        QTest::keyClick(dialog.Edit(kAdvRightResponse), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), dialog.Button(entered)) << method;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), dialog.Button(kAdvUseHint)) << method;
    }
}

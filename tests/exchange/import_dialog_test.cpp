// The Import options dialog: it opens as the options say and gives back what the user
// set, refuses an Other separator it cannot use, and the core's code page table is the
// one the widgets use.
#include "exchange/import_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QTest>

#include "framework/codepage.h"
#include "framework/text_box.h"
#include "model/windows1252.h"

namespace {

TEST(ImportDialog, OptionsGoInAndComeBack) {
    struct Case {
        char separator;
        char delimiter;
        AnswerMethod method;
        bool replace;
        int radio;  // the separator's radio button
    } const cases[] = {
        {'\t', '\0', AnswerMethod::All, false, kIdImportSeparatorFirst},
        {';', ';', AnswerMethod::OnlyOne, true, kIdImportSeparatorFirst + 2},
        {' ', '/', AnswerMethod::AllInOrder, false, kIdImportSeparatorFirst + 5},
        {'^', '\xe9', AnswerMethod::Some, true, kIdImportSeparatorOther},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.separator);
        ImportOptions options;
        options.separator = c.separator;
        options.answerDelimiter = c.delimiter;
        options.method = c.method;
        options.replaceUnmappable = c.replace;
        ImportOptionsDialog dialog("/tmp/words.tsv", options, nullptr);
        EXPECT_EQ(dialog.Label(kIdImportFile)->text(), "/tmp/words.tsv");
        EXPECT_TRUE(dialog.IsChecked(c.radio));
        const ImportOptions back = dialog.Options();
        EXPECT_EQ(back.separator, c.separator);
        EXPECT_EQ(back.answerDelimiter, c.delimiter);
        EXPECT_EQ(back.method, c.method);
        EXPECT_EQ(back.replaceUnmappable, c.replace);
    }
}

TEST(ImportDialog, TypingAnotherSeparatorPicksItAndOkNeedsAUsableOne) {
    ImportOptions options;
    options.separator = ',';
    ImportOptionsDialog dialog("f.csv", options, nullptr);
    dialog.show();
    TextBox* other = dialog.Edit(kIdImportOtherText);
    other->setFocus();
    // é: a character, but none that can part fields.
    QTest::sendKeyEvent(QTest::Click, other, Qt::Key_Eacute, QString::fromUtf8("\xC3\xA9"),
                        Qt::NoModifier);
    EXPECT_TRUE(dialog.IsChecked(kIdImportSeparatorOther));
    dialog.Button(kIdOk)->click();
    EXPECT_TRUE(dialog.isVisible()) << "OK took a separator it cannot use";
    other->selectAll();
    QTest::keyClicks(other, "!");
    dialog.Button(kIdOk)->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), kIdOk);
    EXPECT_EQ(dialog.Options().separator, '!');
}

TEST(ImportDialog, CoreCodePageIsTheWidgetsOne) {
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t codePoint = Cp1252ToCodePoint(static_cast<unsigned char>(byte));
        EXPECT_EQ(codePoint, ByteToChar(static_cast<unsigned char>(byte)).unicode()) << byte;
        unsigned char back = 0;
        EXPECT_TRUE(CodePointToCp1252(codePoint, back) && back == byte) << byte;
    }
    for (char16_t ch = 0; ch < 0xFFFF; ++ch) {
        unsigned char core = 0, widgets = 0;
        ASSERT_EQ(CodePointToCp1252(ch, core), CharToByte(QChar(ch), widgets)) << int(ch);
    }
}

}  // namespace

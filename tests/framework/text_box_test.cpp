#include "framework/text_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A box inside a dialog with a default button, as every box of the program sits.
struct Harness {
    QDialog dialog;
    TextBox* box;
    QPushButton* ok;
    int okPresses = 0;

    Harness() {
        auto* layout = new QVBoxLayout(&dialog);
        box = new TextBox(&dialog);
        ok = new QPushButton(QStringLiteral("OK"), &dialog);
        ok->setDefault(true);
        layout->addWidget(box);
        layout->addWidget(ok);
        QObject::connect(ok, &QPushButton::clicked, [this] { ++okPresses; });
        dialog.show();
        box->setFocus();
    }
};

// Types each character as a key press carrying it, as a keyboard layout would.
void Type(QWidget* widget, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
    }
}

void Paste(TextBox* box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    box->paste();
}

}  // namespace

TEST(TextBox, ByteLimitCountsLineBreaksAsTwo) {
    Harness h;
    h.box->SetByteLimit(5);
    QTest::keyClicks(h.box, QStringLiteral("ab"));
    QTest::keyClick(h.box, Qt::Key_Return);
    EXPECT_EQ(h.box->Bytes(), "ab\r\n");
    QTest::keyClick(h.box, Qt::Key_Return);  // two bytes; one is left
    EXPECT_EQ(h.box->Bytes(), "ab\r\n");
    QTest::keyClicks(h.box, QStringLiteral("cd"));
    EXPECT_EQ(h.box->Bytes(), "ab\r\nc");
    EXPECT_EQ(h.box->StoredBytes(), 5);
    // A selection makes room for what replaces it.
    h.box->selectAll();
    QTest::keyClicks(h.box, QStringLiteral("xyz"));
    EXPECT_EQ(h.box->Bytes(), "xyz");
}

TEST(TextBox, EnterKey) {
    struct Case {
        const char* name;
        bool multiLine;
        TextBox::EnterKey key;
        std::string text;
        int okPresses;
    };
    const Case cases[] = {
        {"new line", true, TextBox::EnterKey::NewLine, "a\r\n", 0},
        {"default button", true, TextBox::EnterKey::DefaultButton, "a", 1},
        {"single line always presses", false, TextBox::EnterKey::NewLine, "a", 1},
    };
    for (const Case& c : cases) {
        Harness h;
        h.box->SetMultiLine(c.multiLine);
        h.box->SetEnterKey(c.key);
        QTest::keyClicks(h.box, QStringLiteral("a"));
        QTest::keyClick(h.box, Qt::Key_Return);
        EXPECT_EQ(h.box->Bytes(), c.text) << c.name;
        EXPECT_EQ(h.okPresses, c.okPresses) << c.name;
    }
}

TEST(TextBox, TabNeverGetsStored) {
    Harness h;
    QTest::keyClicks(h.box, QStringLiteral("a"));
    QTest::keyClick(h.box, Qt::Key_Tab, Qt::ControlModifier);
    Paste(h.box, QStringLiteral("b\tc"));
    EXPECT_EQ(h.box->Bytes(), "a b c");
    QTest::keyClick(h.box, Qt::Key_Tab);  // moves on to the button
    EXPECT_EQ(h.box->Bytes(), "a b c");
    EXPECT_EQ(h.dialog.focusWidget(), h.ok);
}

TEST(TextBox, PasteIsFiltered) {
    struct Case {
        const char* name;
        QString pasted;
        bool multiLine;
        int limit;
        std::string stored;
        bool refused;
    };
    const Case cases[] = {
        {"plain", QStringLiteral("hello"), true, 0, "hello", false},
        {"accents and euro", QString::fromUtf16(u"caf\u00e9 \u20ac"), true, 0, "caf\xe9 \x80",
         false},
        {"outside the code page", QString::fromUtf16(u"x\u4e2dy\u0100z"), true, 0, "xyz", true},
        {"control characters", QString::fromUtf16(u"a\u0001b\u001ac\u0085d"), true, 0, "abcd",
         true},
        {"crlf pasted", QStringLiteral("a\r\nb\rc"), true, 0, "a\r\nb\r\nc", false},
        {"single line keeps the first line", QStringLiteral("one\ntwo"), false, 0, "one", true},
        {"cut to the limit", QStringLiteral("abcdef"), true, 4, "abcd", true},
        {"a break that does not fit", QStringLiteral("abc\nd"), true, 4, "abc", true},
    };
    for (const Case& c : cases) {
        Harness h;
        h.box->SetMultiLine(c.multiLine);
        h.box->SetByteLimit(c.limit);
        QSignalSpy refused(h.box, &TextBox::InputRefused);
        Paste(h.box, c.pasted);
        EXPECT_EQ(h.box->Bytes(), c.stored) << c.name;
        EXPECT_EQ(refused.count() > 0, c.refused) << c.name;
    }
}

TEST(TextBox, TypedCharactersOutsideTheCodePageAreRefused) {
    Harness h;
    QSignalSpy refused(h.box, &TextBox::InputRefused);
    Type(h.box, QString::fromUtf16(u"a\u4e2d\u00f1"));
    EXPECT_EQ(h.box->Bytes(), "a\xf1");
    EXPECT_EQ(refused.count(), 1);
    // Shortcuts keep working and insert nothing.
    QTest::keyClick(h.box, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(h.box->textCursor().selectedText(), QString::fromUtf16(u"a\u00f1"));
    EXPECT_EQ(h.box->Bytes(), "a\xf1");
}

TEST(TextBox, InsertAtTheCaret) {
    Harness h;
    h.box->SetByteLimit(6);
    h.box->SetBytes("abcd");
    QTextCursor cursor = h.box->textCursor();
    cursor.setPosition(2);
    h.box->setTextCursor(cursor);
    EXPECT_TRUE(h.box->InsertByte(0xE9));
    EXPECT_EQ(h.box->Bytes(),
              "ab\xe9"
              "cd");
    EXPECT_TRUE(h.box->InsertByte(0x81));  // a byte the code page leaves unassigned
    EXPECT_EQ(h.box->Bytes(),
              "ab\xe9\x81"
              "cd");
    EXPECT_FALSE(h.box->InsertByte('!'));  // full
    cursor.setPosition(0);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    h.box->setTextCursor(cursor);
    EXPECT_TRUE(h.box->InsertByte('Z'));  // replaces the selection
    EXPECT_EQ(h.box->Bytes(),
              "Z\xe9\x81"
              "cd");
    EXPECT_FALSE(h.box->InsertByte(0x09));
    h.box->setReadOnly(true);
    EXPECT_FALSE(h.box->InsertByte('Q'));
    EXPECT_EQ(h.box->Bytes(),
              "Z\xe9\x81"
              "cd");
}

TEST(TextBox, StoredTextRoundTrip) {
    TextBox box;
    const std::string stored = "line one\r\n\xe0 \x80\r\n";
    box.SetBytes(stored);
    EXPECT_EQ(box.toPlainText(), QString::fromUtf16(u"line one\n\u00e0 \u20ac\n"));
    EXPECT_EQ(box.Bytes(), stored);
}

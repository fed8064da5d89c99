#include "framework/text_box.h"

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

namespace {

// A box inside a dialog with a default button, as every box of the program sits.
struct Harness {
    QDialog dialog;
    TextBox* box = new TextBox(&dialog);
    QPushButton* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    int okPresses = 0;

    explicit Harness(bool multiLine = true, int limit = 0) {
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, [this] { ++okPresses; });
        box->SetMultiLine(multiLine);
        box->SetByteLimit(limit);
        dialog.show();
        box->setFocus();
    }
};

}  // namespace

// The limit counts bytes as the file stores them: a line break is two. (Enter that presses
// the default button is shown by the dialogs' tests.)
TEST(TextBox, KeysAndCharacterMapAgainstTheByteLimit) {
    Harness h(true, 5);
    QTest::keyClicks(h.box, QStringLiteral("ab"));
    QTest::keyClick(h.box, Qt::Key_Return);
    QTest::keyClick(h.box, Qt::Key_Return);  // two bytes; one is left
    QTest::keyClicks(h.box, QStringLiteral("cd"));
    EXPECT_EQ(h.box->Bytes(), "ab\r\nc");
    h.box->selectAll();  // a selection makes room for what replaces it
    QTest::keyClicks(h.box, QStringLiteral("xyz"));
    // Ctrl+Tab types a TAB, which is stored as a space; Tab moves on to the button.
    QTest::keyClick(h.box, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(h.box, Qt::Key_Tab);
    EXPECT_EQ(h.box->Bytes(), "xyz ");
    EXPECT_EQ(h.dialog.focusWidget(), h.ok);

    // The character map inserts any byte from 32 up at the caret, while there is room.
    h.box->moveCursor(QTextCursor::Start);
    EXPECT_FALSE(h.box->InsertByte('\t'));
    EXPECT_TRUE(h.box->InsertByte(0x81));  // a byte the code page leaves unassigned
    EXPECT_FALSE(h.box->InsertByte('!'));  // full
    h.box->setReadOnly(true);
    h.box->selectAll();
    EXPECT_FALSE(h.box->InsertByte('Q'));
    EXPECT_EQ(h.box->Bytes(), "\x81xyz ");
}

// Pasted and typed text alike: what the code page cannot hold and control characters are
// refused, TAB becomes a space, and what does not fit is cut.
TEST(TextBox, InputIsFilteredAndCutToTheLimit) {
    struct Case {
        QString input;
        bool typed, multiLine;
        int limit;
        std::string stored;
        bool refused;
    } const cases[] = {
        {QString::fromUtf16(u"caf\u00e9 \u20ac\tx"), false, true, 0, "caf\xe9 \x80 x", false},
        {QString::fromUtf16(u"a\u0001b\u001ac\u0085d"), false, true, 0, "abcd", true},
        {QStringLiteral("a\r\nb\rc"), false, true, 0, "a\r\nb\r\nc", false},
        // A no-break space (0xA0) stays one, also beside line breaks.
        {QString::fromUtf16(u"a\u00a0\nb\u00a0"), false, true, 0, "a\xa0\r\nb\xa0", false},
        {QStringLiteral("one\ntwo"), false, false, 0, "one", true},  // the first line
        {QStringLiteral("abc\nd"), false, true, 4, "abc", true},     // a break is two bytes
        {QString::fromUtf16(u"a\u4e2d\u00f1"), true, true, 0, "a\xf1", true},
        {QStringLiteral("abcdef"), true, true, 4, "abcd", true},
    };
    for (const Case& c : cases) {
        Harness h(c.multiLine, c.limit);
        QSignalSpy refused(h.box, &TextBox::InputRefused);
        if (c.typed) {
            // Each character as a key press carrying it, as a keyboard layout sends it.
            for (QChar ch : c.input) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
                QApplication::sendEvent(h.box, &press);
            }
        } else {
            QGuiApplication::clipboard()->setText(c.input);
            h.box->paste();
        }
        EXPECT_EQ(h.box->Bytes(), c.stored) << c.stored;
        EXPECT_EQ(refused.count() > 0, c.refused) << c.stored;
    }
}

// A character the files cannot hold is left out with a beep and, the first time in a
// window, a note at the box naming it: typed, pasted or composed, in any box of the window.
TEST(TextBox, NamesTheFirstUnstorableCharacterOncePerWindow) {
    Harness first, second;
    TextBox* sibling = new TextBox(&first.dialog);
    struct Case {
        TextBox* box;
        char how;  // t: typed, p: pasted, c: composed
        QString input;
        std::string kept;
        const char* named;  // in the note; nullptr: no note
    } const cases[] = {
        {first.box, 't', QStringLiteral("a\u0151b"), "ab", "\u0151 (U+0151)"},
        {sibling, 'p', QStringLiteral("\u0142"), "", nullptr},  // the window was told
        {second.box, 't', QStringLiteral("\u00e9\u20ac"), "\xe9\x80", nullptr},
        {second.box, 'p', QStringLiteral("x\U0001F600\u4E2D"), "x", "\U0001F600 (U+1F600)"},
        {second.box, 'c', QStringLiteral("\u4E2Dz"), "z", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input.toStdString());
        QToolTip::hideText();
        ASSERT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        c.box->clear();
        QSignalSpy refused(c.box, &TextBox::InputRefused);
        QInputMethodEvent compose;
        compose.setCommitString(c.input);
        if (c.how == 'p') {
            QApplication::clipboard()->setText(c.input);
            c.box->paste();
        }
        if (c.how == 'c') QApplication::sendEvent(c.box, &compose);
        for (const QChar ch : c.how == 't' ? c.input : QString()) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(c.box, &key);
        }
        EXPECT_EQ(c.box->Bytes(), c.kept);
        EXPECT_EQ(refused.count() > 0, c.kept.size() < std::size_t(c.input.size()));
        EXPECT_EQ(QToolTip::isVisible(), c.named != nullptr);
        EXPECT_TRUE(!c.named || QToolTip::text().contains(QString::fromUtf8(c.named)));
    }
}

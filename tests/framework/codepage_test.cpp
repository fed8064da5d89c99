#include "framework/codepage.h"

#include <gtest/gtest.h>

#include <QStringDecoder>
#include <set>

// Every byte stands for a character of its own and comes back; where Qt has the system's
// codec, the characters are the same as its.
TEST(CodePage, EveryByteSurvivesTheRoundTrip) {
    QStringDecoder decoder("windows-1252");
    std::set<char16_t> seen;
    for (int value = 0; value < 256; ++value) {
        const QChar ch = ByteToChar(static_cast<unsigned char>(value));
        unsigned char back = 0;
        ASSERT_TRUE(CharToByte(ch, back)) << "byte " << value;
        EXPECT_EQ(back, value);
        EXPECT_TRUE(seen.insert(ch.unicode()).second) << "byte " << value;
        if (decoder.isValid()) {
            EXPECT_EQ(QString(ch), decoder.decode(QByteArray(1, static_cast<char>(value))));
        }
    }
}

// 0x1A ends a question file's data and TAB separates its fields: no character at all may
// become either, and one the code page cannot hold is left out.
TEST(CodePage, NoCharacterBecomesEndOfDataOrTab) {
    int representable = 0;
    for (int code = 0; code <= 0xFFFF; ++code) {
        const QChar ch(static_cast<char16_t>(code));
        const std::string stored = QStringToText(QString(ch));
        ASSERT_EQ(stored.find_first_of("\x1A\t"), std::string::npos) << "U+" << std::hex << code;
        representable += IsRepresentable(ch) ? 1 : 0;
        EXPECT_TRUE(IsRepresentable(ch) || IsLineBreak(ch) || stored.empty()) << std::hex << code;
    }
    EXPECT_EQ(representable, 256);
}

TEST(CodePage, TextConversions) {
    bool lossless = false;
    // Qt's paragraph separator is a line break too.
    EXPECT_EQ(QStringToText(QString::fromUtf16(u"a\nb\u2029c\td\u20ac\u00e9"), &lossless),
              "a\r\nb\r\nc d\x80\xe9");
    EXPECT_TRUE(lossless);
    EXPECT_EQ(QStringToText(QString::fromUtf16(u"x\u4e2dy\u001az"), &lossless), "xyz");
    EXPECT_FALSE(lossless);
    EXPECT_EQ(TextToQString("a\r\nb\nc\rd"), QStringLiteral("a\nb\nc\nd"));
    EXPECT_EQ(StoredLength(QStringLiteral("ab\ncd")), 6);
}

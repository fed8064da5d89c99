#include "framework/codepage.h"

#include <gtest/gtest.h>

#include <QStringDecoder>
#include <set>

TEST(CodePage, EveryByteSurvivesTheRoundTrip) {
    std::set<char16_t> seen;
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<unsigned char>(value);
        const QChar ch = ByteToChar(byte);
        unsigned char back = 0;
        ASSERT_TRUE(CharToByte(ch, back)) << "byte " << value;
        EXPECT_EQ(back, byte);
        EXPECT_TRUE(seen.insert(ch.unicode()).second)
            << "two bytes share U+" << std::hex << int(ch.unicode());
    }
}

TEST(CodePage, AgreesWithTheSystemCodecWhereItHasOne) {
    QStringDecoder decoder("windows-1252");
    if (!decoder.isValid()) {
        GTEST_SKIP() << "this Qt has no windows-1252 codec";
    }
    QByteArray all;
    for (int value = 0; value < 256; ++value) {
        all.append(static_cast<char>(value));
    }
    const QString decoded = decoder.decode(all);
    ASSERT_EQ(decoded.size(), 256);
    for (int value = 0; value < 256; ++value) {
        EXPECT_EQ(ByteToChar(static_cast<unsigned char>(value)), decoded[value])
            << "byte " << value;
    }
}

TEST(CodePage, NoCharacterOutsideTheCodePageBecomesAByte) {
    int representable = 0;
    for (int code = 0; code <= 0xFFFF; ++code) {
        const QChar ch(static_cast<char16_t>(code));
        const std::string stored = QStringToText(QString(ch));
        EXPECT_EQ(stored.find('\x1A'), std::string::npos) << "U+" << std::hex << code;
        EXPECT_EQ(stored.find('\t'), std::string::npos) << "U+" << std::hex << code;
        if (IsRepresentable(ch)) {
            ++representable;
        } else if (IsLineBreak(ch)) {
            EXPECT_EQ(stored, "\r\n");
        } else {
            EXPECT_TRUE(stored.empty()) << "U+" << std::hex << code;
        }
    }
    EXPECT_EQ(representable, 256);
}

TEST(CodePage, TextConversions) {
    struct Case {
        const char* name;
        QString shown;
        std::string stored;
        bool lossless;
    };
    const Case cases[] = {
        {"line break", QStringLiteral("a\nb"), "a\r\nb", true},
        {"paragraph separator", QString::fromUtf16(u"a\u2029b"), "a\r\nb", true},
        {"tab", QStringLiteral("a\tb"), "a b", true},
        {"euro and e acute", QString::fromUtf16(u"\u20ac\u00e9"), "\x80\xe9", true},
        {"unassigned byte", QString::fromUtf16(u"\u0081"), "\x81", true},
        {"end-of-data character", QString::fromUtf16(u"a\u001ab"), "ab", false},
        {"chinese", QString::fromUtf16(u"x\u4e2dy"), "xy", false},
        {"c1 outside the table", QString::fromUtf16(u"\u0080"), "", false},
    };
    for (const Case& c : cases) {
        bool lossless = false;
        EXPECT_EQ(QStringToText(c.shown, &lossless), c.stored) << c.name;
        EXPECT_EQ(lossless, c.lossless) << c.name;
    }
}

TEST(CodePage, StoredLineBreaksBecomeOneCharacter) {
    EXPECT_EQ(TextToQString("a\r\nb"), QStringLiteral("a\nb"));
    EXPECT_EQ(TextToQString("a\nb\rc"), QStringLiteral("a\nb\nc"));
    EXPECT_EQ(TextToQString(std::string("\x80\x9f\0", 3)),
              QString::fromUtf16(u"\u20ac\u0178") + QChar(u'\0'));
    EXPECT_EQ(StoredLength(QStringLiteral("ab\ncd")), 6);
}

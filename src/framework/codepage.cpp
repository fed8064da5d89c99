#include "framework/codepage.h"

#include <array>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F. The table is our own rather than
// Qt's ICU codec: Qt built without ICU has no such codec at all, and its encoder turns
// what it cannot map into 0x1A, the byte that ends a question file's data.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

}  // namespace

QChar ByteToChar(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return QChar(kHighControls[byte - 0x80]);
    }
    return QChar(static_cast<char16_t>(byte));
}

bool CharToByte(QChar ch, unsigned char& byte) {
    const char16_t code = ch.unicode();
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        byte = static_cast<unsigned char>(code);
        return true;
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == code) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

bool IsRepresentable(QChar ch) {
    unsigned char unused = 0;
    return CharToByte(ch, unused);
}

bool IsRepresentable(const QString& text) {
    for (QChar ch : text) {
        if (!IsRepresentable(ch)) {
            return false;
        }
    }
    return true;
}

QString TextToQString(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
            text.append(QChar(u'\n'));
        } else {
            text.append(ByteToChar(byte));
        }
    }
    return text;
}

std::string QStringToText(const QString& text, bool* lossless) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    bool complete = true;
    for (QChar ch : text) {
        unsigned char byte = 0;
        if (IsLineBreak(ch)) {
            bytes.append("\r\n", 2);
        } else if (ch == u'\t') {
            bytes.push_back(' ');
        } else if (ch == QChar(0x1A) || !CharToByte(ch, byte)) {
            complete = false;
        } else {
            bytes.push_back(static_cast<char>(byte));
        }
    }
    if (lossless != nullptr) {
        *lossless = complete;
    }
    return bytes;
}

bool IsLineBreak(QChar ch) {
    return ch == u'\n' || ch == QChar::LineSeparator || ch == QChar::ParagraphSeparator;
}

int StoredLength(const QString& text) {
    qsizetype length = text.size();
    for (QChar ch : text) {
        if (IsLineBreak(ch)) {
            ++length;
        }
    }
    return static_cast<int>(length);
}

#include "framework/codepage.h"

#include "model/windows1252.h"

// The mapping is the core's own table (model/windows1252) rather than Qt's ICU codec: Qt
// built without ICU has no such codec at all, and its encoder turns what it cannot map into
// 0x1A, the byte that ends a question file's data.
QChar ByteToChar(unsigned char byte) {
    return QChar(static_cast<char16_t>(Cp1252ToCodePoint(byte)));
}

bool CharToByte(QChar ch, unsigned char& byte) { return CodePointToCp1252(ch.unicode(), byte); }

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

// The one place where stored texts (Windows-1252 bytes, CR LF line breaks) meet Qt's
// Unicode strings. Every widget that shows or takes a text goes through these calls.
#pragma once

#include <QChar>
#include <QString>
#include <string>

// One byte as the character it stands for. Total: the five bytes that the code page leaves
// unassigned stand for the C1 characters of the same number, so every byte survives.
QChar ByteToChar(unsigned char byte);
// The byte of `ch`; false when the code page cannot hold it.
bool CharToByte(QChar ch, unsigned char& byte);

bool IsRepresentable(QChar ch);
bool IsRepresentable(const QString& text);

// A stored text for display: CR LF (and a lone CR or LF) becomes '\n'.
QString TextToQString(const std::string& bytes);
// A shown text for storage: '\n' becomes CR LF and TAB a space. A character the code
// page cannot hold, and U+001A (the question file's end of data), are left out, so the
// result never carries byte 0x1A or a TAB. `lossless` tells whether anything was left out.
std::string QStringToText(const QString& text, bool* lossless = nullptr);

// '\n' and the two Unicode line and paragraph separators that Qt's text widgets use.
bool IsLineBreak(QChar ch);
// The number of bytes `text` takes once stored: a line break counts two.
int StoredLength(const QString& text);

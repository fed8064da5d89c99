// The code page of stored texts as Unicode: the one total mapping that the widgets (through
// framework/codepage) and the table import and export share, so a byte read in and written
// out comes back as it was.
#pragma once

#include <string>

// The character that byte `byte` stands for. Total: the five bytes that Windows-1252
// leaves unassigned stand for the C1 characters of the same number.
char32_t Cp1252ToCodePoint(unsigned char byte);
// The byte of `codePoint`; false when the code page cannot hold it.
bool CodePointToCp1252(char32_t codePoint, unsigned char& byte);

// Appends `codePoint` to `out` as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);
// Appends the Windows-1252 bytes of `bytes` to `out` as UTF-8.
void AppendCp1252AsUtf8(std::string& out, const std::string& bytes);
// The first valid UTF-8 sequence at bytes[pos]; its length goes to `length`. False (and
// length 0) for a byte that starts no valid sequence, an overlong form or a surrogate.
bool DecodeUtf8(const char* bytes, std::size_t size, std::size_t pos, char32_t& codePoint,
                std::size_t& length);
bool IsValidUtf8(const std::string& bytes);

// Small text and number helpers shared by the file reader, the answer checker and the
// character map.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Case folding of the program: only A-Z and a-z; bytes 128-255 match only themselves.
inline char FoldAsciiCase(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
bool EqualsFoldAscii(std::string_view a, std::string_view b);

// Every occurrence of `from` (never empty) replaced by `to`, left to right, without
// overlap; inserted text is never searched again.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to,
                       bool ignoreCase = false);

enum class StripMode : int { Leading = 0, Trailing = 1, Both = 2 };
// `text` without the run of `ch` at the chosen end(s); any other mode leaves it as is.
std::string StripChar(std::string_view text, StripMode mode, char ch);

// Takes the first space-separated number off `text`; -1 when no space follows it.
std::int32_t TakeLeadingInt(std::string& text);
// The same, and tells whether the number was too large for 32 bits (it then wraps).
std::int32_t TakeLeadingInt(std::string& text, bool& overflowed);

// a modulo b, never negative for b > 0.
int PositiveMod(int a, int b);

// LF -> CR LF, the form in which texts keep their line breaks in memory.
std::string LfToCrLf(std::string_view text);

// Folding for the question list's search: letter case and accents do not count, so
// "ecole" finds "École". Only the search folds; the answer checker keeps its own rules.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// What one Windows-1252 byte folds to: zero, one or two bytes (ß gives "ss").
struct FoldedByte {
    std::uint8_t length = 0;
    char bytes[2] = {0, 0};
};

// The 256 entries, by byte. Letters fold to lower-case ASCII without their marks,
// ligatures to their two letters, curly quotes and dashes to their plain forms; a line
// break (CR LF) folds to one space, so a text reads as the one line the list shows.
const std::array<FoldedByte, 256>& SearchFoldTable();

// `text` folded byte by byte into `out`, which must have room for 2 * text.size() bytes;
// returns the folded length. Without bounds checks or growth, as the search folds every
// text of a large set per keystroke.
std::size_t FoldInto(std::string_view text, char* out);
std::string FoldForSearch(std::string_view text);

#include "list/search_fold.h"

namespace {

FoldedByte Fold(const char* to) {
    FoldedByte folded;
    for (; to[folded.length] != '\0' && folded.length < 2; ++folded.length) {
        folded.bytes[folded.length] = to[folded.length];
    }
    return folded;
}

// The bytes 0x80-0xFF that fold to something other than themselves, with what they fold
// to, beside the accented letters of kAccentedRow. Symbols without a plain form
// (currency, the copyright sign, degrees, the multiplication sign...) stay as they are.
struct Mapping {
    unsigned char byte;
    const char* to;
};
constexpr Mapping kHighBytes[] = {
    {0x83, "f"},  {0x8A, "s"},  {0x8C, "oe"}, {0x8E, "z"},  {0x91, "'"}, {0x92, "'"},
    {0x93, "\""}, {0x94, "\""}, {0x96, "-"},  {0x97, "-"},  {0x9A, "s"}, {0x9C, "oe"},
    {0x9E, "z"},  {0x9F, "y"},  {0xA0, " "},  {0xAA, "a"},  {0xAD, ""},  {0xB2, "2"},
    {0xB3, "3"},  {0xB9, "1"},  {0xBA, "o"},  {0xC6, "ae"}, {0xD0, "d"}, {0xDE, "th"},
    {0xDF, "ss"}, {0xE6, "ae"}, {0xF0, "d"},  {0xFE, "th"}, {0xFF, "y"},
};

// The vowels with grave, acute, circumflex, tilde, diaeresis and ring, as the code page
// orders them in both cases from 0xC0 and 0xE0 (the gaps hold the letters listed above).
constexpr const char* kAccentedRow = "aaaaaa?ceeeeiiii?nooooo?ouuuuy??";

std::array<FoldedByte, 256> BuildTable() {
    std::array<FoldedByte, 256> table;
    for (int byte = 0; byte < 256; ++byte) {
        const char self[2] = {static_cast<char>(byte), '\0'};
        table[byte] = byte == 0 ? FoldedByte{1, {0, 0}} : Fold(self);
    }
    for (int byte = 'A'; byte <= 'Z'; ++byte) table[byte].bytes[0] = static_cast<char>(byte + 32);
    for (int offset = 0; offset < 32; ++offset) {
        const char letter[2] = {kAccentedRow[offset], '\0'};
        if (letter[0] == '?') continue;
        table[0xC0 + offset] = Fold(letter);
        table[0xE0 + offset] = Fold(letter);
    }
    for (const Mapping& mapping : kHighBytes) table[mapping.byte] = Fold(mapping.to);
    table['\r'] = Fold("");
    table['\n'] = Fold(" ");
    return table;
}

}  // namespace

const std::array<FoldedByte, 256>& SearchFoldTable() {
    static const std::array<FoldedByte, 256> table = BuildTable();
    return table;
}

std::size_t FoldInto(std::string_view text, char* out) {
    const std::array<FoldedByte, 256>& table = SearchFoldTable();
    char* end = out;
    for (const char c : text) {
        // Both bytes are written whatever the length: no branch per byte.
        const FoldedByte& folded = table[static_cast<unsigned char>(c)];
        end[0] = folded.bytes[0];
        end[1] = folded.bytes[1];
        end += folded.length;
    }
    return static_cast<std::size_t>(end - out);
}

std::string FoldForSearch(std::string_view text) {
    std::string out(text.size() * 2, '\0');
    out.resize(FoldInto(text, out.data()));
    return out;
}

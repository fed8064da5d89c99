#include "editor/edit_buffer.h"

#include <gtest/gtest.h>

namespace {

// Texts as they are stored: TAB a space, lone CR or LF a CR LF, 0x1A dropped, other bytes
// (also longer texts than a box takes) whole. A control byte as delimiter, in the buffer or
// first in the delimiter box, becomes NUL; NUL shows as an empty box.
TEST(EditBufferTest, CommitRecordStoresOnlyWhatTheFileHolds) {
    EXPECT_EQ(EditBuffer().delimiter, '\0');
    EXPECT_EQ(static_cast<int>(EditBuffer().answerMethod), 0);
    const std::pair<std::string, std::string> texts[] = {
        {"a\r\nb", "a\r\nb"},
        {"a\tb", "a b"},
        {"a\nb\r", "a\r\nb\r\n"},
        {"\n\r\n\r", "\r\n\r\n\r\n"},
        {"a\x1a"
         "b",
         "ab"},
        {"\x01\x7f\xa0\xff", "\x01\x7f\xa0\xff"},
        {std::string(5000, 'x'), std::string(5000, 'x')},
    };
    const std::pair<char, char> delimiters[] = {{'\0', '\0'},    {';', ';'},     {'\t', '\0'},
                                                {'\n', '\0'},    {'\x1a', '\0'}, {'\x7f', '\0'},
                                                {'\xa0', '\xa0'}};
    for (const auto& [text, stored] : texts) {
        for (const auto& [delimiter, kept] : delimiters) {
            EditBuffer buffer;
            buffer.question = buffer.answer = buffer.hint = text;
            buffer.rightResponse = buffer.wrongResponse = text;
            buffer.delimiter = delimiter;
            buffer.checkSpaces = true;
            buffer.answerMethod = static_cast<AnswerMethod>(77);
            const Zentu_Data record = CommitRecord(buffer);
            EXPECT_EQ(DelimiterFromText(std::string(1, delimiter) + "x"), kept);
            EXPECT_EQ(DelimiterText(kept), kept == '\0' ? "" : std::string(1, kept));
            EXPECT_EQ(record, (Zentu_Data{stored, stored, stored, stored, stored, kept, false,
                                          false, true, false, static_cast<AnswerMethod>(77)}))
                << text << int(delimiter);
        }
    }
}

// Radios in the order All, Some, Only one, All in order: the last selected wins; with
// none the former method stays. A method shows as its radio alone, any other value as none.
TEST(EditBufferTest, RadioRule) {
    const std::tuple<MethodRadios, int, int> radios[] = {
        {{false, false, false, false}, 77, 77},
        {{true, false, false, false}, 8, 1},
        {{false, true, false, false}, 1, 2},
        {{true, false, true, true}, 0, 8},
    };
    for (const auto& [selected, former, method] : radios) {
        EXPECT_EQ(MethodFromRadios(selected, AnswerMethod(former)), AnswerMethod(method));
    }
    for (int value : {0, 1, 2, 3, 4, 8, 16, -1}) {
        const MethodRadios shown = RadiosForMethod(AnswerMethod(value));
        const bool known = value == 1 || value == 2 || value == 4 || value == 8;
        EXPECT_EQ(MethodFromRadios(shown, AnswerMethod(99)), AnswerMethod(known ? value : 99));
    }
}

}  // namespace

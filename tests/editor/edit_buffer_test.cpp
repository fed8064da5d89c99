#include "editor/edit_buffer.h"

#include <gtest/gtest.h>

namespace {

// Texts as the file stores them: TAB a space, lone CR or LF a CR LF, 0x1A dropped, other
// bytes (also more than a box takes) whole; a control byte as delimiter becomes NUL.
TEST(EditBufferTest, CommitRecordStoresOnlyWhatTheFileHolds) {
    const std::pair<std::string, std::string> texts[] = {
        {"a\r\nb", "a\r\nb"},
        {"a\tb", "a b"},
        {"a\nb\r", "a\r\nb\r\n"},
        {"\n\r\n\r", "\r\n\r\n\r\n"},
        {"a\x1a", "a"},
        {"\x01\x7f\xa0\xff", "\x01\x7f\xa0\xff"},
        {std::string(5000, 'x'), std::string(5000, 'x')}};
    for (const auto& [text, stored] : texts) {
        EditBuffer buffer;  // as the program starts: no delimiter, no method
        buffer.question = buffer.answer = buffer.hint = text;
        buffer.rightResponse = buffer.wrongResponse = text;
        buffer.checkSpaces = true;
        EXPECT_EQ(CommitRecord(buffer), (Zentu_Data{stored, stored, stored, stored, stored, '\0',
                                                    false, false, true, false, AnswerMethod(0)}))
            << text;
        // The editor stores a buffer as it is exactly when nothing would change.
        buffer.delimiter = ',';
        EXPECT_EQ(StoresAsIs(buffer), text == stored) << text;
        buffer.question = "a\rb";
        EXPECT_FALSE(StoresAsIs(buffer));
    }
    const std::pair<char, char> delimiters[] = {{'\0', '\0'},    {';', ';'},     {'\t', '\0'},
                                                {'\n', '\0'},    {'\x1a', '\0'}, {'\x7f', '\0'},
                                                {'\xa0', '\xa0'}};
    for (const auto& [delimiter, kept] : delimiters) {
        EditBuffer buffer;
        buffer.delimiter = delimiter;
        EXPECT_EQ(CommitRecord(buffer).delimiter, kept) << int(delimiter);
        EXPECT_EQ(StoresAsIs(buffer), delimiter == kept) << int(delimiter);
        EXPECT_EQ(DelimiterFromText(std::string(1, delimiter) + "x"), kept) << int(delimiter);
        EXPECT_EQ(DelimiterText(kept), kept == '\0' ? "" : std::string(1, kept));
    }
}

}  // namespace

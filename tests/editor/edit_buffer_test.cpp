#include "editor/edit_buffer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(EditBufferTest, StartsWithoutDelimiterOrMethod) {
    const EditBuffer buffer;
    EXPECT_EQ(buffer.delimiter, '\0');
    EXPECT_EQ(static_cast<int>(buffer.answerMethod), 0);
    EXPECT_TRUE(buffer.question.empty() && buffer.wrongResponse.empty());
    EXPECT_FALSE(buffer.useHint || buffer.confirmCorrect || buffer.caseSensitive ||
                 buffer.checkSpaces);
}

TEST(EditBufferTest, StorableText) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "plain"},
        {"a\r\nb", "a\r\nb"},
        {"a\tb", "a b"},
        {"a\nb", "a\r\nb"},
        {"a\rb", "a\r\nb"},
        {"a\r", "a\r\n"},
        {"\n\r\n\r", "\r\n\r\n\r\n"},
        {"a\x1a"
         "b",
         "ab"},
        {std::string("\x01\x7f\xa0\xff", 4), std::string("\x01\x7f\xa0\xff", 4)},
        {std::string(5000, 'x') + "\t", std::string(5000, 'x') + " "},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(StorableText(text), expected) << text;
}

TEST(EditBufferTest, CommitRecordKeepsEverythingStorable) {
    EditBuffer buffer;
    buffer.question = std::string(3000, 'q');  // longer than a box takes: stored whole
    buffer.answer = "a\tb";
    buffer.hint = "h\n";
    buffer.rightResponse = "r\x1a";
    buffer.wrongResponse = "w";
    buffer.checkSpaces = true;
    buffer.answerMethod = static_cast<AnswerMethod>(77);
    const std::pair<char, char> delimiters[] = {
        {'\0', '\0'},   {';', ';'},     {'\t', '\0'},     {'\n', '\0'},     {'\r', '\0'},
        {'\x1a', '\0'}, {'\x7f', '\0'}, {'\xa0', '\xa0'}, {'\xff', '\xff'},
    };
    for (const auto& [delimiter, expected] : delimiters) {
        buffer.delimiter = delimiter;
        const Zentu_Data record = CommitRecord(buffer);
        EXPECT_EQ(record.delimiter, expected) << int(delimiter);
        EXPECT_EQ(record.question, buffer.question);
        EXPECT_EQ(record.answer, "a b");
        EXPECT_EQ(record.hint, "h\r\n");
        EXPECT_EQ(record.rightResponse, "r");
        EXPECT_EQ(record.wrongResponse, "w");
        EXPECT_TRUE(record.checkSpaces && !record.useHint);
        EXPECT_EQ(static_cast<int>(record.answerMethod), 77);
    }
}

TEST(EditBufferTest, DelimiterBox) {
    const std::pair<std::string, char> cases[] = {
        {"", '\0'},   {";", ';'},     {"/x", '/'},      {" ", ' '},
        {"\t", '\0'}, {"\x1a", '\0'}, {"\xe9", '\xe9'},
    };
    for (const auto& [text, delimiter] : cases) {
        EXPECT_EQ(DelimiterFromText(text), delimiter) << text;
        if (delimiter != '\0') EXPECT_EQ(DelimiterText(delimiter), std::string(1, delimiter));
    }
    EXPECT_EQ(DelimiterText('\0'), "");
}

TEST(EditBufferTest, RadioRule) {
    const auto method = [](int value) { return static_cast<AnswerMethod>(value); };
    struct Case {
        MethodRadios radios;
        int former;
        int expected;
    };
    const Case cases[] = {
        {{false, false, false, false}, 2, 2}, {{false, false, false, false}, 77, 77},
        {{true, false, false, false}, 8, 1},  {{false, true, false, false}, 1, 2},
        {{false, false, true, false}, 2, 4},  {{false, false, false, true}, 0, 8},
        {{true, true, false, false}, 0, 2},   {{true, false, true, true}, 0, 8},
        {{true, true, true, false}, 0, 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MethodFromRadios(c.radios, method(c.former)), method(c.expected))
            << c.former << " -> " << c.expected;
    }
    // Showing a method selects its radio alone; no value else selects one.
    for (int value : {0, 1, 2, 3, 4, 5, 8, 16, -1}) {
        const MethodRadios radios = RadiosForMethod(method(value));
        const int selected = radios.all + radios.some + radios.onlyOne + radios.allInOrder;
        const bool known = value == 1 || value == 2 || value == 4 || value == 8;
        EXPECT_EQ(selected, known ? 1 : 0) << value;
        EXPECT_EQ(MethodFromRadios(radios, method(99)), known ? method(value) : method(99));
    }
}

}  // namespace

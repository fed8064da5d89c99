#include "model/text_helpers.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct ReplaceCase {
    std::string text, from, to;
    bool ignoreCase;
    std::string expected;
};

TEST(ReplaceAllTest, ReplacesLeftToRightWithoutOverlapOrRescan) {
    const ReplaceCase cases[] = {
        {"a\nb\n", "\n", "\r\n", false, "a\r\nb\r\n"},
        {"aaa", "aa", "b", false, "ba"},
        {"x<<Input>>y", "<<INPUT>>", "Z", true, "xZy"},
        {"x<<Input>>y", "<<INPUT>>", "Z", false, "x<<Input>>y"},
        {"<<A>><<A>>", "<<A>>", "<<A>><<A>>", false, "<<A>><<A>><<A>><<A>>"},
        {"ab", "abc", "x", false, "ab"},
        {"", "a", "b", false, ""},
        {"\xC9t\xE9", "\xE9", "e", true, "\xC9te"},  // bytes above 127 are not folded
        {"tail-aa", "aa", "", false, "tail-"},
        {std::string("a\0b", 3), std::string("\0", 1), "-", false, "a-b"},
    };
    for (const ReplaceCase& c : cases) {
        EXPECT_EQ(ReplaceAll(c.text, c.from, c.to, c.ignoreCase), c.expected)
            << "text '" << c.text << "' from '" << c.from << "'";
    }
}

TEST(StripCharTest, RemovesWholeRunsAtTheChosenEnds) {
    struct Case {
        std::string text;
        int mode;
        std::string expected;
    } const cases[] = {
        {"  x y  ", 2, "x y"}, {"  x y  ", 0, "x y  "}, {"  x y  ", 1, "  x y"},
        {"   ", 0, ""},        {"   ", 2, ""},          {"   ", 1, ""},
        {"", 1, ""},           {"  x  ", 3, "  x  "},   {"  x  ", -1, "  x  "},
        {"x  y", 2, "x  y"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StripChar(c.text, static_cast<StripMode>(c.mode), ' '), c.expected)
            << "mode " << c.mode << " text '" << c.text << "'";
    }
}

TEST(TakeLeadingIntTest, TakesNumbersOffALine) {
    struct Case {
        std::string text;
        std::int32_t number;
        std::string rest;
    } const cases[] = {
        {"  -13 0 0", -13, " 0 0"},
        {"700", -1, "700"},
        {" x 5", 0, " 5"},
        {"+42 Arial", 42, " Arial"},
        {"12abc 3", 12, " 3"},
        {"\t7 z", 7, " z"},
        {"-2147483648 z", INT32_MIN, " z"},
        {"2147483647 z", INT32_MAX, " z"},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(TakeLeadingInt(text), c.number) << "'" << c.text << "'";
        EXPECT_EQ(text, c.rest) << "'" << c.text << "'";
    }
}

TEST(TakeLeadingIntTest, ReportsNumbersPast32BitsWithoutUndefinedBehaviour) {
    for (const char* text :
         {"2147483648 x", "-2147483649 x", "9999999999999999999999999999999999999999 x"}) {
        std::string line = text;
        bool overflowed = false;
        TakeLeadingInt(line, overflowed);
        EXPECT_TRUE(overflowed) << text;
        EXPECT_EQ(line, " x");
    }
}

TEST(PositiveModTest, IsNeverNegative) {
    const int cases[][3] = {{-17, 16, 15}, {0, 16, 0},   {-1, 16, 15},
                            {17, 16, 1},   {-16, 16, 0}, {INT_MIN, 16, 0}};
    for (const auto& c : cases) EXPECT_EQ(PositiveMod(c[0], c[1]), c[2]) << c[0] << " mod " << c[1];
}

TEST(EqualsFoldAsciiTest, FoldsOnlyAsciiLetters) {
    EXPECT_TRUE(EqualsFoldAscii("PaRiS", "paris"));
    EXPECT_FALSE(EqualsFoldAscii("\xC9", "\xE9"));
    EXPECT_FALSE(EqualsFoldAscii("[", "{"));  // 0x5B and 0x7B differ by 32 but are no letters
    EXPECT_FALSE(EqualsFoldAscii("ab", "abc"));
}

}  // namespace

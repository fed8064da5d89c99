#include "model/text_helpers.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(TextHelpersTest, ReplaceAllGoesLeftToRightWithoutOverlapOrRescan) {
    struct Case {
        std::string text, from, to;
        bool ignoreCase;
        std::string expected;
    } const cases[] = {
        {"a\nb\n", "\n", "\r\n", false, "a\r\nb\r\n"},
        {"aaa", "aa", "b", false, "ba"},
        {"x<<Input>>y", "<<INPUT>>", "Z", true, "xZy"},
        {"x<<Input>>y", "<<INPUT>>", "Z", false, "x<<Input>>y"},
        {"<<A>><<A>>", "<<A>>", "<<A>><<A>>", false, "<<A>><<A>><<A>><<A>>"},
        {"ab", "abc", "x", false, "ab"},
        {"\xC9t\xE9", "\xE9", "e", true, "\xC9te"},  // bytes past 127 are not folded
        {"[x]", "{X}", "-", true, "[x]"},  // 0x5B and 0x7B differ by 32 but are no letters
        {"tail-aa", "aa", "", false, "tail-"},
        {std::string("a\0b", 3), std::string("\0", 1), "-", false, "a-b"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplaceAll(c.text, c.from, c.to, c.ignoreCase), c.expected) << c.text;
    }
}

TEST(TextHelpersTest, StripCharRemovesWholeRunsAtTheChosenEnds) {
    struct Case {
        std::string text;
        int mode;
        std::string expected;
    } const cases[] = {
        {"  x y  ", 2, "x y"}, {"  x y  ", 0, "x y  "}, {"  x y  ", 1, "  x y"},
        {"   ", 0, ""},        {"   ", 2, ""},          {"   ", 1, ""},
        {"", 1, ""},           {"  x  ", 3, "  x  "},   {"  x  ", -1, "  x  "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StripChar(c.text, static_cast<StripMode>(c.mode), ' '), c.expected)
            << "mode " << c.mode << " '" << c.text << "'";
    }
}

TEST(TextHelpersTest, TakeLeadingIntTakesNumbersOffALine) {
    struct Case {
        std::string text;
        std::int32_t number;
        std::string rest;
    } const cases[] = {
        {"  -13 0 0", -13, " 0 0"},  {"700", -1, "700"},    {" x 5", 0, " 5"},
        {"+42 Arial", 42, " Arial"}, {"12abc 3", 12, " 3"}, {"\t7 z", 7, " z"},
    };
    // Numbers at and past the 32-bit limits are covered where they matter, in the font line.
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(TakeLeadingInt(text), c.number) << c.text;
        EXPECT_EQ(text, c.rest) << c.text;
    }
}

TEST(TextHelpersTest, PositiveModAndFolding) {
    const int mods[][3] = {{-17, 16, 15}, {0, 16, 0}, {17, 16, 1}, {-16, 16, 0}, {INT_MIN, 16, 0}};
    for (const auto& m : mods) EXPECT_EQ(PositiveMod(m[0], m[1]), m[2]) << m[0];
    EXPECT_TRUE(EqualsFoldAscii("PaRiS", "paris"));
    const char* const differ[][2] = {{"\xC9", "\xE9"}, {"[", "{"}, {"ab", "abc"}};
    for (const auto& d : differ) EXPECT_FALSE(EqualsFoldAscii(d[0], d[1])) << d[0] << d[1];
}

}  // namespace

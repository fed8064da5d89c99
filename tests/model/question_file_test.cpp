#include "model/question_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model_test_support.h"

namespace {

using namespace std::string_literals;

LogFont FontOf(const std::vector<std::int32_t>& v, std::string face) {
    const auto byte = [&](int i) { return static_cast<std::uint8_t>(v[i]); };
    return {v[0],    v[1],    v[2],    v[3],     v[4],     byte(5),  byte(6),
            byte(7), byte(8), byte(9), byte(10), byte(11), byte(12), std::move(face)};
}

// Written byte for byte, and read back to the set (less the responses in version 1.0).
TEST(QuestionFileTest, DocumentedBytesBothWays) {
    const LogFont arial = StartupDisplayFont();
    const Question_Set example = SetOf({Record("2+2?", "4")});
    // One flag set in each record, so that flags in any other order show; a line break
    // in a text is stored as CR CR LF.
    const Question_Set oneHot = SetOf({Record("l1\r\nl2", "a", "h", ';', "1000", -5, "r", "w"),
                                       Record("q", "a", "h", ';', "0100", 8, "r", "w"),
                                       Record("q", "a", "h", '\0', "0010", 2, "r", "w")});
    const std::string v11 = "0\r\nZentu File\r\n2\r\n";
    const std::string font = "Font=0 0 0 0 400 0 0 0 1 0 0 0 0 Arial\r\n";
    struct Case {
        Question_Set set;
        int format;
        const LogFont* font;
        std::string bytes;
    } const cases[] = {
        {example, 1, nullptr, "1\r\n\t2+2?\t4\t\t,0 0 0 0 1"},
        {example, 2, nullptr, v11 + "EndOptions\r\n1\r\n2+2?\t4\t\t\t\t,\t0\t0\t0\t0\t1\r\n"},
        {{}, 2, &arial, v11 + font + "EndOptions\r\n0\r\n"},
        {{}, 1, &arial, "0\r\n"},                       // no font; read back as the empty set it is
        {{}, 7, nullptr, v11 + "EndOptions\r\n0\r\n"},  // any format number but 1 writes 1.1
        {oneHot, 1, nullptr,
         "3\r\n\tl1\r\r\nl2\ta\th\t;1 0 0 0 -5\tq\ta\th\t;0 1 0 0 8\tq\ta\th\t"s + '\0' +
             "0 0 1 0 2"},
        {oneHot, 2, nullptr,
         v11 + "EndOptions\r\n3\r\nl1\r\r\nl2\ta\th\tr\tw\t;\t1\t0\t0\t0\t-5\r\n" +
             "q\ta\th\tr\tw\t;\t0\t1\t0\t0\t8\r\nq\ta\th\tr\tw\t" + '\0' + "\t0\t0\t1\t0\t2\r\n"},
    };
    for (const Case& c : cases) {
        const std::string where = Escaped(c.bytes);
        EXPECT_EQ(Escaped(FormatQuestionFile(c.set, c.format, c.font)), where);
        const Parsed read = Read(c.bytes);
        EXPECT_EQ(read.outcome, ReadOutcome::Loaded) << where;
        EXPECT_EQ(read.set, c.format == 1 ? WithoutResponses(c.set) : c.set) << where;
        EXPECT_EQ(read.fontRead, c.font != nullptr && c.format != 1) << where;
    }
}

TEST(QuestionFileTest, FontLines) {
    const std::vector<std::int32_t> numbers = {-16, 0, 0, 0, 700, 1, 0, 0, 0, 0, 0, 0, 49};
    const LogFont courier = FontOf(numbers, "Courier New");
    const std::string line = "Font=-16 0 0 0 700 1 0 0 0 0 0 0 49 Courier New\r\n";
    struct Case {
        std::string options;
        bool fontRead;
        LogFont font;
    };
    std::vector<Case> cases = {
        {"", false, StartupDisplayFont()},
        {"Colour=red\r\n" + line + "x\r\n", true, courier},
        {"Font=0 0 0 0 400 0 0 0 1 0 0 0 0 Times\r\n" + line, true, courier},
        {"Font=-16 0 0 0 700 257 0 0 256 0 0 0 305   Courier New\r\n", true, courier},
        {"font=1 2 3 4 5 6 7 8 9 10 11 12 13 X\r\n", false, StartupDisplayFont()},
        // Numbers missing from a short line are TakeLeadingInt's -1.
        {"Font=1 2 3\r\n", true, FontOf({1, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, "3")},
        {"Font=-2147483648 2147483647 0 0 0 0 0 0 0 0 0 0 0 " + std::string(40, 'F') + "\r\n", true,
         FontOf({INT32_MIN, INT32_MAX, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, std::string(31, 'F'))},
    };
    // A number past 32 bits, wherever it stands, damages the line, which is then ignored.
    for (std::size_t i = 0; i < 2 * numbers.size(); ++i) {
        std::string text = "Font=";
        for (std::size_t n = 0; n < numbers.size(); ++n) {
            text += n != i / 2 ? std::to_string(numbers[n]) : i % 2 ? "2147483648" : "-2147483649";
            text += ' ';
        }
        cases.push_back({text + "Courier New\r\n", false, StartupDisplayFont()});
    }
    for (const Case& c : cases) {
        const Parsed read = Read("0\r\nZentu File\r\n2\r\n" + c.options + "EndOptions\r\n0\r\n");
        EXPECT_EQ(read.outcome, ReadOutcome::Loaded) << c.options;
        EXPECT_EQ(read.fontRead, c.fontRead) << c.options;
        EXPECT_EQ(read.font, c.font) << c.options;
    }
}

}  // namespace

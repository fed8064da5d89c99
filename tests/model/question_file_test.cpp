#include "model/question_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

Zentu_Data TwoPlusTwo() {
    Zentu_Data record;
    record.question = "2+2?";
    record.answer = "4";
    record.delimiter = ',';
    record.answerMethod = AnswerMethod::All;
    return record;
}

Question_Set SetOf(std::initializer_list<Zentu_Data> records) {
    Question_Set set;
    for (const Zentu_Data& record : records) set.Append(record);
    return set;
}

struct Parsed {
    ReadOutcome outcome;
    Question_Set set;
    LogFont font = StartupDisplayFont();
    bool fontRead = false;
};

Parsed Parse(const std::string& bytes) {
    Parsed parsed;
    parsed.set.Append(TwoPlusTwo());  // must be gone after any read that opened the file
    parsed.outcome = ParseQuestionFile(bytes, parsed.set, parsed.font, parsed.fontRead);
    return parsed;
}

TEST(QuestionFileTest, WritesTheDocumentedBytes) {
    LogFont arial = StartupDisplayFont();
    struct Case {
        const char* name;
        int format;
        const LogFont* font;
        Question_Set set;
        std::string bytes;
    } const cases[] = {
        {"version 1.0", 1, nullptr, SetOf({TwoPlusTwo()}), "1\r\n\t2+2?\t4\t\t,0 0 0 0 1"},
        {"version 1.1", 2, nullptr, SetOf({TwoPlusTwo()}),
         "0\r\nZentu File\r\n2\r\nEndOptions\r\n1\r\n2+2?\t4\t\t\t\t,\t0\t0\t0\t0\t1\r\n"},
        {"version 1.1 with font", 2, &arial, SetOf({}),
         "0\r\nZentu File\r\n2\r\nFont=0 0 0 0 400 0 0 0 1 0 0 0 0 Arial\r\nEndOptions\r\n0\r\n"},
        {"version 1.0 stores no font", 1, &arial, SetOf({}), "0\r\n"},
        {"format numbers other than 1 write version 1.1", 7, nullptr, SetOf({}),
         "0\r\nZentu File\r\n2\r\nEndOptions\r\n0\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatQuestionFile(c.set, c.format, c.font), c.bytes) << c.name;
    }
}

TEST(QuestionFileTest, WritesFieldsInFileOrder) {
    Zentu_Data record;
    record.question = "q";
    record.answer = "a";
    record.hint = "h";
    record.rightResponse = "r";
    record.wrongResponse = "w";
    record.delimiter = ';';
    record.useHint = true;
    record.confirmCorrect = false;
    record.checkSpaces = true;
    record.caseSensitive = false;
    record.answerMethod = static_cast<AnswerMethod>(-5);
    EXPECT_EQ(FormatQuestionFile(SetOf({record}), 1, nullptr), "1\r\n\tq\ta\th\t;1 0 1 0 -5");
    EXPECT_EQ(FormatQuestionFile(SetOf({record}), 2, nullptr),
              "0\r\nZentu File\r\n2\r\nEndOptions\r\n1\r\nq\ta\th\tr\tw\t;\t1\t0\t1\t0\t-5\r\n");
}

TEST(QuestionFileTest, LineBreaksInTextsAreStoredAsCrCrLfAndComeBackAsCrLf) {
    Zentu_Data record = TwoPlusTwo();
    record.question = "first\r\nsecond";
    const std::string bytes = FormatQuestionFile(SetOf({record}), 2, nullptr);
    EXPECT_NE(bytes.find("first\r\r\nsecond\t"), std::string::npos);
    Parsed parsed = Parse(bytes);
    ASSERT_EQ(parsed.set.Count(), 1u);
    EXPECT_EQ(parsed.set.At(1).question, "first\r\nsecond");
}

TEST(QuestionFileTest, ReadsTheDocumentedBytes) {
    for (const std::string& bytes :
         {"1\r\n\t2+2?\t4\t\t,0 0 0 0 1"s,
          "0\r\nZentu File\r\n2\r\nEndOptions\r\n1\r\n2+2?\t4\t\t\t\t,\t0\t0\t0\t0\t1\r\n"s}) {
        Parsed parsed = Parse(bytes);
        EXPECT_EQ(parsed.outcome, ReadOutcome::Loaded);
        ASSERT_EQ(parsed.set.Count(), 1u);
        EXPECT_EQ(parsed.set.At(1), TwoPlusTwo());
        EXPECT_FALSE(parsed.fontRead);
    }
}

TEST(QuestionFileTest, VersionOneZeroDelimiterMayBeADigitSpaceOrNul) {
    for (char delimiter : {'7', ' ', '\0', '0', '1', '\t', '\n', '-'}) {
        Zentu_Data record = TwoPlusTwo();
        record.delimiter = delimiter;
        record.useHint = true;
        record.caseSensitive = true;
        record.answerMethod = AnswerMethod::OnlyOne;
        for (int format : {1, 2}) {
            Parsed parsed = Parse(FormatQuestionFile(SetOf({record, record}), format, nullptr));
            ASSERT_EQ(parsed.set.Count(), 2u) << int(delimiter) << " format " << format;
            EXPECT_EQ(parsed.set.At(2), record) << int(delimiter) << " format " << format;
        }
    }
}

TEST(QuestionFileTest, VersionOneZeroDropsTheResponses) {
    Zentu_Data record = TwoPlusTwo();
    record.rightResponse = "yes";
    record.wrongResponse = "no";
    Parsed parsed = Parse(FormatQuestionFile(SetOf({record}), 1, nullptr));
    ASSERT_EQ(parsed.set.Count(), 1u);
    EXPECT_EQ(parsed.set.At(1), TwoPlusTwo());
}

TEST(QuestionFileTest, OutcomesOfTheFirstNumber) {
    struct Case {
        const char* name;
        std::string bytes;
        ReadOutcome outcome;
        std::size_t count;
    } const cases[] = {
        {"empty set in 1.0 is unreadable", "0\r\n", ReadOutcome::UnreadableVersion, 0},
        {"empty set in 1.1", "0\r\nZentu File\r\n2\r\nEndOptions\r\n0\r\n", ReadOutcome::Loaded, 0},
        {"empty file", "", ReadOutcome::UnreadableVersion, 0},
        {"no number", "hello\r\n", ReadOutcome::UnreadableVersion, 0},
        {"negative first number", "-3\r\n\ta\tb\tc\t,0 0 0 0 1", ReadOutcome::UnreadableVersion, 0},
        {"first number past 32 bits", "99999999999999999999999999999999999999990\r\n",
         ReadOutcome::UnreadableVersion, 0},
        {"wrong signature", "0\r\nZentu file\r\n2\r\nEndOptions\r\n0\r\n",
         ReadOutcome::UnreadableVersion, 0},
        {"signature missing", "0", ReadOutcome::UnreadableVersion, 0},
        {"negative count", "0\r\nZentu File\r\n2\r\nEndOptions\r\n-4\r\n", ReadOutcome::Loaded, 0},
        {"no EndOptions: no count, no records", "0\r\nZentu File\r\n2\r\n1\r\na\tb\r\n",
         ReadOutcome::Loaded, 0},
        {"unknown format number adds empty questions",
         "0\r\nZentu File\r\n3\r\nEndOptions\r\n2\r\nq\ta\th\tr\tw\t,\t0\t0\t0\t0\t1\r\n",
         ReadOutcome::Loaded, 2},
        {"0x1A ends the data", "1\r\n\tq\ta\th\t,0 0 0 0 1\x1a garbage", ReadOutcome::Loaded, 1},
    };
    for (const Case& c : cases) {
        Parsed parsed = Parse(c.bytes);
        EXPECT_EQ(parsed.outcome, c.outcome) << c.name;
        EXPECT_EQ(parsed.set.Count(), c.count) << c.name;
    }
}

TEST(QuestionFileTest, UnknownFormatNumberAddsQuestionsWithEmptyTexts) {
    Parsed parsed =
        Parse("0\r\nZentu File\r\n3\r\nEndOptions\r\n2\r\nq\ta\th\tr\tw\t,\t0\t0\t0\t0\t1\r\n");
    ASSERT_EQ(parsed.set.Count(), 2u);
    EXPECT_EQ(parsed.set.At(1), Zentu_Data());
    EXPECT_EQ(parsed.set.At(2), Zentu_Data());
}

TEST(QuestionFileTest, FontLines) {
    LogFont courier;
    courier.height = -16;
    courier.weight = 700;
    courier.italic = 1;
    courier.charSet = 0;
    courier.pitchAndFamily = 49;
    courier.faceName = "Courier New";
    struct Case {
        const char* name;
        std::string options;
        bool fontRead;
        LogFont font;
    } const cases[] = {
        {"no font line", "", false, StartupDisplayFont()},
        {"font among other lines",
         "Colour=red\r\nFont=-16 0 0 0 700 1 0 0 0 0 0 0 49 Courier New\r\nx\r\n", true, courier},
        {"the last font line wins",
         "Font=0 0 0 0 400 0 0 0 1 0 0 0 0 Times\r\nFont=-16 0 0 0 700 1 0 0 0 0 0 0 49 Courier "
         "New\r\n",
         true, courier},
        {"byte fields keep their low 8 bits",
         "Font=-16 0 0 0 700 257 0 0 256 0 0 0 305   Courier New\r\n", true, courier},
        {"keywords are case-sensitive", "font=1 2 3 4 5 6 7 8 9 10 11 12 13 X\r\n", false,
         StartupDisplayFont()},
        {"a number past 32 bits damages the line",
         "Font=99999999999 0 0 0 700 1 0 0 0 0 0 0 49 Courier New\r\n", false,
         StartupDisplayFont()},
    };
    for (const Case& c : cases) {
        Parsed parsed = Parse("0\r\nZentu File\r\n2\r\n" + c.options + "EndOptions\r\n0\r\n");
        EXPECT_EQ(parsed.outcome, ReadOutcome::Loaded) << c.name;
        EXPECT_EQ(parsed.fontRead, c.fontRead) << c.name;
        EXPECT_EQ(parsed.font, c.font) << c.name;
    }
}

TEST(QuestionFileTest, LongFaceNamesAreCutAt31Bytes) {
    LogFont font = StartupDisplayFont();
    ASSERT_TRUE(ParseFontLine("1 2 3 4 5 6 7 8 9 10 11 12 13 " + std::string(40, 'F'), font));
    EXPECT_EQ(font.faceName, std::string(31, 'F'));
    EXPECT_EQ(font.height, 1);
    EXPECT_EQ(font.pitchAndFamily, 13);
}

TEST(QuestionFileTest, ShortFilesYieldEveryPromisedQuestion) {
    const std::string bytes = "5\r\n\tq1\ta1\th1\t,1 0 1 0 2\tq2\ta2";
    Parsed parsed = Parse(bytes);
    ASSERT_EQ(parsed.set.Count(), 5u);
    EXPECT_EQ(parsed.set.At(1).question, "q1");
    EXPECT_EQ(parsed.set.At(1).answerMethod, AnswerMethod::Some);
    EXPECT_EQ(parsed.set.At(2).question, "q2");
    EXPECT_EQ(parsed.set.At(2).answer, "a2");  // read up to the end of the data
    for (std::size_t n = 3; n <= 5; ++n) EXPECT_EQ(parsed.set.At(n), Zentu_Data()) << n;
}

TEST(QuestionFileTest, AfterTheFirstDamagedFieldEveryLaterTextIsEmpty) {
    struct Case {
        const char* name;
        std::string bytes;
    } const cases[] = {
        {"flag 2", "2\r\n\tq1\ta1\th1\t,2 0 0 0 1\tq2\ta2\th2\t,0 0 0 0 1"},
        {"no number", "2\r\n\tq1\ta1\th1\t,x 0 0 0 1\tq2\ta2\th2\t,0 0 0 0 1"},
        {"method past 32 bits", "2\r\n\tq1\ta1\th1\t,0 0 0 0 99999999999\tq2\ta2\th2\t,0 0 0 0 1"},
    };
    for (const Case& c : cases) {
        Parsed parsed = Parse(c.bytes);
        ASSERT_EQ(parsed.set.Count(), 2u) << c.name;
        EXPECT_EQ(parsed.set.At(1).question, "q1") << c.name;
        EXPECT_EQ(parsed.set.At(2), Zentu_Data()) << c.name;
    }
}

TEST(QuestionFileTest, HostileCountsStayWithinTheFileSize) {
    const std::string small = "4294967295\r\n\tq\ta\th\t,0 0 0 0 1";
    Parsed parsed = Parse(small);
    EXPECT_EQ(parsed.outcome, ReadOutcome::Loaded);
    EXPECT_GE(parsed.set.Count(), 1u);
    EXPECT_LE(parsed.set.Count(), small.size() / 14 + 64);
    EXPECT_EQ(parsed.set.At(1).question, "q");

    Parsed big = Parse("0\r\nZentu File\r\n2\r\nEndOptions\r\n2147483647\r\n");
    EXPECT_LE(big.set.Count(), 100u);
}

}  // namespace

// Round trips of many random question sets through both file versions: whatever a set
// may hold comes back, and writing what was read gives the same bytes again.
#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "model/question_file.h"

namespace {

constexpr unsigned kSeed = 20240611;
constexpr int kSetsPerVersion = 2500;

std::string Escaped(const std::string& text) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            out.push_back(static_cast<char>(c));
        } else {
            out += "\\x";
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        }
    }
    return out;
}

// Names the first field in which two sets differ, so a failure says what was lost.
::testing::AssertionResult SameSet(const Question_Set& expected, const Question_Set& actual) {
    if (expected.Count() != actual.Count()) {
        return ::testing::AssertionFailure()
               << "count " << actual.Count() << ", expected " << expected.Count();
    }
    for (std::size_t n = 1; n <= expected.Count(); ++n) {
        const Zentu_Data& e = expected.At(n);
        const Zentu_Data& a = actual.At(n);
        const struct {
            const char* name;
            const std::string& expected;
            const std::string& actual;
        } texts[] = {{"question", e.question, a.question},
                     {"answer", e.answer, a.answer},
                     {"hint", e.hint, a.hint},
                     {"rightResponse", e.rightResponse, a.rightResponse},
                     {"wrongResponse", e.wrongResponse, a.wrongResponse}};
        for (const auto& text : texts) {
            if (text.expected != text.actual) {
                return ::testing::AssertionFailure()
                       << "question " << n << " " << text.name << " \"" << Escaped(text.actual)
                       << "\", expected \"" << Escaped(text.expected) << "\"";
            }
        }
        if (e != a) {
            return ::testing::AssertionFailure()
                   << "question " << n << " delimiter/flags/method: read "
                   << int(static_cast<unsigned char>(a.delimiter)) << " " << a.useHint
                   << a.confirmCorrect << a.checkSpaces << a.caseSensitive << " "
                   << static_cast<std::int32_t>(a.answerMethod) << ", expected "
                   << int(static_cast<unsigned char>(e.delimiter)) << " " << e.useHint
                   << e.confirmCorrect << e.checkSpaces << e.caseSensitive << " "
                   << static_cast<std::int32_t>(e.answerMethod);
        }
    }
    return ::testing::AssertionSuccess();
}

// Draws sets of everything the file format can carry: texts of any byte but TAB, CR
// (kept only as part of a CR LF line break) and the end-of-data byte 0x1A; any
// delimiter but CR and 0x1A; any method number; fonts at their limits.
class RandomSets {
  public:
    explicit RandomSets(unsigned seed) : rng(seed) {}

    std::string Text() {
        std::string text;
        const int length = Pick(5) == 0 ? 0 : Between(0, 40);
        for (int i = 0; i < length; ++i) {
            switch (Pick(10)) {
                case 0:
                    text += "\r\n";
                    break;
                case 1:
                    text.push_back('\0');
                    break;
                case 2:
                case 3:
                    text.push_back(static_cast<char>(Between(128, 255)));
                    break;
                case 4:
                    text.push_back(TextByte());
                    break;
                case 5:
                    text.push_back(' ');
                    break;
                default:
                    text.push_back(static_cast<char>(Between(0x21, 0x7e)));
            }
        }
        return text;
    }

    char Delimiter() {
        static const char kAwkward[] = {'\t', '\n', '\0', ' ', '0', '1', '9', '-', '+', '\xff'};
        if (Pick(4) == 0) return kAwkward[Pick(sizeof kAwkward)];
        for (;;) {
            const char c = static_cast<char>(Between(0, 255));
            if (c != '\r' && c != '\x1a') return c;
        }
    }

    AnswerMethod Method() {
        static const std::int32_t kNotable[] = {std::numeric_limits<std::int32_t>::min(),
                                                std::numeric_limits<std::int32_t>::max(),
                                                1,
                                                2,
                                                4,
                                                8,
                                                0,
                                                -1,
                                                3,
                                                16};
        if (Pick(3) != 0) return static_cast<AnswerMethod>(kNotable[Pick(sizeof kNotable / 4)]);
        return static_cast<AnswerMethod>(static_cast<std::int32_t>(rng()));
    }

    Zentu_Data Record() {
        Zentu_Data record;
        record.question = Text();
        record.answer = Text();
        record.hint = Text();
        record.rightResponse = Text();
        record.wrongResponse = Text();
        record.delimiter = Delimiter();
        record.useHint = Pick(2) == 1;
        record.confirmCorrect = Pick(2) == 1;
        record.checkSpaces = Pick(2) == 1;
        record.caseSensitive = Pick(2) == 1;
        record.answerMethod = Method();
        return record;
    }

    Question_Set Set(std::size_t minimum) {
        Question_Set set;
        const int count = Between(static_cast<int>(minimum), 12);
        for (int i = 0; i < count; ++i) set.Append(Record());
        return set;
    }

    // A face name of up to 31 bytes that the font line carries: it ends the line, so it
    // holds no line break, and leading spaces are taken as the separator before it.
    LogFont Font() {
        LogFont font;
        font.height = Int32();
        font.width = Int32();
        font.escapement = Int32();
        font.orientation = Int32();
        font.weight = Int32();
        for (std::uint8_t* byte :
             {&font.italic, &font.underline, &font.strikeOut, &font.charSet, &font.outPrecision,
              &font.clipPrecision, &font.quality, &font.pitchAndFamily}) {
            const int choice = Pick(4);
            *byte = static_cast<std::uint8_t>(choice == 0 ? 0 : choice == 1 ? 255 : Pick(256));
        }
        const int length = Between(0, static_cast<int>(kMaxFaceName));
        for (int i = 0; i < length; ++i) {
            char c = Pick(4) == 0 ? ' ' : TextByte();
            if (i == 0 && c == ' ') c = 'F';
            font.faceName.push_back(c);
        }
        return font;
    }

    int Pick(std::size_t n) { return static_cast<int>(rng() % n); }

  private:
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

    std::int32_t Int32() {
        switch (Pick(5)) {
            case 0:
                return std::numeric_limits<std::int32_t>::min();
            case 1:
                return std::numeric_limits<std::int32_t>::max();
            case 2:
                return Between(-2, 2);
            default:
                return static_cast<std::int32_t>(rng());
        }
    }

    // Any byte that may stand on its own in a text: all but TAB, CR, LF and 0x1A.
    char TextByte() {
        for (;;) {
            const char c = static_cast<char>(Between(0, 255));
            if (c != '\t' && c != '\r' && c != '\n' && c != '\x1a') return c;
        }
    }

    std::mt19937 rng;
};

LogFont Sentinel() {
    LogFont font;
    font.height = 123;
    font.quality = 7;
    font.faceName = "untouched";
    return font;
}

// Which awkward values the generated sets reached, so that the property cannot pass
// by never meeting them.
struct Coverage {
    std::bitset<256> delimiters;
    bool lineBreak = false, nul = false, highByte = false, emptyText = false;
    bool minMethod = false, maxMethod = false;

    void Note(const Question_Set& set) {
        for (const Zentu_Data& record : set) {
            delimiters.set(static_cast<unsigned char>(record.delimiter));
            for (const std::string* text : {&record.question, &record.answer, &record.hint}) {
                lineBreak |= text->find("\r\n") != std::string::npos;
                nul |= text->find('\0') != std::string::npos;
                highByte |= std::any_of(text->begin(), text->end(), [](char c) {
                    return static_cast<unsigned char>(c) >= 128;
                });
                emptyText |= text->empty();
            }
            minMethod |= record.answerMethod ==
                         static_cast<AnswerMethod>(std::numeric_limits<std::int32_t>::min());
            maxMethod |= record.answerMethod ==
                         static_cast<AnswerMethod>(std::numeric_limits<std::int32_t>::max());
        }
    }

    void ExpectComplete() const {
        EXPECT_EQ(delimiters.count(), 254u) << "every delimiter but CR and 0x1A";
        EXPECT_FALSE(delimiters.test(0x0d));
        EXPECT_FALSE(delimiters.test(0x1a));
        EXPECT_TRUE(lineBreak && nul && highByte && emptyText && minMethod && maxMethod);
    }
};

TEST(QuestionFilePropertyTest, VersionOneOneKeepsEverySetAndFont) {
    RandomSets random(kSeed);
    Coverage coverage;
    for (int i = 0; i < kSetsPerVersion; ++i) {
        const Question_Set set = random.Set(0);
        coverage.Note(set);
        const bool withFont = random.Pick(2) == 1;
        const LogFont font = random.Font();
        const std::string bytes = FormatQuestionFile(set, 2, withFont ? &font : nullptr);

        Question_Set read;
        read.Append(random.Record());
        LogFont readFont = Sentinel();
        bool fontRead = !withFont;
        ASSERT_EQ(ParseQuestionFile(bytes, read, readFont, fontRead), ReadOutcome::Loaded)
            << "set " << i;
        ASSERT_TRUE(SameSet(set, read)) << "set " << i;
        ASSERT_EQ(fontRead, withFont) << "set " << i;
        ASSERT_EQ(readFont, withFont ? font : Sentinel())
            << "set " << i << " face \"" << Escaped(readFont.faceName) << "\", expected \""
            << Escaped(font.faceName) << "\"";
        ASSERT_EQ(FormatQuestionFile(read, 2, fontRead ? &readFont : nullptr), bytes)
            << "set " << i;
    }
    coverage.ExpectComplete();
}

TEST(QuestionFilePropertyTest, VersionOneZeroKeepsAllButTheResponses) {
    RandomSets random(kSeed + 1);
    Coverage coverage;
    for (int i = 0; i < kSetsPerVersion; ++i) {
        // An empty set cannot be stored in version 1.0: its count 0 reads as version 1.1.
        const Question_Set set = random.Set(1);
        coverage.Note(set);
        const LogFont font = random.Font();
        const std::string bytes = FormatQuestionFile(set, 1, &font);

        Question_Set expected;
        for (Zentu_Data record : set) {
            record.rightResponse.clear();
            record.wrongResponse.clear();
            expected.Append(record);
        }
        Question_Set read;
        LogFont readFont = Sentinel();
        bool fontRead = true;
        ASSERT_EQ(ParseQuestionFile(bytes, read, readFont, fontRead), ReadOutcome::Loaded)
            << "set " << i;
        ASSERT_TRUE(SameSet(expected, read)) << "set " << i;
        ASSERT_FALSE(fontRead) << "set " << i;
        ASSERT_EQ(readFont, Sentinel()) << "set " << i;
        ASSERT_EQ(FormatQuestionFile(read, 1, nullptr), bytes) << "set " << i;
    }
    coverage.ExpectComplete();
}

}  // namespace

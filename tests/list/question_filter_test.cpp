#include "list/question_filter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "list/list_texts.h"
#include "list/search_fold.h"

namespace {

TEST(SearchFoldTest, FoldsCaseAccentsLigaturesAndLineBreaks) {
    struct Case {
        const char* text;
        const char* folded;
    } const cases[] = {
        {"ABC xyz", "abc xyz"},
        {"\xe9\xe8\xea\xeb\xc9\xc8\xca\xcb", "eeeeeeee"},  // é è ê ë É È Ê Ë
        {"\xe7\xc7\xf1\xd1", "ccnn"},                      // ç Ç ñ Ñ
        {"Stra\xdf"
         "e",
         "strasse"},                                       // ß
        {"\xe6\xc6\x9c\x8c", "aeaeoeoe"},                  // æ Æ œ Œ
        {"\xf8\xd8\xe5\xc5\xfc\xdc\xff\x9f", "ooaauuyy"},  // ø Ø å Å ü Ü ÿ Ÿ
        {"\x8a\x9a\x8e\x9e\xfe\xf0", "sszzthd"},           // Š š Ž ž þ ð
        {"\x91quoted\x92 \x93"
         "d\x94 \x96\x97",
         "'quoted' \"d\" --"},
        {"a\r\nb", "a b"},                                         // the list's one line
        {"\x80\x81\xa9\xb0\xd7\xf7", "\x80\x81\xa9\xb0\xd7\xf7"},  // € and symbols stay
        {"co\xadop\xa0x", "coop x"},                               // soft hyphen, no-break space
    };
    for (const Case& c : cases) EXPECT_EQ(FoldForSearch(c.text), c.folded) << c.text;
    EXPECT_EQ(FoldForSearch(std::string("a\0B", 3)), std::string("a\0b", 3));
}

// Folding twice changes nothing, and nothing folds to a capital: a needle folded once and
// a text folded once meet on equal terms.
TEST(SearchFoldTest, EveryByteFoldsToAFixedPointWithoutCapitals) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string once = FoldForSearch(std::string(1, static_cast<char>(byte)));
        EXPECT_EQ(FoldForSearch(once), once) << byte;
        for (const char c : once) EXPECT_FALSE(c >= 'A' && c <= 'Z') << byte;
        EXPECT_LE(once.size(), 2u) << byte;
    }
}

Question_Set Questions(std::initializer_list<Zentu_Data> records) {
    Question_Set set;
    for (const Zentu_Data& record : records) set.Append(record);
    return set;
}

std::vector<std::size_t> Found(const Question_Set& set, const std::string& needle) {
    QuestionFilter filter;
    filter.Start(set, needle);
    filter.RunToEnd();
    return filter.Matches();
}

TEST(QuestionFilterTest, MatchesInTheQuestionAnswerOrHintOnly) {
    const Question_Set set = Questions({
        {"Caf\xe9 au lait", "milk", "", "", ""},
        {"What is \"wie\"?", "how", "Starts with H", "", ""},
        {"Line one\r\nline two", "\xc6sop", "", "right: coffee", "wrong: coffee"},
        {"Gro\xdf", "large",
         "Stra\xdf"
         "e",
         "", ""},
        {"\x80 price", "5 \x80", "", "", ""},
    });
    struct Case {
        const char* needle;
        std::vector<std::size_t> positions;
    } const cases[] = {
        {"CAFE", {1}},         // case and accent of the text
        {"caf\xc9", {1}},      // and of the needle
        {"how", {2}},          // the answer
        {"starts with", {2}},  // the hint
        {"coffee", {}},        // responses are not searched
        {"one line", {3}},     // across a line break
        {"one\r\nline", {3}}, {"aesop", {3}}, {"strasse", {4}},
        {"gross", {4}},       {"\x80", {5}},  {"i", {1, 2, 3, 5}},  // set order
        {"zzz", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(Found(set, c.needle), c.positions) << c.needle;
}

TEST(QuestionFilterTest, RowsWithoutASearchAreTheWholeSet) {
    const Question_Set set = Questions({{"a", "", "", "", ""}, {"b", "", "", "", ""}});
    QuestionFilter filter;
    filter.Start(set, "");
    EXPECT_FALSE(filter.Searching());
    EXPECT_TRUE(filter.Done());
    EXPECT_EQ(filter.Rows(), 2u);
    EXPECT_EQ(filter.PositionOfRow(1), 2u);
    filter.StartMatchingNothing(set);
    filter.RunToEnd();
    EXPECT_TRUE(filter.Searching());
    EXPECT_EQ(filter.Rows(), 0u);
}

TEST(QuestionFilterTest, RowNearFindsTheRowOfAPositionOrTheNextOne) {
    Question_Set set;
    for (const char* text : {"x", "y", "x", "y", "x"}) set.Append({text, "", "", "", ""});
    QuestionFilter filter;
    filter.Start(set, "x");  // rows show positions 1, 3, 5
    filter.RunToEnd();
    const std::size_t expected[] = {0, 0, 1, 1, 2, 2, 2};  // for positions 0..6
    for (std::size_t position = 0; position < 7; ++position) {
        EXPECT_EQ(filter.RowNear(position), expected[position]) << position;
    }
    filter.Start(set, "");
    EXPECT_EQ(filter.RowNear(9), 4u);
}

// Typing words letter by letter and taking letters back, in slices of any size, over two
// sets in turn that change between words, finds what a plain fold-and-find over the whole
// set finds.
TEST(QuestionFilterTest, SlicedAndNarrowedSearchesAgreeWithAFullPass) {
    std::mt19937 random(14);
    const std::string alphabet = "abAB\xe9\xc9 \r\n\xdf";
    auto randomText = [&](std::size_t length) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
        return text;
    };
    Question_Set sets[2];
    QuestionFilter filter;
    for (int round = 0; round < 300; ++round) {
        Question_Set& set = sets[round % 2];
        if (round % 10 < 2) {
            set.Clear();
            for (int i = 0; i < 60; ++i) {
                set.Append({randomText(6), randomText(4), randomText(3), randomText(5), ""});
            }
        }
        const std::string word = randomText(1 + random() % 4);
        std::vector<std::string> needles;  // "a", "ab", "abc", "ab", "a", then maybe ""
        for (std::size_t typed = 1; typed <= word.size(); ++typed) {
            needles.push_back(word.substr(0, typed));
        }
        for (std::size_t typed = word.size() - 1; typed >= 1; --typed) {
            needles.push_back(word.substr(0, typed));
        }
        if (round % 3 == 0) needles.push_back("");
        auto check = [&](const std::string& needle) {
            std::vector<std::size_t> expected;
            const std::string folded = FoldForSearch(needle);
            for (std::size_t n = 1; n <= set.Count() && !folded.empty(); ++n) {
                const Zentu_Data& q = set.At(n);
                if (FoldForSearch(q.question + "\t" + q.answer + "\t" + q.hint).find(folded) !=
                    std::string::npos) {
                    expected.push_back(n);
                }
            }
            if (folded.empty()) {
                EXPECT_EQ(filter.Rows(), set.Count());
            } else {
                ASSERT_EQ(filter.Matches(), expected) << round << " " << needle;
            }
        };
        for (const std::string& needle : needles) {
            filter.Start(set, needle);
            while (!filter.Step(random() % 7)) {
            }
            check(needle);
        }
        // Every other round the set changes and the same search runs again over it; else
        // the next round searches the other set.
        if (round % 4 < 2) {
            set.At(1 + random() % set.Count()).question = randomText(6);
            filter.Restart(set);
            filter.RunToEnd();
            check(needles.back());
        }
    }
}

TEST(ListTextsTest, RulesAndCounts) {
    Zentu_Data question;
    struct Rules {
        AnswerMethod method;
        bool caseSensitive;
        bool checkSpaces;
        const char* text;
    } const rules[] = {
        {AnswerMethod::All, false, false, "All"},
        {AnswerMethod::Some, true, false, "Some, case"},
        {AnswerMethod::OnlyOne, false, true, "Only one, spaces"},
        {AnswerMethod::AllInOrder, true, true, "All in Order, case, spaces"},
        {AnswerMethod(6), false, false, "6"},
    };
    for (const Rules& r : rules) {
        question.answerMethod = r.method;
        question.caseSensitive = r.caseSensitive;
        question.checkSpaces = r.checkSpaces;
        EXPECT_EQ(RulesText(question), r.text);
    }
    EXPECT_EQ(CountText(0, false, 0, true), "0 questions");
    EXPECT_EQ(CountText(1, false, 0, true), "1 question");
    EXPECT_EQ(CountText(12000, true, 7, true), "7 of 12000 questions match");
    EXPECT_EQ(CountText(12000, true, 7, false), "Searching... 7 of 12000 questions match so far");
}

}  // namespace

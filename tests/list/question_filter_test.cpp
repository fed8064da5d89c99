#include "list/question_filter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "list/list_texts.h"
#include "list/search_fold.h"

namespace {

TEST(SearchFoldTest, FoldsCaseAccentsLigaturesAndLineBreaks) {
    const std::pair<const char*, const char*> cases[] = {
        {"ABC xyz", "abc xyz"},
        {"\xe9\xe8\xea\xeb\xc9\xc8\xca\xcb", "eeeeeeee"},  // é è ê ë É È Ê Ë
        {"\xe7\xc7\xf1\xd1\xdf", "ccnnss"},                // ç Ç ñ Ñ ß
        {"\xe6\xc6\x9c\x8c\xf8\xd8", "aeaeoeoeoo"},        // æ Æ œ Œ ø Ø
        {"\xe5\xc5\xfc\xdc\xff\x9f\x8a\x9a\x8e\x9e\xfe", "aauuyysszzth"},  // å Å ü Ü ÿ Ÿ Š š Ž ž þ
        {"\x91q\x92 \x93q\x94 \x96\x97", "'q' \"q\" --"},
        {"a\r\nb", "a b"},                                         // the list's one line
        {"\x80\x81\xa9\xb0\xd7\xf7", "\x80\x81\xa9\xb0\xd7\xf7"},  // € and symbols stay
        {"co\xadop\xa0x", "coop x"},                               // soft hyphen, no-break space
    };
    for (const auto& [text, folded] : cases) EXPECT_EQ(FoldForSearch(text), folded) << text;
    EXPECT_EQ(FoldForSearch(std::string("a\0B", 3)), std::string("a\0b", 3));
}

// Folding twice changes nothing, and nothing folds to a capital: a needle folded once and
// a text folded once meet on equal terms.
TEST(SearchFoldTest, EveryByteFoldsToAFixedPointWithoutCapitals) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string once = FoldForSearch(std::string(1, static_cast<char>(byte)));
        EXPECT_EQ(FoldForSearch(once), once) << byte;
        for (const char c : once) EXPECT_FALSE(c >= 'A' && c <= 'Z') << byte;
    }
}

TEST(QuestionFilterTest, MatchesInTheQuestionAnswerOrHintOnly) {
    Question_Set set;
    for (const Zentu_Data& q : {Zentu_Data{"Caf\xe9 au lait", "milk", "", "", ""},
                                {"What is \"wie\"?", "how", "Starts with H", "", ""},
                                {"Line one\r\nline two", "\xc6sop", "", "coffee", "coffee"},
                                {"Gro\xdf", "large", "Stra\xdf", "", ""},
                                {"\x80 price", "5 \x80", "", "", ""}}) {
        set.Append(q);
    }
    const std::pair<const char*, std::vector<std::size_t>> cases[] = {
        {"CAFE", {1}},         // case and accent of the text
        {"caf\xc9", {1}},      // and of the needle
        {"how", {2}},          // the answer
        {"starts with", {2}},  // the hint
        {"coffee", {}},        // responses are not searched
        {"one line", {3}},     // across a line break
        {"one\r\nline", {3}}, {"aesop", {3}}, {"strass", {4}},
        {"gross", {4}},       {"\x80", {5}},  {"i", {1, 2, 3, 5}},  // set order
    };
    for (const auto& [needle, positions] : cases) {
        QuestionFilter filter;
        filter.Start(set, needle);
        filter.RunToEnd();
        EXPECT_EQ(filter.Matches(), positions) << needle;
    }
}

// Rows are the whole set without a search, the matches with one; a position maps to its
// row or the next row shown.
TEST(QuestionFilterTest, RowsAndTheRowNearAPosition) {
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
    EXPECT_TRUE(!filter.Searching() && filter.Done());
    EXPECT_EQ(filter.Rows(), 5u);
    EXPECT_EQ(filter.RowNear(9), 4u);
    filter.StartMatchingNothing(set);
    filter.RunToEnd();
    EXPECT_TRUE(filter.Searching() && filter.Rows() == 0);
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
            const std::size_t n = 1 + random() % set.Count();
            Zentu_Data changed = set.At(n);
            changed.question = randomText(6);
            set.Replace(n, changed);
            filter.Restart(set);
            filter.RunToEnd();
            check(needles.back());
        }
    }
}

TEST(ListTextsTest, RulesAndCounts) {
    const std::pair<Zentu_Data, const char*> rules[] = {
        {{"", "", "", "", "", ',', false, false, false, false, AnswerMethod::All}, "All"},
        {{"", "", "", "", "", ',', false, false, false, true, AnswerMethod::Some}, "Some, case"},
        {{"", "", "", "", "", ',', false, false, true, false, AnswerMethod::OnlyOne},
         "Only one, spaces"},
        {{"", "", "", "", "", ',', false, false, true, true, AnswerMethod::AllInOrder},
         "All in Order, case, spaces"},
        {{"", "", "", "", "", ',', false, false, false, false, AnswerMethod(6)}, "6"},
    };
    for (const auto& [question, text] : rules) EXPECT_EQ(RulesText(question), text);
    EXPECT_EQ(CountText(0, false, 0, true), "0 questions");
    EXPECT_EQ(CountText(1, false, 0, true), "1 question");
    EXPECT_EQ(CountText(12000, true, 7, true), "7 of 12000 questions match");
    EXPECT_EQ(CountText(12000, true, 7, false), "Searching... 7 of 12000 questions match so far");
}

}  // namespace

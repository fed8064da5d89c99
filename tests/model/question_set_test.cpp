#include "model/question_set.h"

#include <gtest/gtest.h>

#include <string>

#include "model_test_support.h"

namespace {

Zentu_Data Named(const std::string& question) { return Record(question, ""); }

std::string Order(const Question_Set& set) {
    std::string order;
    for (const Zentu_Data& record : set) order += record.question;
    return order;
}

// Every field takes part in ==, on which the file tests rely: field i is changed in turn.
TEST(ZentuDataTest, EveryFieldCounts) {
    const Zentu_Data base = Record("q", "a", "h", ',', "0000", 1, "r", "w");
    for (int i = 0; i < 11; ++i) {
        const auto text = [i](int field, const char* value) { return i == field ? "x" : value; };
        const std::string flags = {char('0' + (i == 6)), char('0' + (i == 7)), char('0' + (i == 8)),
                                   char('0' + (i == 9))};
        EXPECT_NE(Record(text(0, "q"), text(1, "a"), text(2, "h"), i == 5 ? ';' : ',',
                         flags.c_str(), i == 10 ? 2 : 1, text(3, "r"), text(4, "w")),
                  base)
            << "field " << i;
    }
}

// Each change starts from the set A, B, C.
TEST(QuestionSetTest, PositionsCountFromOneThroughEveryChange) {
    using Change = void (*)(Question_Set&);
    const std::pair<Change, const char*> cases[] = {
        {[](Question_Set& s) { s.InsertAt(4, Named("X")); }, "ABCX"},
        {[](Question_Set& s) { s.InsertAt(1, Named("X")); }, "XABC"},
        {[](Question_Set& s) { s.InsertAt(2, Named("X")); }, "AXBC"},
        {[](Question_Set& s) { s.RemoveAt(3); }, "AB"},
        {[](Question_Set& s) { s.RemoveAt(1); }, "BC"},
        {[](Question_Set& s) { s.RemoveAt(2), s.RemoveAt(1), s.RemoveAt(1); }, ""},
        {[](Question_Set& s) { s.RemoveAt(2), s.InsertAt(2, Named("X")); }, "AXC"},
        {[](Question_Set& s) { s.Replace(2, Named("X")); }, "AXC"},
        {[](Question_Set& s) { s.Clear(); }, ""},
    };
    for (const auto& [change, expected] : cases) {
        Question_Set set = SetOf({Named("A"), Named("B"), Named("C")});
        change(set);
        EXPECT_EQ(Order(set), expected);
        EXPECT_EQ(set.Count(), std::string(expected).size()) << expected;
    }
}

TEST(QuestionSetTest, GrowsPastFiftyAndKeepsItsOwnCopies) {
    Question_Set set;
    Zentu_Data record = Named("");
    for (; set.Count() < 51; record.question += 'x') set.Append(record);
    for (std::size_t n = 1; n <= 51; ++n) EXPECT_EQ(set.At(n).question, std::string(n - 1, 'x'));
    set.Replace(1, Named("changed"));
    EXPECT_EQ(record.question, std::string(51, 'x'));
}

}  // namespace

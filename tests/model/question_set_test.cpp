#include "model/question_set.h"

#include <gtest/gtest.h>

namespace {

Zentu_Data Named(const std::string& question) {
    Zentu_Data record;
    record.question = question;
    return record;
}

std::string Order(const Question_Set& set) {
    std::string order;
    for (const Zentu_Data& record : set) order += record.question;
    return order;
}

TEST(ZentuDataTest, CopiesShareNothing) {
    Zentu_Data original = Named("q");
    original.answer = "a";
    Zentu_Data copy = original;
    copy.question += "x";
    copy.answer[0] = 'b';
    copy.delimiter = ';';
    EXPECT_EQ(original.question, "q");
    EXPECT_EQ(original.answer, "a");
    EXPECT_EQ(original.delimiter, ',');
}

TEST(QuestionSetTest, GrowsPastFiftyLosingNothing) {
    Question_Set set;
    EXPECT_EQ(set.Count(), 0u);
    for (int i = 0; i < 51; ++i) set.Append(Named(std::to_string(i)));
    ASSERT_EQ(set.Count(), 51u);
    for (std::size_t n = 1; n <= 51; ++n) EXPECT_EQ(set.At(n).question, std::to_string(n - 1));
}

TEST(QuestionSetTest, InsertRemoveAndReplaceKeepPositionsFromOne) {
    struct Case {
        const char* name;
        void (*op)(Question_Set&);
        const char* expected;
    } const cases[] = {
        {"insert at Count()+1 appends", [](Question_Set& s) { s.InsertAt(4, Named("X")); }, "ABCX"},
        {"insert at 1 shifts up", [](Question_Set& s) { s.InsertAt(1, Named("X")); }, "XABC"},
        {"insert in the middle", [](Question_Set& s) { s.InsertAt(2, Named("X")); }, "AXBC"},
        {"remove the last", [](Question_Set& s) { s.RemoveAt(3); }, "AB"},
        {"remove the first", [](Question_Set& s) { s.RemoveAt(1); }, "BC"},
        {"replace by remove and insert",
         [](Question_Set& s) {
             s.RemoveAt(2);
             s.InsertAt(2, Named("X"));
         },
         "AXC"},
        {"replace through At", [](Question_Set& s) { s.At(2) = Named("X"); }, "AXC"},
        {"clear", [](Question_Set& s) { s.Clear(); }, ""},
    };
    for (const Case& c : cases) {
        Question_Set set;
        for (const char* q : {"A", "B", "C"}) set.Append(Named(q));
        c.op(set);
        EXPECT_EQ(Order(set), c.expected) << c.name;
    }
}

TEST(QuestionSetTest, RemovingTheOnlyQuestionLeavesAnEmptySet) {
    Question_Set set;
    set.Append(Named("only"));
    set.RemoveAt(1);
    EXPECT_EQ(set.Count(), 0u);
}

TEST(QuestionSetTest, StoresCopies) {
    Question_Set set;
    Zentu_Data record = Named("before");
    set.Append(record);
    set.InsertAt(1, record);
    record.question = "after";
    EXPECT_EQ(set.At(1).question, "before");
    EXPECT_EQ(set.At(2).question, "before");
}

}  // namespace

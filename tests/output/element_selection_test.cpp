#include "output/element_selection.h"

#include <gtest/gtest.h>

namespace {

using E = Element;

ElementSelection Ticked(std::initializer_list<Element> elements) {
    ElementSelection selection;
    for (Element element : elements) selection.Set(element, true);
    return selection;
}

// One flag against the others, so no line is taken for another.
Zentu_Data Record(std::string q, std::string a, std::string h, char delimiter, bool flag,
                  int method) {
    return {q, a, h, "RIGHT", "WRONG", delimiter, flag, !flag, flag, flag, AnswerMethod(method)};
}

TEST(ComposeQuestionBlock, ShowsTheTickedElementsInTheirOrder) {
    const Zentu_Data france = Record("Capital of France?", "Paris", "", ',', false, 1);
    ElementSelection all;
    all.values = {1, 1, 1, 1, 1, 1, 1, 1, 0x8000};  // any non-zero value is ticked
    const struct {
        int number;
        Zentu_Data record;
        ElementSelection selection;
        std::string block;
    } cases[] = {
        {3, france, all,
         "Question: 3\nCapital of France?\nParis\n\n,\nNo Hint\nConfirm Correct\n"
         "Case Insensitive\nAll\nDon't Check Spaces\n"},
        {12, france, {}, "Question: 12\n"},
        {1, Record("q", "a", "h", ';', true, 2),
         Ticked({E::UseHint, E::ConfirmCorrect, E::CaseSensitive, E::AnswerFormat, E::CheckSpaces}),
         "Question: 1\nHint\nNo Confirm Correct\nCase Sensitive\nSome\nCheck Spaces\n"},
        {1, Record("q", "a", "h", ';', true, 4), Ticked({E::AnswerFormat}),
         "Question: 1\nOnly one\n"},
        {1, Record("q", "a", "h", ';', true, 8), Ticked({E::AnswerFormat}),
         "Question: 1\nAll in Order\n"},
        // A method outside the four gives no line at all, not even its LF.
        {1, Record("q", "a", "h", ';', true, 3), Ticked({E::AnswerFormat, E::Delimiter}),
         "Question: 1\n;\n"},
        // Texts as stored, CR LF and the upper half kept; response texts never shown.
        {7, Record("one\r\ntwo", "a;\xe9t\xe9", "\x80\xff", '\xa7', false, 1),
         Ticked({E::Question, E::Answer, E::Hint, E::Delimiter}),
         "Question: 7\none\r\ntwo\na;\xe9t\xe9\n\x80\xff\n\xa7\n"},
        // A NUL delimiter is an empty line and cuts nothing after it.
        {2, Record("q", "a", "h", '\0', false, 1), Ticked({E::Delimiter, E::UseHint}),
         "Question: 2\n\nNo Hint\n"},
        // However long, a block is never cut.
        {1, Record(std::string(7000, 'q'), "a", "end", ',', false, 1),
         Ticked({E::Question, E::Hint}), "Question: 1\n" + std::string(7000, 'q') + "\nend\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComposeQuestionBlock(c.number, c.record, c.selection), c.block);
    }
    EXPECT_EQ(ProgramElementSelection().values, ElementSelection().values) << "ticked at start";
}

}  // namespace

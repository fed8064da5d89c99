#include "output/element_selection.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

Zentu_Data France() {
    Zentu_Data record;
    record.question = "Capital of France?";
    record.answer = "Paris";
    record.delimiter = ',';
    record.confirmCorrect = true;
    record.answerMethod = AnswerMethod::All;
    return record;
}

ElementSelection Ticked(std::initializer_list<Element> elements) {
    ElementSelection selection;
    for (Element element : elements) selection.Set(element, true);
    return selection;
}

ElementSelection AllTicked() {
    ElementSelection selection;
    selection.values.fill(1);
    return selection;
}

template <typename Change>
Zentu_Data FranceWith(Change change) {
    Zentu_Data record = France();
    change(record);
    return record;
}

TEST(ComposeQuestionBlock, ShowsTheTickedElementsInTheirOrder) {
    const struct {
        const char* name;
        int number;
        Zentu_Data record;
        ElementSelection selection;
        std::string block;
    } cases[] = {
        {"all ticked", 3, France(), AllTicked(),
         "Question: 3\nCapital of France?\nParis\n\n,\nNo Hint\nConfirm Correct\n"
         "Case Insensitive\nAll\nDon't Check Spaces\n"},
        {"nothing ticked", 3, France(), {}, "Question: 3\n"},
        {"any non-zero value is ticked", 12, France(),
         [] {
             ElementSelection s;
             s.values[1] = 0x8000;
             return s;
         }(),
         "Question: 12\nParis\n"},
        {"the flags set", 1, FranceWith([](Zentu_Data& r) {
             r.useHint = true;
             r.confirmCorrect = false;
             r.caseSensitive = true;
             r.checkSpaces = true;
         }),
         Ticked({Element::UseHint, Element::ConfirmCorrect, Element::CaseSensitive,
                 Element::CheckSpaces}),
         "Question: 1\nHint\nNo Confirm Correct\nCase Sensitive\nCheck Spaces\n"},
        {"Some", 1, FranceWith([](Zentu_Data& r) { r.answerMethod = AnswerMethod::Some; }),
         Ticked({Element::AnswerFormat}), "Question: 1\nSome\n"},
        {"Only one", 1, FranceWith([](Zentu_Data& r) { r.answerMethod = AnswerMethod::OnlyOne; }),
         Ticked({Element::AnswerFormat}), "Question: 1\nOnly one\n"},
        {"All in Order", 1,
         FranceWith([](Zentu_Data& r) { r.answerMethod = AnswerMethod::AllInOrder; }),
         Ticked({Element::AnswerFormat}), "Question: 1\nAll in Order\n"},
        {"a method outside the four gives no line at all", 1,
         FranceWith([](Zentu_Data& r) { r.answerMethod = static_cast<AnswerMethod>(3); }),
         Ticked({Element::AnswerFormat, Element::CheckSpaces}),
         "Question: 1\nDon't Check Spaces\n"},
        {"texts as stored, CR LF kept, response texts never", 7, FranceWith([](Zentu_Data& r) {
             r.question = "line one\r\nline two";
             r.answer = "a;b;\xe9t\xe9";
             r.hint = "\x80 \xff";
             r.rightResponse = "RIGHT";
             r.wrongResponse = "WRONG";
             r.delimiter = ';';
         }),
         Ticked({Element::Question, Element::Answer, Element::Hint, Element::Delimiter}),
         "Question: 7\nline one\r\nline two\na;b;\xe9t\xe9\n\x80 \xff\n;\n"},
        {"a NUL delimiter is an empty line and cuts nothing", 2,
         FranceWith([](Zentu_Data& r) { r.delimiter = '\0'; }),
         Ticked({Element::Delimiter, Element::UseHint}), "Question: 2\n\nNo Hint\n"},
        {"a delimiter of the upper half stays as it is", 2,
         FranceWith([](Zentu_Data& r) { r.delimiter = '\xa7'; }), Ticked({Element::Delimiter}),
         "Question: 2\n\xa7\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ComposeQuestionBlock(c.number, c.record, c.selection), c.block);
    }
}

TEST(ComposeQuestionBlock, IsNeverCutHoweverLong) {
    Zentu_Data record = France();
    record.question = std::string(5000, 'q');
    record.answer = std::string(5000, 'a');
    record.hint = "the end";
    const std::string block = ComposeQuestionBlock(
        1, record, Ticked({Element::Question, Element::Answer, Element::Hint}));
    EXPECT_EQ(block, "Question: 1\n" + record.question + "\n" + record.answer + "\nthe end\n");
}

TEST(ElementSelection, StartsWithNothingTicked) {
    for (std::uint16_t value : ProgramElementSelection().values) EXPECT_EQ(value, 0);
}

}  // namespace

#include "output/element_selection.h"

#include "res/string_table.h"

namespace {

// The line of a method outside the four: none at all, not even its LF.
int AnswerMethodString(AnswerMethod method) {
    switch (method) {
        case AnswerMethod::All:
            return kStrPrintAll;
        case AnswerMethod::Some:
            return kStrPrintSome;
        case AnswerMethod::OnlyOne:
            return kStrPrintOnlyOne;
        case AnswerMethod::AllInOrder:
            return kStrPrintAllInOrder;
    }
    return 0;
}

void AppendLine(std::string& out, std::string_view text) {
    out += text;
    out += '\n';
}

}  // namespace

ElementSelection& ProgramElementSelection() {
    static ElementSelection selection;
    return selection;
}

void AppendQuestionBlock(std::string& out, int number, const Zentu_View& record,
                         const ElementSelection& selection) {
    AppendLine(out, LoadString(kStrPrintQuestion) + std::to_string(number));
    if (selection.Ticked(Element::Question)) AppendLine(out, record.question);
    if (selection.Ticked(Element::Answer)) AppendLine(out, record.answer);
    if (selection.Ticked(Element::Hint)) AppendLine(out, record.hint);
    if (selection.Ticked(Element::Delimiter)) {
        // A NUL delimiter shows as an empty line; as a byte it would end the block early
        // wherever the block is handed on as a C string.
        if (record.delimiter != '\0') out += record.delimiter;
        out += '\n';
    }
    if (selection.Ticked(Element::UseHint)) {
        AppendLine(out, LoadString(record.useHint ? kStrPrintHint : kStrPrintNoHint));
    }
    if (selection.Ticked(Element::ConfirmCorrect)) {
        AppendLine(out, LoadString(record.confirmCorrect ? kStrPrintConfirm : kStrPrintNoConfirm));
    }
    if (selection.Ticked(Element::CaseSensitive)) {
        AppendLine(out, LoadString(record.caseSensitive ? kStrPrintCaseSensitive
                                                        : kStrPrintCaseInsensitive));
    }
    if (selection.Ticked(Element::AnswerFormat)) {
        if (const int id = AnswerMethodString(record.answerMethod); id != 0) {
            AppendLine(out, LoadString(id));
        }
    }
    if (selection.Ticked(Element::CheckSpaces)) {
        AppendLine(out,
                   LoadString(record.checkSpaces ? kStrPrintCheckSpaces : kStrPrintNoCheckSpaces));
    }
}

std::string ComposeQuestionBlock(int number, const Zentu_View& record,
                                 const ElementSelection& selection) {
    std::string block;
    AppendQuestionBlock(block, number, record, selection);
    return block;
}

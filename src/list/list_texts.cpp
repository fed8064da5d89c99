#include "list/list_texts.h"

#include "res/string_table.h"

namespace {

// Each "%i" of `format` takes the next number.
std::string Format(const std::string& format, std::size_t first, std::size_t second = 0) {
    std::string text;
    int used = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format.compare(i, 2, "%i") == 0 && used < 2) {
            text += std::to_string(used++ == 0 ? first : second);
            ++i;
        } else {
            text.push_back(format[i]);
        }
    }
    return text;
}

}  // namespace

std::string RulesText(const Zentu_View& question) {
    std::string text;
    switch (question.answerMethod) {
        case AnswerMethod::All:
            text = LoadString(kStrPrintAll);
            break;
        case AnswerMethod::Some:
            text = LoadString(kStrPrintSome);
            break;
        case AnswerMethod::OnlyOne:
            text = LoadString(kStrPrintOnlyOne);
            break;
        case AnswerMethod::AllInOrder:
            text = LoadString(kStrPrintAllInOrder);
            break;
        default:
            text = std::to_string(static_cast<std::int32_t>(question.answerMethod));
    }
    if (question.caseSensitive) text += ", " + LoadString(kStrListCase);
    if (question.checkSpaces) text += ", " + LoadString(kStrListSpaces);
    return text;
}

std::string CountText(std::size_t questions, bool searching, std::size_t matches, bool done) {
    if (!searching) {
        return questions == 1 ? LoadString(kStrListOneQuestion)
                              : Format(LoadString(kStrListQuestions), questions);
    }
    return Format(LoadString(done ? kStrListMatches : kStrListSearching), matches, questions);
}

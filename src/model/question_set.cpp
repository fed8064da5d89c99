#include "model/question_set.h"

#include <cassert>

bool Zentu_Data::operator==(const Zentu_Data& other) const {
    return question == other.question && answer == other.answer && hint == other.hint &&
           rightResponse == other.rightResponse && wrongResponse == other.wrongResponse &&
           delimiter == other.delimiter && useHint == other.useHint &&
           confirmCorrect == other.confirmCorrect && checkSpaces == other.checkSpaces &&
           caseSensitive == other.caseSensitive && answerMethod == other.answerMethod;
}

Zentu_Data& Question_Set::At(std::size_t n) {
    assert(n >= 1 && n <= records.size());
    return records[n - 1];
}

const Zentu_Data& Question_Set::At(std::size_t n) const {
    assert(n >= 1 && n <= records.size());
    return records[n - 1];
}

void Question_Set::InsertAt(std::size_t n, const Zentu_Data& record) {
    assert(n >= 1 && n <= records.size() + 1);
    records.insert(records.begin() + static_cast<std::ptrdiff_t>(n - 1), record);
}

void Question_Set::RemoveAt(std::size_t n) {
    assert(n >= 1 && n <= records.size());
    records.erase(records.begin() + static_cast<std::ptrdiff_t>(n - 1));
}

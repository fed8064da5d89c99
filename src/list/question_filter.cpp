#include "list/question_filter.h"

#include <algorithm>

#include "list/search_fold.h"

void QuestionFilter::Start(const Question_Set& questions, std::string_view typed) {
    const bool wasDone = searching && !matchNothing && Done();
    std::string folded = FoldForSearch(typed);
    refining =
        wasDone && set == &questions && !needle.empty() && folded.find(needle) != std::string::npos;
    if (refining) {
        candidates.swap(matches);
    } else {
        candidates.clear();
    }
    set = &questions;
    needle = std::move(folded);
    searching = !needle.empty();
    matchNothing = false;
    matches.clear();
    next = 0;
}

void QuestionFilter::Restart(const Question_Set& questions) {
    // The old matches may name positions that moved or are gone.
    const std::string folded = needle;
    const bool nothing = matchNothing;
    set = &questions;
    searching = !folded.empty() || nothing;
    refining = false;
    candidates.clear();
    matches.clear();
    next = 0;
    matchNothing = nothing;
}

void QuestionFilter::StartMatchingNothing(const Question_Set& questions) {
    set = &questions;
    searching = true;
    matchNothing = true;
    refining = false;
    needle.clear();
    candidates.clear();
    matches.clear();
    next = 0;
}

std::size_t QuestionFilter::ToScan() const {
    if (matchNothing || set == nullptr) return 0;
    return refining ? candidates.size() : set->Count();
}

bool QuestionFilter::Matches(const Zentu_View& question) {
    for (const std::string_view* text : {&question.question, &question.answer, &question.hint}) {
        // A text shorter than the needle cannot hold it, however it folds: nothing folds
        // to more than two bytes.
        if (text->size() * 2 < needle.size()) continue;
        if (scratch.size() < text->size() * 2) scratch.resize(text->size() * 2);
        const std::string_view folded(scratch.data(), FoldInto(*text, scratch.data()));
        if (folded.find(needle) != std::string_view::npos) return true;
    }
    return false;
}

bool QuestionFilter::Step(std::size_t maxQuestions) {
    const std::size_t end = std::min(ToScan(), next + std::min(maxQuestions, ToScan() - next));
    for (; next < end; ++next) {
        const std::size_t position = refining ? candidates[next] : next + 1;
        // A set that shrank before its Restart has nothing left there to match.
        if (position <= set->Count() && Matches(set->View(position))) matches.push_back(position);
    }
    return Done();
}

bool QuestionFilter::RunFor(std::chrono::nanoseconds budget) {
    // The clock is read between small batches, so a slice overruns its budget by one
    // batch at most.
    constexpr std::size_t kBatch = 2048;
    const auto deadline = std::chrono::steady_clock::now() + budget;
    while (!Step(kBatch)) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
    }
    return true;
}

void QuestionFilter::RunToEnd() { Step(ToScan()); }

std::size_t QuestionFilter::Rows() const {
    if (!searching) return set == nullptr ? 0 : set->Count();
    return matches.size();
}

std::size_t QuestionFilter::PositionOfRow(std::size_t row) const {
    return searching ? matches[row] : row + 1;
}

std::size_t QuestionFilter::RowNear(std::size_t position) const {
    const std::size_t rows = Rows();
    if (rows == 0) return 0;
    if (!searching) return std::min(std::max<std::size_t>(position, 1), rows) - 1;
    const auto found = std::lower_bound(matches.begin(), matches.end(), position);
    return found == matches.end() ? rows - 1 : static_cast<std::size_t>(found - matches.begin());
}

#include "quiz/quiz_runs.h"

#include <initializer_list>
#include <utility>
#include <vector>

#include "quiz/shuffle.h"
#include "res/string_table.h"

namespace {

void ShowBox(Platform& platform, int textId, int captionId) {
    platform.ShowMessage(MessageOwner::Window, LoadString(textId), LoadString(captionId),
                         MessageButtons::Ok, MessageIcon::None);
}

}  // namespace

std::string FormatIntegers(const std::string& format,
                           std::initializer_list<std::uint64_t> numbers) {
    std::string text;
    auto next = numbers.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == '%') {
                text.push_back('%');
                ++i;
                continue;
            }
            if (format[i + 1] == 'i' && next != numbers.end()) {
                text += std::to_string(*next++);
                ++i;
                continue;
            }
        }
        text.push_back(format[i]);
    }
    return text;
}

std::string FormatTotals(std::uint64_t right, std::uint64_t wrong) {
    // 64 bits keep right * 100 exact however many questions were asked.
    const std::uint64_t percent = right * 100 / (right + wrong);
    return FormatIntegers(LoadString(kStrTotals), {right, wrong, percent});
}

namespace {

// The Graded Quiz over `total` questions, the n-th (from 1) at position positionOf(n).
template <typename PositionOf>
RunEnd GradedQuiz(const Question_Set& set, std::size_t total, PositionOf positionOf,
                  QuestionAsker& asker, Platform& platform, std::vector<Zentu_Data>* missed) {
    if (total == 0) {
        ShowBox(platform, kStrNoQuestions, kStrNoQuestionsCaption);
        return RunEnd::NoQuestions;
    }
    const std::size_t count = set.Count();
    std::uint64_t rightCount = 0;
    std::uint64_t wrongCount = 0;
    for (std::size_t n = 1; n <= total; ++n) {
        asker.ShowProgress({0, n, total});
        // Kept as asked: the set may have changed by the time the answer is in.
        Zentu_Data question = set.At(positionOf(n));
        const AskOutcome outcome = asker.AskQuestion(question);
        ++(outcome.correct ? rightCount : wrongCount);
        if (!outcome.proceed) return RunEnd::Cancelled;
        if (!outcome.correct && missed != nullptr) missed->push_back(std::move(question));
        // Another file or the editor may have changed the set meanwhile; what is left
        // of the run would then ask from the wrong set, or past its end.
        if (set.Count() != count) return RunEnd::SetChanged;
    }
    platform.ShowMessage(MessageOwner::Window, FormatTotals(rightCount, wrongCount),
                         LoadString(kStrTotalsCaption), MessageButtons::Ok, MessageIcon::None);
    return RunEnd::Finished;
}

}  // namespace

RunEnd RunGradedQuiz(const Question_Set& set, QuestionAsker& asker, Platform& platform,
                     std::vector<Zentu_Data>* missed) {
    return GradedQuiz(
        set, set.Count(), [](std::size_t n) { return n; }, asker, platform, missed);
}

RunEnd RunGradedQuiz(const Question_Set& set, const std::vector<std::size_t>& positions,
                     QuestionAsker& asker, Platform& platform, std::vector<Zentu_Data>* missed) {
    return GradedQuiz(
        set, positions.size(), [&positions](std::size_t n) { return positions[n - 1]; }, asker,
        platform, missed);
}

namespace {

// The Random Test over `total` questions, the i-th (from 0) given by questionAt(i). The
// test works on positions, never on copies: shuffling and removing move no record, and a
// run over a million questions costs four bytes each. `stillTotal` is false once the
// questions are no longer `total` in number.
template <typename QuestionAt, typename StillTotal>
RunEnd RandomTest(std::size_t total, QuestionAt questionAt, StillTotal stillTotal,
                  QuestionAsker& asker, Platform& platform, RandomGenerator& generator) {
    if (total == 0) {
        ShowBox(platform, kStrNoQuestions, kStrNoQuestionsCaption);
        return RunEnd::NoQuestions;
    }
    std::vector<std::uint32_t> list = ShuffleOrder(static_cast<std::uint32_t>(total), generator);

    // One pass asks the list in order and keeps, in order, those answered wrong: that is
    // removing each right one at k and going on at k, without moving the rest each time.
    std::size_t rounds = 0;
    std::size_t rightFirstTime = 0;
    while (!list.empty()) {
        ++rounds;
        std::size_t kept = 0;
        for (std::size_t k = 0; k < list.size(); ++k) {
            asker.ShowProgress({rounds, k + 1, list.size()});
            const AskOutcome outcome = asker.AskQuestion(questionAt(list[k]));
            if (!outcome.proceed) return RunEnd::Cancelled;
            // Nothing should change the set during the test; if something did, the
            // positions left would be read past its end.
            if (!stillTotal()) return RunEnd::SetChanged;
            if (!outcome.correct) list[kept++] = list[k];
        }
        if (rounds == 1) rightFirstTime = list.size() - kept;
        list.resize(kept);
    }
    platform.ShowMessage(MessageOwner::Window, FormatTestOver(rounds, rightFirstTime, total),
                         LoadString(kStrTestOverCaption), MessageButtons::Ok, MessageIcon::None);
    return RunEnd::Finished;
}

}  // namespace

// The set cannot change during the test (the window refuses every command that would
// change it while a run is busy), so the test reads its questions where they lie.
RunEnd RunRandomTest(const Question_Set& set, QuestionAsker& asker, Platform& platform,
                     RandomGenerator& generator) {
    return RandomTest(
        set.Count(), [&set](std::uint32_t i) { return set.At(std::size_t(i) + 1); },
        [&set, total = set.Count()] { return set.Count() == total; }, asker, platform, generator);
}

RunEnd RunRandomTest(const std::vector<Zentu_Data>& copies, QuestionAsker& asker,
                     Platform& platform, RandomGenerator& generator) {
    return RandomTest(
        copies.size(), [&copies](std::uint32_t i) -> const Zentu_Data& { return copies[i]; },
        [] { return true; }, asker, platform, generator);
}

RunEnd RunRandomTest(const Question_Set& set, QuestionAsker& asker, Platform& platform) {
    return RunRandomTest(set, asker, platform, ProgramRandom());
}

std::string FormatTestOver(std::uint64_t rounds, std::uint64_t rightFirstTime,
                           std::uint64_t questions) {
    return FormatIntegers(LoadString(kStrTestOver),
                          {rounds, rightFirstTime, questions, rightFirstTime * 100 / questions});
}

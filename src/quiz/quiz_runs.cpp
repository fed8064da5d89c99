#include "quiz/quiz_runs.h"

#include <initializer_list>
#include <vector>

#include "quiz/shuffle.h"
#include "res/string_table.h"

namespace {

void ShowBox(Platform& platform, int textId, int captionId) {
    platform.ShowMessage(MessageOwner::Window, LoadString(textId), LoadString(captionId),
                         MessageButtons::Ok, MessageIcon::None);
}

// The table's own little format language: "%i" takes the next number, "%%" is one
// percent sign, anything else stays as it is. The format is never handed to printf.
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

// The Graded Quiz over `total` questions, the n-th (from 1) at position positionOf(n).
template <typename PositionOf>
RunEnd GradedQuiz(const Question_Set& set, std::size_t total, PositionOf positionOf,
                  QuestionAsker& asker, Platform& platform) {
    if (total == 0) {
        ShowBox(platform, kStrNoQuestions, kStrNoQuestionsCaption);
        return RunEnd::NoQuestions;
    }
    const std::size_t count = set.Count();
    std::uint64_t rightCount = 0;
    std::uint64_t wrongCount = 0;
    for (std::size_t n = 1; n <= total; ++n) {
        const AskOutcome outcome = asker.AskQuestion(set.At(positionOf(n)));
        ++(outcome.correct ? rightCount : wrongCount);
        if (!outcome.proceed) return RunEnd::Cancelled;
        // Another file or the editor may have changed the set meanwhile; what is left
        // of the run would then ask from the wrong set, or past its end.
        if (set.Count() != count) return RunEnd::SetChanged;
    }
    platform.ShowMessage(MessageOwner::Window, FormatTotals(rightCount, wrongCount),
                         LoadString(kStrTotalsCaption), MessageButtons::Ok, MessageIcon::None);
    return RunEnd::Finished;
}

}  // namespace

std::string FormatTotals(std::uint64_t right, std::uint64_t wrong) {
    // 64 bits keep right * 100 exact however many questions were asked.
    const std::uint64_t percent = right * 100 / (right + wrong);
    return FormatIntegers(LoadString(kStrTotals), {right, wrong, percent});
}

RunEnd RunGradedQuiz(const Question_Set& set, QuestionAsker& asker, Platform& platform) {
    return GradedQuiz(
        set, set.Count(), [](std::size_t n) { return n; }, asker, platform);
}

RunEnd RunGradedQuiz(const Question_Set& set, const std::vector<std::size_t>& positions,
                     QuestionAsker& asker, Platform& platform) {
    return GradedQuiz(
        set, positions.size(), [&positions](std::size_t n) { return positions[n - 1]; }, asker,
        platform);
}

RunEnd RunRandomTest(const Question_Set& set, QuestionAsker& asker, Platform& platform,
                     RandomGenerator& generator) {
    if (set.Empty()) {
        ShowBox(platform, kStrNoQuestions, kStrNoQuestionsCaption);
        return RunEnd::NoQuestions;
    }
    // The test's own copies, taken in the set's order; the working list is a list of
    // positions into them, so shuffling and removing never move a record.
    const std::vector<Zentu_Data> copies(set.begin(), set.end());
    std::vector<std::uint32_t> list =
        ShuffleOrder(static_cast<std::uint32_t>(copies.size()), generator);

    // One pass asks the list in order and keeps, in order, those answered wrong: that is
    // removing each right one at k and going on at k, without moving the rest each time.
    while (!list.empty()) {
        std::size_t kept = 0;
        for (std::size_t k = 0; k < list.size(); ++k) {
            const AskOutcome outcome = asker.AskQuestion(copies[list[k]]);
            if (!outcome.proceed) return RunEnd::Cancelled;
            if (!outcome.correct) list[kept++] = list[k];
        }
        list.resize(kept);
    }
    return RunEnd::Finished;
}

RunEnd RunRandomTest(const Question_Set& set, QuestionAsker& asker, Platform& platform) {
    return RunRandomTest(set, asker, platform, ProgramRandom());
}

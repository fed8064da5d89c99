#include "list/quiz_on_matches.h"

#include "res/string_table.h"

RunEnd QuizOnMatches(const Question_Set& set, QuestionFilter& filter, QuestionAsker& asker,
                     Platform& platform, std::vector<Zentu_Data>* missed) {
    if (!filter.Searching()) return RunGradedQuiz(set, asker, platform, missed);
    filter.RunToEnd();
    if (filter.Matches().empty() && !set.Empty()) {
        platform.ShowMessage(MessageOwner::Window, LoadString(kStrListNoMatches),
                             LoadString(kStrNoQuestionsCaption), MessageButtons::Ok,
                             MessageIcon::None);
        return RunEnd::NoQuestions;
    }
    // The run reads the matches as they are now: a search the user changes during the quiz
    // starts over on a list of its own.
    const std::vector<std::size_t> positions = filter.Matches();
    return RunGradedQuiz(set, positions, asker, platform, missed);
}

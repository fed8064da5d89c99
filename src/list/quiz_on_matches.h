// "Quiz on Matches": the Graded Quiz over the questions that the list's search finds, in
// set order, so a learner can drill one chapter; without a search, over the whole set.
#pragma once

#include <vector>

#include "list/question_filter.h"
#include "model/question_set.h"
#include "platform/platform.h"
#include "quiz/question_asker.h"
#include "quiz/quiz_runs.h"

// A search still under way is finished first. A search without matches says so and asks
// nothing. Copies of the questions answered wrong go to `missed` when it is given.
RunEnd QuizOnMatches(const Question_Set& set, QuestionFilter& filter, QuestionAsker& asker,
                     Platform& platform, std::vector<Zentu_Data>* missed = nullptr);

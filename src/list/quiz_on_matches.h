// "Quiz on Matches": the Graded Quiz over the questions that the list's search finds, in
// set order, so a learner can drill one chapter; without a search, over the whole set.
#pragma once

#include "list/question_filter.h"
#include "model/question_set.h"
#include "platform/platform.h"
#include "quiz/question_asker.h"
#include "quiz/quiz_runs.h"

// A search still under way is finished first. A search without matches says so and asks
// nothing.
RunEnd QuizOnMatches(const Question_Set& set, QuestionFilter& filter, QuestionAsker& asker,
                     Platform& platform);

// After a Graded Quiz with wrong answers: the window that lists them, and the Random Test
// over just those questions that it offers. The window comes through MistakesScreen, so
// the decisions run without one.
#pragma once

#include <string>
#include <vector>

#include "model/zentu_data.h"
#include "platform/platform.h"
#include "quiz/question_asker.h"
#include "quiz/random_generator.h"

class MistakesScreen {
  public:
    virtual ~MistakesScreen() = default;
    // Shows the listing of the missed questions; true when the user chose to repeat them.
    virtual bool ShowMistakes(const std::string& listing) = 0;
};

// Each missed question with the answer it expected, as they were asked: under Reverse Q/A
// the stored answer is the question and the stored question the answer.
std::string MistakesListing(const std::vector<Zentu_Data>& missed, bool reversed);

// Shows the mistakes window when there are mistakes, and on Repeat Mistakes runs a Random
// Test over them. True when that test ran.
bool OfferMistakes(const std::vector<Zentu_Data>& missed, bool reversed, MistakesScreen& screen,
                   QuestionAsker& asker, Platform& platform, RandomGenerator& generator);

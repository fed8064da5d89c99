// The contract of the asking step that the runs call for every question: the question
// dialog implements it, tests implement it with scripted answers.
#pragma once

#include <cstddef>

#include "model/zentu_data.h"

struct AskOutcome {
    bool correct = false;  // the answer was judged right
    bool proceed = false;  // the dialog ended with OK; false ends the run
};

// Where a run is: question `number` of `count` in a Graded Quiz (round 0), or in round
// `round` of a Random Test, where `count` is how many are left to ask in that round.
struct QuizProgress {
    std::size_t round = 0;
    std::size_t number = 0;
    std::size_t count = 0;
};

class QuestionAsker {
  public:
    virtual ~QuestionAsker() = default;
    // The runs say where they are before each question; an asker may show it or not.
    virtual void ShowProgress(const QuizProgress& progress) { (void)progress; }
    // Takes a copy, so nothing the asking step does to it reaches the set.
    virtual AskOutcome AskQuestion(Zentu_Data question) = 0;
};

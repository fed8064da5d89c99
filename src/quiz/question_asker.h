// The contract of the asking step that the runs call for every question: the question
// dialog implements it, tests implement it with scripted answers.
#pragma once

#include "model/zentu_data.h"

struct AskOutcome {
    bool correct = false;  // the answer was judged right
    bool proceed = false;  // the dialog ended with OK; false ends the run
};

class QuestionAsker {
  public:
    virtual ~QuestionAsker() = default;
    // Takes a copy, so nothing the asking step does to it reaches the set.
    virtual AskOutcome AskQuestion(Zentu_Data question) = 0;
};

// A scripted asking step for run tests: outcomes come from a queue, every question
// asked is logged, and a hook lets a test act while a question is "open".
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "quiz/question_asker.h"

class ScriptedAsker : public QuestionAsker {
  public:
    // Taken from the front; when empty, the user cancels, so a run never loops forever.
    std::deque<AskOutcome> outcomes;
    std::vector<Zentu_Data> asked;
    // Called with the 0-based number of the asking, before its outcome is returned.
    std::function<void(std::size_t)> onAsk;
    bool ranOut = false;
    // Where the run said it was before each question, as "round:number/count".
    std::vector<std::string> progress;

    void ShowProgress(const QuizProgress& where) override {
        progress.push_back(std::to_string(where.round) + ":" + std::to_string(where.number) + "/" +
                           std::to_string(where.count));
    }

    AskOutcome AskQuestion(Zentu_Data question) override {
        asked.push_back(std::move(question));
        if (onAsk) onAsk(asked.size() - 1);
        if (outcomes.empty()) {
            ranOut = true;
            return {false, false};
        }
        const AskOutcome outcome = outcomes.front();
        outcomes.pop_front();
        return outcome;
    }

    std::vector<std::string> AskedQuestions() const {
        std::vector<std::string> texts;
        for (const Zentu_Data& question : asked) texts.push_back(question.question);
        return texts;
    }
};

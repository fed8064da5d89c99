#include "quiz/mistakes.h"

#include "quiz/ask_question.h"
#include "quiz/quiz_runs.h"
#include "res/string_table.h"

std::string MistakesListing(const std::vector<Zentu_Data>& missed, bool reversed) {
    std::string listing;
    for (const Zentu_Data& question : missed) {
        const Zentu_Data asked = AskedForm(question, reversed);
        if (!listing.empty()) listing += "\r\n\r\n";
        listing += LoadString(kStrMistakeQuestion) + asked.question + "\r\n" +
                   LoadString(kStrMistakeAnswer) + asked.answer;
    }
    return listing;
}

bool OfferMistakes(const std::vector<Zentu_Data>& missed, bool reversed, MistakesScreen& screen,
                   QuestionAsker& asker, Platform& platform, RandomGenerator& generator) {
    if (missed.empty() || !screen.ShowMistakes(MistakesListing(missed, reversed))) return false;
    RunRandomTest(missed, asker, platform, generator);
    return true;
}

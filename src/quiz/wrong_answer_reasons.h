// Why a typed answer was judged wrong, told in the question's own rules: what the learner
// reads below the wrong-answer text. It explains exactly the answers that CheckAnswer
// judges wrong, and nothing else.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/zentu_data.h"

// The findings behind one explanation. Lists hold pieces as the question's splitting gives
// them, each once, in the order of the answer or of the typed text.
struct WrongAnswerReasons {
    bool right = false;  // CheckAnswer judged it right: nothing to explain
    bool unknownMethod = false;
    // Right if letter case did not count / if blanks at the ends of pieces did not count.
    bool caseOnly = false;
    bool endsOnly = false;
    bool nothingTyped = false;
    bool unreadTail = false;     // typed pieces after a blank one, which splitting drops
    bool cannotBeRight = false;  // no typed text at all can be right for this question
    std::size_t tooMany = 0;     // "only one": how many pieces were typed, when more than one
    std::vector<std::string> repeatedAnswers;  // expected answers listed more than once
    std::vector<std::string> missing;          // expected, and typed nowhere in the text
    std::vector<std::string> unexpected;       // typed, and equal to no expected answer
    std::vector<std::string> twice;            // typed again, where that costs the answer
    std::vector<std::string> outOfOrder;       // "all in order": the fewest that are misplaced
    std::size_t given = 0, wanted = 0;         // distinct expected answers typed / in all
    std::size_t typedPieces = 0;
    // The first unexpected piece and the expected answer closest to it, when close enough
    // to be worth comparing; both empty otherwise.
    std::string closestTyped, closestExpected;
};

WrongAnswerReasons FindWrongAnswerReasons(const Zentu_Data& question, std::string_view typed);

// The explanation as the wrong-answer box shows it below the standard text: one reason a
// line, then the typed answer against the closest expected one. Empty exactly when the
// typed answer is right.
std::string ExplainWrongAnswer(const Zentu_Data& question, std::string_view typed);
std::string ExplanationText(const WrongAnswerReasons& reasons, const Zentu_Data& question);

// `typed` and `expected` with the characters that differ, under the question's case rule,
// put in brackets; an empty pair of brackets marks where the other text has more.
std::pair<std::string, std::string> MarkDifferences(std::string_view typed,
                                                    std::string_view expected, bool caseSensitive);

// The wrong-answer box's text: the response as it stands, then the explanation when there
// is one and the learner wants it.
std::string WrongAnswerBoxText(const std::string& response, const std::string& explanation);

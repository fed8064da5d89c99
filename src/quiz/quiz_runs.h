// The Graded Quiz and the Random Test over the question set. They ask through
// QuestionAsker and show their messages through Platform, so they run without windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "model/question_set.h"
#include "platform/platform.h"
#include "quiz/question_asker.h"
#include "quiz/random_generator.h"

// How a run ended; the callers need not look, as every message has been shown.
enum class RunEnd {
    NoQuestions,  // the set was empty: only the "Rats!" box was shown
    Finished,     // every question was asked (the quiz showed its totals)
    Cancelled,    // the user cancelled a question
    SetChanged,   // the set changed size under a Graded Quiz, which then stopped
};

// Asks every question once, in order, and shows the totals. Stops without totals on
// cancel, and when the set changes size while a question is asked (the wrong-answer
// box does not block the main window), so it never reads past the set's end. Copies of
// the questions answered wrong go to `missed`, in the order asked, when it is given.
RunEnd RunGradedQuiz(const Question_Set& set, QuestionAsker& asker, Platform& platform,
                     std::vector<Zentu_Data>* missed = nullptr);
// The same over the questions at `positions` (from 1, asked in the order given), as for
// the matches of a search; the set itself counts for the change check.
RunEnd RunGradedQuiz(const Question_Set& set, const std::vector<std::size_t>& positions,
                     QuestionAsker& asker, Platform& platform,
                     std::vector<Zentu_Data>* missed = nullptr);

// Asks shuffled copies of the questions in passes until every one was answered right
// or the user cancels, then says that it is over, with its rounds and how many were right
// the first time. It reads the questions from `set` as it asks them, so the set must not
// change until it returns (the window's busy guard refuses every command that would); if
// its size changes all the same, the test ends there with SetChanged.
RunEnd RunRandomTest(const Question_Set& set, QuestionAsker& asker, Platform& platform,
                     RandomGenerator& generator);
// The same over given questions, such as those a Graded Quiz missed.
RunEnd RunRandomTest(const std::vector<Zentu_Data>& questions, QuestionAsker& asker,
                     Platform& platform, RandomGenerator& generator);
// The same with the program-wide generator.
RunEnd RunRandomTest(const Question_Set& set, QuestionAsker& asker, Platform& platform);

// A string-table format filled in: "%i" takes the next number, "%%" is one percent sign,
// anything else stays as it is. The format is never handed to printf.
std::string FormatIntegers(const std::string& format, std::initializer_list<std::uint64_t> numbers);

// The totals text: string 26 with the right and wrong counts and the integer
// percentage of right answers. `right + wrong` must not be 0.
std::string FormatTotals(std::uint64_t right, std::uint64_t wrong);
// The end-of-test text: rounds, right the first time of `questions`, and the percentage.
std::string FormatTestOver(std::uint64_t rounds, std::uint64_t rightFirstTime,
                           std::uint64_t questions);

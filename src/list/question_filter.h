// The question list's search: which questions hold a text in their question, answer or
// hint, letter case and accents aside. It works in slices, so a window can filter a
// million questions between keystrokes and still answer; a new keystroke starts over.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/question_set.h"

class QuestionFilter {
  public:
    // Starts a search of `set` (which must outlive the search, unchanged, or be handed to
    // Restart after each change) for `needle`, in stored bytes. An empty needle is no
    // search: every question is a row, and the filter is done at once.
    void Start(const Question_Set& set, std::string_view needle);
    // The set has changed: the same search starts over on it.
    void Restart(const Question_Set& set);
    // A search that can hold no match, as for a text the code page cannot store.
    void StartMatchingNothing(const Question_Set& set);

    // Looks at up to `maxQuestions` more questions; true when the search is done.
    bool Step(std::size_t maxQuestions);
    // Works until done or until `budget` has passed; true when done.
    bool RunFor(std::chrono::nanoseconds budget);
    void RunToEnd();

    bool Searching() const { return searching; }
    bool Done() const { return !searching || next >= ToScan(); }
    // Matches found so far, as positions from 1 in set order; empty when not searching.
    const std::vector<std::size_t>& Matches() const { return matches; }

    // The rows the list shows now: every question, or the matches found so far.
    std::size_t Rows() const;
    // Position (from 1) of row `row` (from 0), row < Rows().
    std::size_t PositionOfRow(std::size_t row) const;
    // The row that shows `position`, else the first row after it, else the last row;
    // Rows() when there is none.
    std::size_t RowNear(std::size_t position) const;

  private:
    std::size_t ToScan() const;
    bool Matches(const Zentu_View& question);

    const Question_Set* set = nullptr;
    bool searching = false;
    bool matchNothing = false;
    std::string needle;  // folded
    // A needle that holds the last finished one need only look at that one's matches.
    bool refining = false;
    std::vector<std::size_t> candidates;
    std::size_t next = 0;  // index into the candidates, or position - 1
    std::vector<std::size_t> matches;
    std::vector<char> scratch;  // room to fold one text
};

// The texts of the question list that come from decisions: a question's rules in short,
// and the status line's count of questions and matches.
#pragma once

#include <cstddef>
#include <string>

#include "model/zentu_data.h"

// "Only one", "All, case" or "Some, case, spaces": the answer method (its number when it
// is none of the four), then whether letter case and spaces at the ends count.
std::string RulesText(const Zentu_View& question);

// "12 questions" without a search; "3 of 12 questions match" with one; while a search is
// still running, a count of the matches so far.
std::string CountText(std::size_t questions, bool searching, std::size_t matches, bool done);

#include "res/string_table.h"

#include <array>

namespace {

// Index = id. Each \n in string 26 is one line break.
const std::array<std::string, 38> kStrings = {
    "",
    "The answer you typed in was incorrect.  The correct answer is: <<CORRECT>>",
    "The answer you typed in was incorrect.  The correct answers are some of: <<CORRECT>>",
    "The answer you typed in was incorrect. The correct answer is one of: <<CORRECT>>",
    "The answer you typed in was incorrect. The correct answers are: <<CORRECT>>",
    "The answer you typed in was incorrect. The correct answers are in order: <<CORRECT>>",
    "Question Editor-question number ",
    " - new",
    "Hint",
    "Question Files 1.0 (*.que)|*.que|Question Files 1.1 (*.que)|*.que|",
    "QUE",
    "Move",
    "Move to question number?",
    "Question: ",
    "Hint",
    "No Hint",
    "Confirm Correct",
    "No Confirm Correct",
    "Case Sensitive",
    "Case Insensitive",
    "All",
    "All in Order",
    "Some",
    "Only one",
    "There are no questions, load a file or input some questions.",
    "Rats!",
    "You answered %i correctly.\nYou answered %i incorrectly.\nYour got %i%% correct.",
    "Totals",
    "Incorrect Answer",
    "Correct Answer",
    "Good Job, You got the correct answer.",
    "Do you want to save?",
    "Questions have changed.",
    "File Error",
    "Unable to open file",
    "Unable to save file",
    "Check Spaces",
    "Don't Check Spaces",
};

const std::string kEmpty;

}  // namespace

const std::string& LoadString(int id) {
    if (id < 1 || id >= static_cast<int>(kStrings.size())) return kEmpty;
    return kStrings[static_cast<std::size_t>(id)];
}

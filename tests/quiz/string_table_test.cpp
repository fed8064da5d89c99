#include "res/string_table.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

// Every text must come out byte for byte: the checker fills placeholders in them and
// the runs format string 26, so a stray space or a lost \n shows in the program.
TEST(StringTableTest, EveryIdGivesItsExactText) {
    struct Entry {
        int id;
        const char* text;
    } const entries[] = {
        {1, "The answer you typed in was incorrect.  The correct answer is: <<CORRECT>>"},
        {2, "The answer you typed in was incorrect.  The correct answers are some of: <<CORRECT>>"},
        {3, "The answer you typed in was incorrect. The correct answer is one of: <<CORRECT>>"},
        {4, "The answer you typed in was incorrect. The correct answers are: <<CORRECT>>"},
        {5, "The answer you typed in was incorrect. The correct answers are in order: <<CORRECT>>"},
        {6, "Question Editor-question number "},
        {7, " - new"},
        {8, "Hint"},
        {9, "Question Files 1.0 (*.que)|*.que|Question Files 1.1 (*.que)|*.que|"},
        {10, "QUE"},
        {11, "Move"},
        {12, "Move to question number?"},
        {13, "Question: "},
        {14, "Hint"},
        {15, "No Hint"},
        {16, "Confirm Correct"},
        {17, "No Confirm Correct"},
        {18, "Case Sensitive"},
        {19, "Case Insensitive"},
        {20, "All"},
        {21, "All in Order"},
        {22, "Some"},
        {23, "Only one"},
        {24, "There are no questions, load a file or input some questions."},
        {25, "Rats!"},
        {26, "You answered %i correctly.\nYou answered %i incorrectly.\nYour got %i%% correct."},
        {27, "Totals"},
        {28, "Incorrect Answer"},
        {29, "Correct Answer"},
        {30, "Good Job, You got the correct answer."},
        {31, "Do you want to save?"},
        {32, "Questions have changed."},
        {33, "File Error"},
        {34, "Unable to open file"},
        {35, "Unable to save file"},
        {36, "Check Spaces"},
        {37, "Don't Check Spaces"},
    };
    for (const Entry& entry : entries) {
        EXPECT_EQ(LoadString(entry.id), entry.text) << "string " << entry.id;
    }
}

TEST(StringTableTest, UnknownIdsGiveTheEmptyText) {
    for (const int id : {0, -1, 38, 39, 100, 890, INT_MAX, INT_MIN}) {
        EXPECT_EQ(LoadString(id), "") << "id " << id;
    }
}

}  // namespace

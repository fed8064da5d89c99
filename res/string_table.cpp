#include "res/string_table.h"

#include <vector>

namespace {

struct StringEntry {
    int id;
    const char* text;
};

// The texts by id, in rising order. Each \n is one line break. Ids 1-37 are the program's
// own messages; each later feature adds its texts in a range of its own, below.
constexpr StringEntry kStrings[] = {
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

    // 38-99: explaining wrong answers, quiz progress and the mistakes window.

    // 100-139: importing and exporting delimited text.

    // 140-159: the question list and its search.

    // 160-179: printer setup, preview and print jobs.
    {160, "Zentu - "},
    {161, "Untitled"},
    {162, "Printer Setup"},
    {163, "OK"},
    {164, "Print Preview"},
    {165, "Printing page %1 of %2"},
    {166, "The printer did not take the job."},
    {167,
     "The job is waiting: the printer is stopped. It will print once the printer is started "
     "again."},
    {168, "The print job could not be made."},
    {169, "PDF Files (*.pdf)|*.pdf|"},
    {170, "PDF"},
    {171, "&Print..."},
    {172, "Zoom &In"},
    {173, "Zoom &Out"},
    {174, "&Whole Page"},
    {175, "P&revious Page"},
    {176, "&Next Page"},
    {177, "Page %1 of %2"},
    {178, "&Close"},
    {179, "Page"},

    // 180-199: damaged files, unstorable characters and recovered saves.

};

}  // namespace

const std::string& LoadString(int id) {
    // Built once, so every caller gets a stable reference.
    static const std::vector<std::string> byId = [] {
        std::vector<std::string> table;
        for (const StringEntry& entry : kStrings) {
            if (entry.id >= static_cast<int>(table.size())) table.resize(entry.id + 1);
            table[entry.id] = entry.text;
        }
        return table;
    }();
    static const std::string empty;
    if (id < 1 || id >= static_cast<int>(byId.size())) return empty;
    return byId[static_cast<std::size_t>(id)];
}

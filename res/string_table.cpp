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
    {38, "Only letter case differs, and this question counts it."},
    {39, "Only spaces or line breaks at the ends differ, and this question counts them."},
    {40,
     "Only letter case and spaces or line breaks at the ends differ, and this question counts "
     "both."},
    {41, "No answer was typed."},
    {42, "This question wants just one answer; %i were typed."},
    {43, "%i of %i answers were given."},
    {44, "Missing: "},
    {45, "Not among the expected answers: "},
    {46, "Typed more than once: "},
    {47, "Out of order: "},
    {48, " and %i more"},
    {49, "The answers after an empty one were not read."},
    {50,
     "Listed more than once among the expected answers, so a typed one counts once for each "
     "listing: "},
    {51, "No typed answer can be right for this question."},
    {52,
     "This question's answer method is one the program does not know: no typed answer can be right "
     "for this question."},
    {53, "This question has one answer"},
    {54, "This question wants all of its answers, in any order"},
    {55, "This question wants some of its answers"},
    {56, "This question wants exactly one of its answers"},
    {57, "This question wants all of its answers, in their order"},
    {58, "; letter case counts"},
    {59, "; letter case does not count"},
    {60, "; spaces at the ends count."},
    {61, "; spaces and line breaks at the ends do not count."},
    {62, "You typed: "},
    {63, "Closest answer: "},
    {64, "Question %i of %i"},
    {65, "Round %i: question %i of %i"},
    {66,
     "Every question has now been answered right.\nRounds: %i\nRight the first time: %i of %i "
     "(%i%%)"},
    {67, "End of Test"},
    {68, "Question: "},
    {69, "Answer: "},

    // 100-139: importing and exporting delimited text.
    {100,
     "Tab-separated text (*.tsv *.txt)|*.tsv *.txt|Comma-separated values (*.csv)|*.csv|"
     "All files (*)|*|"},
    {101, "Tab-separated text (*.tsv)|*.tsv|Comma-separated values (*.csv)|*.csv|"},
    {102, "Import"},
    {103, "Imported %1 questions from %2."},
    {104, "The first two lines, a title and an author, were skipped."},
    {105, "The first row names the columns; it was not imported as a question."},
    {106,
     "%1 columns that the file marks for other programs (such as a deck or tags) were left "
     "out."},
    {107, "%1 columns whose names are no question field were left out."},
    {108,
     "%1 further fields with text were left out: without column names, only the question, "
     "the answer and the hint are read."},
    {109, "%1 characters that a question cannot hold were replaced by \"?\"."},
    {110, "The file is not UTF-8; it was read as Windows-1252."},
    {111, "%1 holds %2 characters that a question cannot hold. The first ones:"},
    {112, "line %1, column %2: %3"},
    {113, "Import again with \"Replace unstorable characters by ?\" to take them as \"?\"."},
    {114, "Convert again with --replace-unmappable to take them as \"?\"."},
    {115, "%1, line %2: a quoted field is not closed before the end of the file."},
    {116, "%1, line %2: the row has no answer field."},
    {117,
     "%1, line %2: \"%3\" is no answer method (All, Some, Only one, All in order or a "
     "number)."},
    {118, "%1, line %2: \"%3\" is neither yes nor no (1, 0, true, false, yes, no)."},
    {119, "%1, line %2: \"%3\" is no delimiter; a delimiter is one character other than CR."},
    {120, "%1 is larger than 768 MiB, the most an import takes."},
    {121, "%1: unable to open file."},
    {122, "Nothing was imported; the questions in the window are as they were."},
    {123, "Nothing was written."},
    {124,
     "Usage: zentu-convert [OPTIONS] INPUT OUTPUT\n"
     "Converts a question set between formats, chosen by the files' extensions:\n"
     "  .que  question file (version 1.1; see --que-version)\n"
     "  .tsv  tab-separated table, .csv comma-separated table (.txt as INPUT: a table)\n"
     "  .txt  as OUTPUT: the element listing of Export\n"
     "\n"
     "Options:\n"
     "  --separator C           the table's separator: a character or Tab, Comma,\n"
     "                          Semicolon, Pipe, Colon, Space (default: the file's\n"
     "                          #separator line, else guessed from the first row)\n"
     "  --answer-delimiter C    answer delimiter of questions the table says nothing of\n"
     "                          (default: none, the whole answer is one answer)\n"
     "  --method M              all, some, only-one or in-order, for questions the\n"
     "                          table says nothing of (default: all)\n"
     "  --replace-unmappable    replace characters a question cannot hold by ?\n"
     "  --que-version V         1.1 (default) or 1.0, which has no response texts\n"
     "  --elements LIST         for .txt: a comma list of question, answer, hint,\n"
     "                          delimiter, use-hint, confirm-correct, case-sensitive,\n"
     "                          method, check-spaces (default: all)\n"
     "  --help                  show this help\n"
     "  --version               show the program's version\n"
     "\n"
     "Exit status: 0 done, 1 bad input or output (nothing written), 2 usage error."},
    {125, "Try 'zentu-convert --help'."},
    {126, "zentu-convert: unknown option %1"},
    {127, "zentu-convert: option %1 needs a value"},
    {128, "zentu-convert: \"%2\" is no valid value for %1"},
    {129, "zentu-convert: %1: unknown format; use .que, .tsv, .csv or .txt"},
    {130, "%1: version 1.0 has no response texts; %2 were dropped."},
    {131, "%1: unable to read this file version."},
    {132, "%1: unable to save file."},
    {133, "zentu-convert: give one INPUT and one OUTPUT file"},
    {134, "The fields are separated by %1."},
    {135, "%1 already exists.\nDo you want to replace it?"},
    {136, "Export as Table"},
    {137, "Reading the questions..."},
    {138, "Stop"},

    // 140-159: the question list and its search.
    {140, "Question"},
    {141, "Answer"},
    {142, "Hint"},
    {143, "Rules"},
    {144, "case"},
    {145, "spaces"},
    {146, "1 question"},
    {147, "%i questions"},
    {148, "%i of %i questions match"},
    {149, "Searching... %i of %i questions match so far"},
    {150,
     "There are no questions yet.\n\nChoose File > Open to load a question file,\nor File > "
     "New to write questions of your own."},
    {151, "S&earch:"},
    {152, "Type a word from a question, answer or hint"},
    {153, "No question matches the search."},
    {154, "Questions"},
    {155, "Clear the search"},

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
    {180,
     "%i questions of this file could not be read: the file is damaged or ends too soon. They "
     "are shown empty, and Save will ask for a new name so that the file stays as it is."},
    {181,
     "The number of questions in this file could not be read, so some may be missing. Save "
     "will ask for a new name so that the file stays as it is."},
    {182,
     "The character %1 was left out: a question file can hold only\n"
     "the Western European characters of Windows-1252."},
    {183,
     "An earlier save of this file was interrupted before it was finished. The copy it had "
     "written was kept as:"},
    {184, "Interrupted Save"},

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

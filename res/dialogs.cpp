#include "res/dialogs.h"

namespace {

constexpr int kTextLimit = 1023;
constexpr unsigned kMultiLineBox =
    kStyleMultiLine | kStyleWantReturn | kStyleBorder | kStyleTabStop;
constexpr const char* kDialogFont = "MS Sans Serif";

DialogControl Label(int id, const char* text, int x, int y, int w, int h) {
    return {id, ControlKind::Static, text, x, y, w, h, 0, 0, ButtonFace::Text, ""};
}

DialogControl Frame(int id, const char* text, int x, int y, int w, int h) {
    return {id, ControlKind::GroupFrame, text, x, y, w, h, 0, 0, ButtonFace::Text, ""};
}

DialogControl Line(int x, int y, int w, int h) {
    return {kNoControlId, ControlKind::Line, "", x, y, w, h, 0, 0, ButtonFace::Text, ""};
}

DialogControl Edit(int id, int x, int y, int w, int h, unsigned style, int limit,
                   const char* name = "") {
    return {id, ControlKind::Edit, "", x, y, w, h, style, limit, ButtonFace::Text, name};
}

DialogControl Button(int id, const char* text, int x, int y, int w, int h, ButtonFace face,
                     unsigned style = kStyleTabStop) {
    return {id, ControlKind::PushButton, text, x, y, w, h, style, 0, face, ""};
}

DialogControl Check(int id, const char* text, int x, int y, int w, int h) {
    return {id, ControlKind::CheckBox, text, x, y, w, h, kStyleTabStop, 0, ButtonFace::Text, ""};
}

DialogControl Radio(int id, const char* text, int x, int y, int w, int h) {
    return {id, ControlKind::RadioButton, text, x, y, w, h, kStyleTabStop, 0, ButtonFace::Text, ""};
}

// The question dialog: 1244 with the Hint button, 1245 with it hidden.
DialogTemplate QuestionDialog(int id, int x, int y, bool hint) {
    return {id,
            "Question",
            x,
            y,
            189,
            136,
            kDialogFont,
            8,
            892,
            kDialogAtPosition,
            {
                // Neither text box has a label beside it: the template names them.
                Edit(402, 4, 6, 179, 61, kStyleMultiLine | kStyleReadOnly | kStyleBorder, 0,
                     "Question"),
                Edit(401, 5, 70, 178, 23, kStyleMultiLine | kStyleBorder | kStyleTabStop,
                     kTextLimit, "Answer"),
                Line(0, 99, 189, 3),
                Button(kIdOk, "OK", 20, 108, 43, 25, ButtonFace::Ok, kStyleTabStop | kStyleDefault),
                Button(kIdCancel, "Cancel", 76, 108, 43, 25, ButtonFace::Cancel),
                Button(95, "&Hint", 132, 108, 43, 25, ButtonFace::Hint,
                       hint ? kStyleTabStop : kStyleTabStop | kStyleHidden),
            }};
}

std::vector<DialogTemplate> MakeDialogs() {
    std::vector<DialogTemplate> dialogs;

    // The Question Editor: the layout is ours, the controls and their order are given.
    dialogs.push_back(
        {kDialogQuestionEditor,
         "Question Editor",
         0,
         0,
         250,
         155,
         kDialogFont,
         8,
         891,
         kDialogSystemMenu,
         {
             Label(kNoControlId, "Question:", 6, 4, 60, 8),
             Edit(403, 6, 13, 238, 48, kMultiLineBox | kStyleVScroll, kTextLimit),
             Label(kNoControlId, "Answer(s):", 6, 65, 60, 8),
             Edit(404, 6, 74, 238, 36, kMultiLineBox, kTextLimit),
             Line(0, 116, 250, 3),
             Button(kIdOk, "OK", 6, 124, 43, 25, ButtonFace::Ok, kStyleTabStop | kStyleDefault),
             Button(99, "PREV", 55, 124, 43, 25, ButtonFace::Prev),
             Button(98, "NEXT", 104, 124, 43, 25, ButtonFace::Next),
             Button(kIdCancel, "Cancel", 153, 124, 43, 25, ButtonFace::Cancel),
             Button(97, "DEL", 202, 124, 43, 25, ButtonFace::Delete),
         }});

    dialogs.push_back(QuestionDialog(kDialogQuestionWithHint, 7, 21, true));
    dialogs.push_back(QuestionDialog(kDialogQuestionNoHint, 6, 15, false));

    dialogs.push_back(
        {kDialogAdvanced,
         "Advanced",
         0,
         0,
         297,
         165,
         kDialogFont,
         8,
         0,
         kDialogSystemMenu,
         {
             Frame(kNoControlId, " Hint Text", 4, 6, 127, 53),
             Edit(111, 7, 17, 121, 40, kMultiLineBox, kTextLimit),
             Frame(102, "Wrong Response", 4, 60, 127, 53),
             Edit(2102, 7, 70, 121, 40, kMultiLineBox, kTextLimit),
             Frame(112, "Right Response", 136, 60, 127, 53),
             Edit(101, 140, 70, 121, 40, kMultiLineBox, kTextLimit),
             Label(kNoControlId, "Method of treating multiple answers      -->", 144, 2, 51, 33),
             Radio(103, "All", 196, 2, 51, 9),
             Radio(104, "Some", 196, 11, 51, 9),
             Radio(106, "Only one", 196, 20, 51, 9),
             Radio(110, "All in order", 196, 29, 51, 9),
             // Two units below the place first given, so the label above ends before it.
             Check(7101, "Hint text", 144, 34, 40, 10),
             Check(105, "Use Right Response", 144, 44, 88, 10),
             Check(107, "Case Sensitive", 208, 116, 59, 10),
             Check(109, "Check Whitespace", 208, 128, 76, 10),
             Edit(108, 208, 144, 11, 11, kStyleBorder | kStyleTabStop, 1),
             Label(kNoControlId, "Muli-Answer Delimiter", 221, 141, 53, 20),
             Button(kIdOk, "OK", 20, 135, 43, 25, ButtonFace::Ok, kStyleTabStop | kStyleDefault),
             Button(kIdCancel, "Cancel", 76, 135, 43, 25, ButtonFace::Cancel),
             Line(0, 128, 190, 3),
         }});

    dialogs.push_back(
        {kDialogAbout,
         "Zentu Program 1.03",
         0,
         0,
         200,
         117,
         kDialogFont,
         8,
         0,
         kDialogSystemMenu,
         {
             Label(kNoControlId,
                   "Zentu Program, a question and answer drill, by the Zentu authors.\n\n"
                   "It is distributed as is, without any warranty. You may use it and pass "
                   "it on freely.\n\n"
                   "The help gives the details.",
                   10, 8, 180, 64),
             Line(0, 78, 200, 3),
             Button(kIdOk, "OK", 78, 86, 43, 25, ButtonFace::Ok, kStyleTabStop | kStyleDefault),
         }});

    dialogs.push_back(
        {kDialogElements,
         "Print",
         0,
         0,
         189,
         141,
         kDialogFont,
         8,
         0,
         kDialogSystemMenu,
         {
             Line(0, 108, 189, 1),
             Button(kIdOk, "OK", 17, 112, 43, 25, ButtonFace::Ok, kStyleTabStop | kStyleDefault),
             Button(kIdCancel, "Cancel", 73, 112, 43, 25, ButtonFace::Cancel),
             Check(5101, "Question", 6, 14, 151, 10),
             Check(3102, "Answer", 6, 24, 151, 10),
             Check(103, "Hint", 6, 34, 151, 10),
             Check(104, "Delimiter", 6, 44, 151, 10),
             Check(105, "Use Hint", 6, 54, 151, 10),
             Check(106, "Confirm Correct", 6, 64, 151, 10),
             Check(107, "Case Sensitive", 6, 74, 151, 10),
             Check(108, "Multipule Answer Format", 6, 84, 151, 10),
             Frame(kNoControlId, "Print Which Elements?", 2, 3, 182, 104),
             Check(101, "Check Spaces", 6, 94, 151, 10),
         }});

    // The map sizes itself from its font when it opens; this size is only the start. It
    // places itself beside its owner each time it opens.
    dialogs.push_back({kDialogCharacterMap,
                       "Character Map",
                       0,
                       0,
                       240,
                       120,
                       kDialogFont,
                       8,
                       0,
                       kDialogSystemMenu | kDialogMinimizeBox,
                       {}});

    dialogs.push_back(
        {kDialogInput,
         "",
         0,
         0,
         180,
         68,
         kDialogFont,
         8,
         0,
         kDialogSystemMenu,
         {
             Label(kIdInputPrompt, "", 6, 6, 168, 10),
             Edit(kIdInputText, 6, 18, 168, 12, kStyleBorder | kStyleTabStop, 63),
             Line(0, 35, 180, 3),
             Button(kIdOk, "&OK", 40, 40, 43, 25, ButtonFace::Ok, kStyleTabStop | kStyleDefault),
             Button(kIdCancel, "&Cancel", 97, 40, 43, 25, ButtonFace::Cancel),
         }});

    // After a Graded Quiz: what was answered wrong, and the offer to repeat it. The list is
    // a read-only text box, so the keyboard scrolls it and a screen reader reads it.
    dialogs.push_back(
        {kDialogMistakes,
         "Mistakes",
         0,
         0,
         240,
         170,
         kDialogFont,
         8,
         0,
         kDialogSystemMenu,
         {
             Label(kNoControlId, "Questions answered wrong:", 6, 5, 228, 9),
             Edit(kIdMistakesList, 6, 15, 228, 115,
                  kStyleMultiLine | kStyleReadOnly | kStyleVScroll | kStyleBorder | kStyleTabStop,
                  0),
             Line(0, 136, 240, 3),
             Button(kIdRepeatMistakes, "&Repeat Mistakes", 6, 142, 90, 22, ButtonFace::Text,
                    kStyleTabStop | kStyleDefault),
             Button(kIdCancel, "Close", 186, 142, 48, 22, ButtonFace::Cancel),
         }});

    // Import: how to read a delimited text file. The separator opens as the file suggests.
    dialogs.push_back(
        {kDialogImportOptions,
         "Import",
         0,
         0,
         230,
         168,
         kDialogFont,
         8,
         0,
         kDialogSystemMenu,
         {
             Label(kIdImportFile, "", 6, 4, 218, 10),
             Frame(kNoControlId, "Fields separated by", 4, 16, 104, 100),
             Radio(kIdImportSeparatorFirst, "&Tab", 10, 27, 90, 10),
             Radio(kIdImportSeparatorFirst + 1, "&Comma  ,", 10, 39, 90, 10),
             Radio(kIdImportSeparatorFirst + 2, "S&emicolon  ;", 10, 51, 90, 10),
             Radio(kIdImportSeparatorFirst + 3, "&Pipe  |", 10, 63, 90, 10),
             Radio(kIdImportSeparatorFirst + 4, "Co&lon  :", 10, 75, 90, 10),
             Radio(kIdImportSeparatorFirst + 5, "&Space", 10, 87, 90, 10),
             Radio(kIdImportSeparatorOther, "&Other:", 10, 99, 44, 10),
             Edit(kIdImportOtherText, 56, 98, 16, 12, kStyleBorder | kStyleTabStop, 1,
                  "Other separator"),
             Frame(kNoControlId, "Where the file does not say", 112, 16, 114, 100),
             Label(kNoControlId, "Answer &delimiter:", 118, 27, 104, 9),
             Edit(kIdImportDelimiter, 118, 38, 16, 12, kStyleBorder | kStyleTabStop, 1),
             Label(kNoControlId, "(empty: one answer)", 138, 40, 84, 9),
             Label(kNoControlId, "Multiple answers:", 118, 53, 104, 9),
             Radio(kIdImportMethodFirst, "&All", 118, 64, 100, 10),
             Radio(kIdImportMethodFirst + 1, "So&me", 118, 75, 100, 10),
             Radio(kIdImportMethodFirst + 2, "Only o&ne", 118, 86, 100, 10),
             Radio(kIdImportMethodFirst + 3, "All in o&rder", 118, 97, 100, 10),
             Check(kIdImportReplace, "Replace &unstorable characters by ?", 6, 120, 218, 10),
             Line(0, 134, 230, 1),
             Button(kIdOk, "OK", 46, 138, 43, 25, ButtonFace::Ok, kStyleTabStop | kStyleDefault),
             Button(kIdCancel, "Cancel", 141, 138, 43, 25, ButtonFace::Cancel),
         }});
    return dialogs;
}

}  // namespace

const std::vector<DialogTemplate>& AllDialogs() {
    static const std::vector<DialogTemplate> dialogs = MakeDialogs();
    return dialogs;
}

const DialogTemplate* FindDialog(int id) {
    for (const DialogTemplate& dialog : AllDialogs()) {
        if (dialog.id == id) {
            return &dialog;
        }
    }
    return nullptr;
}

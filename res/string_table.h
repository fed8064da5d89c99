// The program's own messages, loaded by id when they are shown.
#pragma once

#include <string>

// The text of string `id`, or an empty text for an id the table does not hold.
const std::string& LoadString(int id);

// Ids of the string table, named where code refers to them.
enum StringId : int {
    kStrWrongOne = 1,
    kStrWrongSome = 2,
    kStrWrongOnlyOne = 3,
    kStrWrongAll = 4,
    kStrWrongAllInOrder = 5,
    kStrEditorTitle = 6,
    kStrEditorNew = 7,
    kStrHintCaption = 8,
    kStrFileFilter = 9,
    kStrDefaultExt = 10,
    kStrMoveTitle = 11,
    kStrMovePrompt = 12,
    kStrPrintQuestion = 13,
    kStrPrintHint = 14,
    kStrPrintNoHint = 15,
    kStrPrintConfirm = 16,
    kStrPrintNoConfirm = 17,
    kStrPrintCaseSensitive = 18,
    kStrPrintCaseInsensitive = 19,
    kStrPrintAll = 20,
    kStrPrintAllInOrder = 21,
    kStrPrintSome = 22,
    kStrPrintOnlyOne = 23,
    kStrNoQuestions = 24,
    kStrNoQuestionsCaption = 25,
    kStrTotals = 26,
    kStrTotalsCaption = 27,
    kStrIncorrectCaption = 28,
    kStrCorrectCaption = 29,
    kStrCorrectText = 30,
    kStrSaveQuery = 31,
    kStrSaveQueryCaption = 32,
    kStrFileError = 33,
    kStrUnableToOpen = 34,
    kStrUnableToSave = 35,
    kStrPrintCheckSpaces = 36,
    kStrPrintNoCheckSpaces = 37,

    // Damaged files, unstorable characters and recovered saves.
    kStrQuestionsNotRead = 180,
    kStrCountNotTaken = 181,
    kStrCharacterNotStorable = 182,
    kStrSaveRecovered = 183,
    kStrSaveRecoveredCaption = 184,
};

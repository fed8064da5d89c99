// One question: its texts, its delimiter and its own rules for judging a typed answer.
#pragma once

#include <cstdint>
#include <string>

// The codes are single bits and are the numbers stored in question files. Any other
// int32 value is legal (the enum has a fixed underlying type), is carried through
// files unchanged and matches no method.
enum class AnswerMethod : std::int32_t { All = 1, Some = 2, OnlyOne = 4, AllInOrder = 8 };

// A plain value: copies never share a text. Texts are Windows-1252 bytes with line
// breaks as CR LF and never a TAB.
struct Zentu_Data {
    std::string question;
    std::string answer;
    std::string hint;
    std::string rightResponse;
    std::string wrongResponse;
    // Defaults are those the editor gives a first new question; the reader gives them
    // to the questions it adds past damaged data.
    char delimiter = ',';
    bool useHint = false;
    bool confirmCorrect = false;
    bool checkSpaces = false;
    bool caseSensitive = false;
    AnswerMethod answerMethod = AnswerMethod::All;

    bool operator==(const Zentu_Data& other) const;
    bool operator!=(const Zentu_Data& other) const { return !(*this == other); }
};

// One question: its texts, its delimiter and its own rules for judging a typed answer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

// A question whose texts lie elsewhere (in a set's arena, or in a Zentu_Data): for
// readers that walk many questions without copying them. Valid while what it views is
// unchanged.
struct Zentu_View {
    std::string_view question;
    std::string_view answer;
    std::string_view hint;
    std::string_view rightResponse;
    std::string_view wrongResponse;
    char delimiter = ',';
    bool useHint = false;
    bool confirmCorrect = false;
    bool checkSpaces = false;
    bool caseSensitive = false;
    AnswerMethod answerMethod = AnswerMethod::All;

    Zentu_View() = default;
    // Implicit both ways, so code written for values reads a view and the reverse.
    Zentu_View(const Zentu_Data& data)  // NOLINT(google-explicit-constructor)
        : question(data.question),
          answer(data.answer),
          hint(data.hint),
          rightResponse(data.rightResponse),
          wrongResponse(data.wrongResponse),
          delimiter(data.delimiter),
          useHint(data.useHint),
          confirmCorrect(data.confirmCorrect),
          checkSpaces(data.checkSpaces),
          caseSensitive(data.caseSensitive),
          answerMethod(data.answerMethod) {}
    explicit operator Zentu_Data() const { return ToData(); }

    // Into an existing value, whose strings keep their room (the editor's buffer).
    void AssignTo(Zentu_Data& data) const {
        data.question.assign(question);
        data.answer.assign(answer);
        data.hint.assign(hint);
        data.rightResponse.assign(rightResponse);
        data.wrongResponse.assign(wrongResponse);
        data.delimiter = delimiter;
        data.useHint = useHint;
        data.confirmCorrect = confirmCorrect;
        data.checkSpaces = checkSpaces;
        data.caseSensitive = caseSensitive;
        data.answerMethod = answerMethod;
    }
    // Each text made at its size at once (a Graded Quiz copies every question it asks).
    Zentu_Data ToData() const {
        return Zentu_Data{std::string(question),
                          std::string(answer),
                          std::string(hint),
                          std::string(rightResponse),
                          std::string(wrongResponse),
                          delimiter,
                          useHint,
                          confirmCorrect,
                          checkSpaces,
                          caseSensitive,
                          answerMethod};
    }
};

// Whether two questions are the same in every field; a value compares as its view.
bool operator==(const Zentu_View& a, const Zentu_View& b);
inline bool operator!=(const Zentu_View& a, const Zentu_View& b) { return !(a == b); }

// The answer checker: judges a typed answer against one question and composes the text
// shown after a wrong answer. Pure functions; nothing is shown or changed here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/zentu_data.h"

// The result of one check. `response` is empty when the answer is right.
struct Tcheckans {
    std::string response;
    bool correct = false;
};

// Counts of one comparison of the answer pieces A with the typed pieces B.
struct PieceCounts {
    std::size_t answerPieces = 0;  // nA
    std::size_t typedPieces = 0;   // nB
    // Both saturate at UINT64_MAX, a value no verdict can accept, so texts of any size
    // are judged without overflow.
    std::uint64_t matches = 0;
    std::uint64_t positionSum = 0;
    bool inOrder = false;
};

// The wrong-answer text never grows past this many bytes: a file can bring texts of any
// length, and a template full of placeholders multiplies them.
constexpr std::size_t kMaxResponseLength = std::size_t{1} << 20;

// The pieces of `text` under the question's delimiter and space rule.
std::vector<std::string> SplitAnswer(std::string_view text, const Zentu_Data& question);

// Same length and same characters; without case sensitivity A-Z and a-z match their
// other case, and nothing else is folded.
bool PiecesEqual(std::string_view a, std::string_view b, bool caseSensitive);

// Every typed piece against every answer piece. Runs in time linear in the texts, so a
// long file-borne text costs no more than reading it.
PieceCounts CountPieces(const std::vector<std::string>& answerPieces,
                        const std::vector<std::string>& typedPieces, bool caseSensitive);

// The verdict of the question's method; any value other than the four is never right.
bool IsRight(const PieceCounts& counts, AnswerMethod method);

// The text after a wrong answer: the question's own template or the standard one, with
// "<<CORRECT>>", "<<QUESTION>>" and "<<INPUT>>" filled in that order.
std::string WrongAnswerText(const Zentu_Data& question, std::string_view typed,
                            std::size_t answerPieces);

Tcheckans CheckAnswer(const Zentu_Data& question, std::string_view typed);

// Which elements of a question the listings show (one choice for the program run, shared
// by Print and Export), and the block of lines of one question.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/zentu_data.h"

// The elements in the order of the element dialog's check boxes and of their transfer.
enum class Element : std::size_t {
    Question,
    Answer,
    Hint,
    Delimiter,
    UseHint,
    ConfirmCorrect,
    CaseSensitive,
    AnswerFormat,
    CheckSpaces,
};
constexpr std::size_t kElementCount = 9;

// The check box of each element in the element dialog, in transfer order.
constexpr std::array<int, kElementCount> kElementCheckBoxIds = {5101, 3102, 103, 104, 105,
                                                                106,  107,  108, 101};

struct ElementSelection {
    // 1 ticked, 0 not; any other non-zero value counts as ticked.
    std::array<std::uint16_t, kElementCount> values{};

    bool Ticked(Element element) const { return values[static_cast<std::size_t>(element)] != 0; }
    void Set(Element element, bool ticked) {
        values[static_cast<std::size_t>(element)] = ticked ? 1 : 0;
    }
};

// The one selection of the program run: nothing ticked at start, never stored anywhere.
ElementSelection& ProgramElementSelection();

// The block of question `number` (from 1): the line "Question: " and the number, then one
// line per ticked element, each line ended by one LF. Texts go in as stored, so a text
// with line breaks runs over several lines. The block is never cut, however long.
std::string ComposeQuestionBlock(int number, const Zentu_View& record,
                                 const ElementSelection& selection);
// The same, appended to `out`, so a long listing is built without a string per block.
void AppendQuestionBlock(std::string& out, int number, const Zentu_View& record,
                         const ElementSelection& selection);

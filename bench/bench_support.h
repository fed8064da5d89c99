// What the core benchmarks share: a set of made-up questions, and a desktop that answers
// every request at once and shows nothing, so that a benchmark times the core alone.
#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "model/question_set.h"
#include "platform/platform.h"

// `count` questions of about the size a vocabulary or capitals file holds.
inline Question_Set MakeQuestionSet(std::size_t count) {
    Question_Set set;
    set.Reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        Zentu_Data question;
        question.question = "What is the capital of country number " + std::to_string(i) + "?";
        question.answer = "The capital of number " + std::to_string(i);
        question.hint = "Think of the map.";
        question.wrongResponse = "No, it is <<CORRECT>>.";
        set.Append(std::move(question));
    }
    return set;
}

class SilentPlatform : public Platform {
  public:
    MessageResult ShowMessage(MessageOwner, const std::string&, const std::string&, MessageButtons,
                              MessageIcon) override {
        return MessageResult::Ok;
    }
    bool RunOpenDialog(FileDialogData&) override { return false; }
    bool RunSaveDialog(FileDialogData&) override { return false; }
    bool RunFontDialog(LogFont&) override { return false; }
    bool RunInputDialog(const std::string&, const std::string&, std::string&) override {
        return false;
    }
    void RunInfoDialog(int) override {}
    void ShowHelpContents() override {}
    void SetMenuCheck(int, bool) override {}
    void SetCaption(const std::string&) override {}
    void SetWaitCursor(bool) override {}
    void Beep() override {}
};

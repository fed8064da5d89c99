// A scripted Platform for core tests: answers come from queues, and every call is
// logged, both in order (calls) and by kind, so a test can check what the user saw.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

class FakePlatform : public Platform {
  public:
    struct Message {
        MessageOwner owner;
        std::string text;
        std::string caption;
        MessageButtons buttons;
        MessageIcon icon;
    };
    // What the user picks in a file dialog; filterIndex 0 keeps the index as it was.
    struct FileChoice {
        std::string fileName;
        int filterIndex = 0;
    };

    // Answers, taken from the front. An empty queue means the user dismissed the
    // dialog: OK for an OK-only box, Cancel for any other box, and cancel for dialogs.
    std::deque<MessageResult> messageAnswers;
    std::deque<std::optional<FileChoice>> openAnswers;
    std::deque<std::optional<FileChoice>> saveAnswers;
    std::deque<std::optional<LogFont>> fontAnswers;
    std::deque<std::optional<std::string>> inputAnswers;

    // What was asked of the desktop.
    std::vector<std::string> calls;  // one line per call, in order
    std::vector<Message> messages;
    std::vector<FileDialogData> openRequests;  // the record as each dialog received it
    std::vector<FileDialogData> saveRequests;
    std::vector<LogFont> fontRequests;
    std::vector<std::pair<std::string, std::string>> inputRequests;  // title, prompt
    std::vector<int> infoDialogs;
    int helpShown = 0;
    std::vector<std::pair<int, bool>> menuChecks;
    std::vector<std::string> captions;
    std::vector<bool> waitCursor;
    int beeps = 0;

    MessageResult ShowMessage(MessageOwner owner, const std::string& text,
                              const std::string& caption, MessageButtons buttons,
                              MessageIcon icon) override {
        calls.push_back("ShowMessage " + caption);
        messages.push_back({owner, text, caption, buttons, icon});
        if (messageAnswers.empty()) {
            return buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
        }
        const MessageResult answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }

    bool RunOpenDialog(FileDialogData& data) override {
        calls.push_back("RunOpenDialog");
        openRequests.push_back(data);
        return Choose(openAnswers, data);
    }

    bool RunSaveDialog(FileDialogData& data) override {
        calls.push_back("RunSaveDialog");
        saveRequests.push_back(data);
        return Choose(saveAnswers, data);
    }

    bool RunFontDialog(LogFont& font) override {
        calls.push_back("RunFontDialog");
        fontRequests.push_back(font);
        const std::optional<LogFont> answer = Take(fontAnswers);
        if (answer) font = *answer;
        return answer.has_value();
    }

    bool RunInputDialog(const std::string& title, const std::string& prompt,
                        std::string& text) override {
        calls.push_back("RunInputDialog " + title);
        inputRequests.emplace_back(title, prompt);
        const std::optional<std::string> answer = Take(inputAnswers);
        if (answer) text = *answer;
        return answer.has_value();
    }

    void RunInfoDialog(int resourceId) override {
        calls.push_back("RunInfoDialog " + std::to_string(resourceId));
        infoDialogs.push_back(resourceId);
    }

    void ShowHelpContents() override {
        calls.push_back("ShowHelpContents");
        ++helpShown;
    }

    void SetMenuCheck(int commandId, bool checked) override {
        calls.push_back("SetMenuCheck " + std::to_string(commandId) + (checked ? " on" : " off"));
        menuChecks.emplace_back(commandId, checked);
    }

    void SetCaption(const std::string& caption) override {
        calls.push_back("SetCaption " + caption);
        captions.push_back(caption);
    }

    void SetWaitCursor(bool wait) override {
        calls.push_back(wait ? "SetWaitCursor on" : "SetWaitCursor off");
        waitCursor.push_back(wait);
    }

    void Beep() override {
        calls.push_back("Beep");
        ++beeps;
    }

  private:
    template <typename T>
    static std::optional<T> Take(std::deque<std::optional<T>>& queue) {
        if (queue.empty()) return std::nullopt;
        std::optional<T> answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }

    static bool Choose(std::deque<std::optional<FileChoice>>& queue, FileDialogData& data) {
        const std::optional<FileChoice> choice = Take(queue);
        if (!choice) return false;
        data.fileName = choice->fileName;
        if (choice->filterIndex != 0) data.filterIndex = choice->filterIndex;
        return true;
    }
};

// A desktop that answers every request at once and shows nothing, so that a benchmark
// times the core alone.
#pragma once

#include <string>

#include "platform/platform.h"

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

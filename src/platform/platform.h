// What the program asks of the desktop. The core sees the outside world only through
// this interface; the Qt side lives in framework/, tests use scripted fakes.
#pragma once

#include <string>

#include "model/log_font.h"

// Who owns a message box: the window in front (the main window or the dialog that
// shows it), or no window at all.
enum class MessageOwner { None, Window };
enum class MessageButtons { Ok, OkCancel, YesNoCancel };
enum class MessageIcon { None, Exclamation, Question, Information };
enum class MessageResult { Ok, Yes, No, Cancel };

// Flags of the file dialogs, as the classic common dialogs name them.
constexpr unsigned kOfnOverwritePrompt = 0x00000002;
constexpr unsigned kOfnHideReadOnly = 0x00000004;
constexpr unsigned kOfnFileMustExist = 0x00001000;

// The one settings record that the Open and Save As dialogs share.
struct FileDialogData {
    std::string fileName;  // the full path of the current file
    unsigned flags = kOfnFileMustExist | kOfnHideReadOnly | kOfnOverwritePrompt;
    std::string filter;      // "label|pattern|label|pattern|"
    int filterIndex = 2;     // 1-based entry chosen last; the format number of the next write
    std::string initialDir;  // empty: the desktop's choice
    std::string defaultExt;  // appended to a name typed without an extension
};

class Platform {
  public:
    virtual ~Platform() = default;

    virtual MessageResult ShowMessage(MessageOwner owner, const std::string& text,
                                      const std::string& caption, MessageButtons buttons,
                                      MessageIcon icon) = 0;
    // True on OK; `data` is then updated with the chosen path and filter index.
    virtual bool RunOpenDialog(FileDialogData& data) = 0;
    virtual bool RunSaveDialog(FileDialogData& data) = 0;
    // True on OK; `font` then holds the chosen font.
    virtual bool RunFontDialog(LogFont& font) = 0;
    // A dialog with a title, a prompt and one text box; true on OK.
    virtual bool RunInputDialog(const std::string& title, const std::string& prompt,
                                std::string& text) = 0;
    // A modal dialog built from a layout resource that closes with its one button.
    virtual void RunInfoDialog(int resourceId) = 0;
    virtual void ShowHelpContents() = 0;
    virtual void SetMenuCheck(int commandId, bool checked) = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetWaitCursor(bool wait) = 0;
    virtual void Beep() = 0;
};

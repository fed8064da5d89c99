// The "Question Editor" dialog: one question's question and answer boxes over the
// editor's buffer, and the commands that end it with a code for the editor loop.
#pragma once

#include <cstddef>
#include <functional>

#include "editor/edit_buffer.h"
#include "editor/edit_loop.h"
#include "editor/st_dialog.h"
#include "model/log_font.h"

class Platform;

enum EditorControl : int {
    kEdQuestionBox = 403,
    kEdAnswerBox = 404,
    kEdPrevButton = 99,
    kEdNextButton = 98,
    kEdDeleteButton = 97,
};

// The menu's commands (menu 891) that have no button of their own.
enum EditorMenuCommand : int {
    kEdMenuPrev = 11845,
    kEdMenuNext = 11846,
    kEdMenuDelete = 11844,
    kEdMenuAdvanced = 11847,
};

class editdialog : public STDialog {
    Q_OBJECT
  public:
    // Shows `buffer`'s question and answer in `displayFont`; `position` is the number shown
    // (Prev refuses to leave number 1). The buffer is the only thing the dialog changes.
    editdialog(QWidget* owner, int resourceId, std::size_t position, bool isNew,
               const LogFont& displayFont, EditBuffer& buffer, Platform& platform);

    std::size_t Position() const { return position; }
    bool IsNew() const { return isNew; }

    // A character from the map goes into the question or the answer box, whichever had the
    // focus when the map opened, in place of its selection; elsewhere it goes nowhere.
    void InsertChar(unsigned char c) override;

  private:
    // The boxes into the buffer (those the user changed), then the dialog ends with `code`.
    // Copies the question and answer boxes into the buffer, where the user changed them.
    void TakeBoxes();
    void Leave(int code);
    void Prev();

    std::size_t position;
    bool isNew;
    EditBuffer& buffer;
    Platform& platform;
};

// The editor loop's screens as Qt dialogs, owned by the main window.
class EditDialogScreens : public EditorScreens {
  public:
    // `displayFont` is asked afresh for each dialog, as Font may change it between runs.
    EditDialogScreens(QWidget* owner, std::function<LogFont()> displayFont, Platform& platform)
        : owner(owner), displayFont(std::move(displayFont)), platform(platform) {}

    int ShowQuestion(std::size_t position, bool isNew, const std::string& title,
                     EditBuffer& buffer) override;

  private:
    QWidget* owner;
    std::function<LogFont()> displayFont;
    Platform& platform;
};

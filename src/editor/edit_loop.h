// The question editor's loop, without windows: it shows one question at a time through
// EditorScreens, stores the shown question on every exit but Cancel, and moves, inserts,
// deletes or moves a question as the exit asks. It works in place on the set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "editor/edit_buffer.h"
#include "model/question_set.h"
#include "platform/platform.h"

// The codes with which the Question Editor dialog ends. Any code not listed ends the loop
// as OK does.
enum EditorExit : int {
    kEditOk = 1,
    kEditCancel = 2,
    kEditDelete = 97,
    kEditNext = 98,
    kEditPrev = 99,
    kEditMove = 11842,
    kEditInsert = 11843,
    kEditLast = 11848,
    kEditFirst = 11849,
};

// The dialog side of the loop: the Qt dialog, or a scripted one in tests.
class EditorScreens {
  public:
    virtual ~EditorScreens() = default;
    // Shows position `position` (from 1) with `title` over `buffer` until the user leaves
    // it; returns the exit code. `isNew` is true when the position is past the set's end.
    virtual int ShowQuestion(std::size_t position, bool isNew, const std::string& title,
                             EditBuffer& buffer) = 0;
};

// "Question Editor-question number 5", with " - new" for a question not yet in the set.
std::string EditorTitle(std::size_t position, bool isNew);

// The Move prompt's text read as a number: white space, one optional sign, then the
// digits up to the first other character; no digits read as 0. A number too large for
// 64 bits stays at the largest value of its sign, so it is still past the end (or below 1).
std::int64_t ReadMoveNumber(const std::string& text);

class EditLoop {
  public:
    // `markChanged` is called at every commit; it sets the main window's
    // questionsChanged flag.
    EditLoop(Question_Set& set, EditBuffer& buffer, EditorScreens& screens, Platform& platform,
             std::function<void()> markChanged);

    // From the last question, or a new question 1 on an empty set, until OK or Cancel.
    void Run();
    // The same from question `start` (from 1; past the end it is a new question at the
    // end), as when the list opens the editor at the question chosen there.
    void RunFrom(std::size_t start);
    // The position shown last, where the editor ended.
    std::size_t Position() const { return position; }

  private:
    void PrepareBuffer(bool blank);
    void Commit();
    // Acts on an exit after its commit; false when the loop ends.
    bool Act(int exit);
    void Move();

    Question_Set& set;
    EditBuffer& buffer;
    EditorScreens& screens;
    Platform& platform;
    std::function<void()> markChanged;
    std::size_t position = 0;
};

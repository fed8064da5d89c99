// The main window's state and the decisions of its commands, without any window: the
// question set, the current file with the file dialogs' settings, the display font and
// the flags. The Qt main window (zentuwin) forwards its menu commands here; everything
// it shows goes through Platform.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "model/log_font.h"
#include "model/question_set.h"
#include "platform/command_table.h"
#include "platform/platform.h"
#include "quiz/question_asker.h"

// Command ids of the main window's menu (resource 890).
enum MainCommand : int {
    kCmNew = 108,
    kCmOpen = 8103,
    kCmSave = 104,
    kCmSaveAs = 105,
    kCmExport = 11842,
    kCmPrint = 4102,
    kCmPrinterSetup = 4101,
    kCmExit = 106,  // handled by the application object
    kCmEdit = 203,
    kCmGradedQuiz = 2073,
    kCmRandomTest = 2093,
    kCmFont = 11843,
    kCmReverse = 107,
    kCmHelpContents = 24346,
    kCmAbout = 24347,

    // Printing beside the menu's own items.
    kCmPrintPreview = 30031,
};

constexpr int kAboutDialogId = 1321;
constexpr const char* kProgramTitle = "Zentu Program 1.02";

class MainWindowState {
  public:
    explicit MainWindowState(Platform& platform);

    // Start-up: with a file name, reads it as Open does (a failure message has no
    // owner, as no window exists yet) and makes it the current file.
    void Start(const std::optional<std::string>& startupFile);

    // The command table: each id is bound once. Later subsystems bind theirs (Edit,
    // the runs, Print, Export) through Bind; an id bound twice is refused (false).
    bool Bind(int commandId, std::function<void()> handler);
    bool Handles(int commandId) const;
    // Runs the handler of `commandId`; false when no handler is bound.
    bool Dispatch(int commandId);

    // The close query: true when the window may close. Refused without asking while
    // the set is in use.
    bool CanClose();

    // While a run or the editor works on the set, the commands that could change or
    // replace it are refused: New, Open, Edit, both runs, and Exit or closing the window,
    // which would destroy the set under them. Handles() says no for them, so their menu
    // items show disabled, and Dispatch() does not run them. Guards nest.
    class BusyGuard {
      public:
        explicit BusyGuard(MainWindowState& state) : state(state) { ++state.busyDepth; }
        ~BusyGuard() { --state.busyDepth; }
        BusyGuard(const BusyGuard&) = delete;
        BusyGuard& operator=(const BusyGuard&) = delete;

      private:
        MainWindowState& state;
    };
    bool Busy() const { return busyDepth > 0; }
    // True for a command that is refused now.
    bool Refuses(int commandId) const;

    std::string Caption() const;

    // New's last step starts the editor once the editor exists.
    void SetEditorStarter(std::function<void()> starter);

    // Binds Graded Quiz and Random Test, which ask through `asker` (it must outlive this
    // state). Each run keeps the set in use until it ends.
    void SetQuestionAsker(QuestionAsker& asker);

    // For the editor, the only code that changes questions.
    void SetQuestionsChanged() { questionsChanged = true; }

    Question_Set& Questions() { return questions; }
    const Question_Set& Questions() const { return questions; }
    const FileDialogData& FileDialog() const { return fileDialogData; }
    const LogFont& DisplayFont() const { return displayFont; }
    bool Untitled() const { return untitled; }
    bool QuestionsChanged() const { return questionsChanged; }
    bool Reversed() const { return reversed; }
    bool FontChosen() const { return fontChosen; }
    // True when the current file exists but was not read; Save then asks for a name
    // rather than replacing bytes the user never saw.
    bool SaveNeedsName() const { return untitled || currentFileUnread; }

  private:
    void New();
    void Open();
    bool Save();
    bool SaveAs();
    void ChooseFont();
    void ToggleReverse();
    void ReadCurrentFile(MessageOwner owner);
    bool WriteCurrentFile();
    void UpdateCaption();

    Platform& platform;
    CommandTable commands;
    std::function<void()> editorStarter;

    bool untitled = true;
    bool questionsChanged = false;
    bool reversed = false;
    bool fontChosen = false;
    bool currentFileUnread = false;
    int busyDepth = 0;
    Question_Set questions;
    FileDialogData fileDialogData;
    LogFont displayFont;
};

// The main window's state and the decisions of its commands, without any window: the
// question set, the current file with the file dialogs' settings, the display font and
// the flags. The Qt main window (zentuwin) forwards its menu commands here; everything
// it shows goes through Platform.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "exchange/exchange_commands.h"
#include "model/log_font.h"
#include "model/question_file.h"
#include "model/question_set.h"
#include "platform/command_table.h"
#include "platform/platform.h"
#include "quiz/mistakes.h"
#include "quiz/question_asker.h"
#include "quiz/quiz_runs.h"

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
    // The question list: its search, a Graded Quiz over the matches, and showing it.
    kCmFind = 30011,
    kCmQuizOnMatches = 30012,
    kCmQuestionList = 30013,
    // Explaining wrong answers: a setting of the Tools menu, on or off.
    kCmExplainWrongAnswers = 30021,
    // Importing and exporting delimited text.
    kCmImport = 30001,
    kCmExportTable = 30002,
    // Printing beside the menu's own items.
    kCmPrintPreview = 30031,
};

// What changed in the state, for views that show it.
enum class StateChange {
    Questions,  // the set was read, cleared, replaced or edited
    Reversed,   // Reverse Q/A was toggled
    Font,       // the display font changed
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
    // Where a Graded Quiz lists its mistakes and offers to repeat them (it must outlive
    // this state); without one, the quiz ends with its totals.
    void SetMistakesScreen(MistakesScreen& screen) { mistakesScreen = &screen; }
    // After a Graded Quiz (of the set or of a search's matches) that ran to its end: the
    // mistakes window, when the quiz had wrong answers and a screen is set.
    void AfterGradedQuiz(RunEnd end, const std::vector<Zentu_Data>& missed, QuestionAsker& asker);

    // Binds Import and Export as Table; Import asks through `ui` (it must outlive this
    // state). An import replaces the set as Open does and leaves it untitled.
    void SetTableImportUi(TableImportUi& ui);

    // Whether a wrong answer's box says why; shown as the check mark of its menu item.
    bool ExplainWrongAnswers() const { return explainWrongAnswers; }
    void SetExplainWrongAnswers(bool on);

    // For the editor, the only code that changes questions: each store marks the
    // questions changed and tells the listeners.
    void SetQuestionsChanged();

    // `listener` hears of every change of the set, of Reverse Q/A and of the font, after
    // it happened, from Changed alone.
    void AddChangeListener(std::function<void(StateChange)> listener);

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
    void ShowReadDamage(MessageOwner owner, const ReadReport& report);
    void Import(TableImportUi& ui);
    // The one place where the set is replaced as a whole: New, Open and Import.
    void InstallQuestions(Question_Set&& replacement);
    bool WriteCurrentFile();
    void UpdateCaption();
    // Tells the listeners. Whatever reads, clears, replaces or edits the set ends here with
    // StateChange::Questions, so a view never shows a set that is gone.
    void Changed(StateChange change);

    Platform& platform;
    CommandTable commands;
    std::function<void()> editorStarter;
    std::vector<std::function<void(StateChange)>> changeListeners;
    MistakesScreen* mistakesScreen = nullptr;

    bool untitled = true;
    bool questionsChanged = false;
    bool reversed = false;
    bool fontChosen = false;
    bool currentFileUnread = false;
    bool explainWrongAnswers = true;
    int busyDepth = 0;
    Question_Set questions;
    FileDialogData fileDialogData;
    LogFont displayFont;
    FileDialogData importDialogData = ImportDialogData();
    FileDialogData tableDialogData = TableExportDialogData();
    ImportOptions importOptions;
};

#include "app/main_window_state.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "model/question_file.h"
#include "model/text_helpers.h"
#include "quiz/quiz_runs.h"
#include "res/string_table.h"

namespace {

// The version error has fixed texts of its own, not string-table entries.
constexpr const char* kUnreadableVersionText = "Unable to read this file version";
constexpr const char* kUnreadableVersionCaption = "Error";

bool PathExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() !=
           std::filesystem::file_type::not_found;
}

}  // namespace

MainWindowState::MainWindowState(Platform& platform)
    : platform(platform), displayFont(StartupDisplayFont()) {
    fileDialogData.filter = LoadString(kStrFileFilter);
    fileDialogData.defaultExt = LoadString(kStrDefaultExt);
    fileDialogData.filterIndex = kFormatVersion11;

    Bind(kCmNew, [this] { New(); });
    Bind(kCmOpen, [this] { Open(); });
    Bind(kCmSave, [this] { Save(); });
    Bind(kCmSaveAs, [this] { SaveAs(); });
    Bind(kCmFont, [this] { ChooseFont(); });
    Bind(kCmReverse, [this] { ToggleReverse(); });
    Bind(kCmHelpContents, [this] { this->platform.ShowHelpContents(); });
    Bind(kCmAbout, [this] { this->platform.RunInfoDialog(kAboutDialogId); });
}

void MainWindowState::Start(const std::optional<std::string>& startupFile) {
    if (startupFile) {
        // The name is kept whole: cutting a long path would open some other file.
        fileDialogData.fileName = *startupFile;
        ReadCurrentFile(MessageOwner::None);
    }
    UpdateCaption();
}

bool MainWindowState::Bind(int commandId, std::function<void()> handler) {
    return commands.Bind(commandId, std::move(handler));
}

bool MainWindowState::Handles(int commandId) const {
    return !Refuses(commandId) && commands.Handles(commandId);
}

bool MainWindowState::Dispatch(int commandId) {
    return !Refuses(commandId) && commands.Dispatch(commandId);
}

bool MainWindowState::Refuses(int commandId) const {
    if (!Busy()) return false;
    switch (commandId) {
        case kCmNew:
        case kCmOpen:
        case kCmEdit:
        case kCmFind:
        case kCmQuizOnMatches:
        case kCmGradedQuiz:
        case kCmRandomTest:
        case kCmExit:
        case kCmImport:
            return true;
        default:
            return false;
    }
}

void MainWindowState::SetEditorStarter(std::function<void()> starter) {
    editorStarter = std::move(starter);
}

void MainWindowState::SetQuestionAsker(QuestionAsker& asker) {
    Bind(kCmGradedQuiz, [this, &asker] {
        const BusyGuard busy(*this);
        std::vector<Zentu_Data> missed;
        AfterGradedQuiz(RunGradedQuiz(questions, asker, platform, &missed), missed, asker);
    });
    Bind(kCmRandomTest, [this, &asker] {
        const BusyGuard busy(*this);
        RunRandomTest(questions, asker, platform);
    });
}

void MainWindowState::AfterGradedQuiz(RunEnd end, const std::vector<Zentu_Data>& missed,
                                      QuestionAsker& asker) {
    if (end == RunEnd::Finished && mistakesScreen != nullptr) {
        OfferMistakes(missed, reversed, *mistakesScreen, asker, platform, ProgramRandom());
    }
}

void MainWindowState::SetQuestionsChanged() {
    questionsChanged = true;
    Changed(StateChange::Questions);
}

void MainWindowState::AddChangeListener(std::function<void(StateChange)> listener) {
    changeListeners.push_back(std::move(listener));
}

void MainWindowState::Changed(StateChange change) {
    for (const auto& listener : changeListeners) listener(change);
}

void MainWindowState::SetExplainWrongAnswers(bool on) {
    explainWrongAnswers = on;
    platform.SetMenuCheck(kCmExplainWrongAnswers, on);
}

void MainWindowState::SetTableImportUi(TableImportUi& ui) {
    Bind(kCmImport, [this, &ui] { Import(ui); });
    Bind(kCmExportTable, [this] {
        RunTableExport(platform, tableDialogData, questions, fontChosen ? &displayFont : nullptr);
    });
}

void MainWindowState::Import(TableImportUi& ui) {
    if (!CanClose()) return;
    ImportedTable table;
    table.font = displayFont;
    if (!RunImport(platform, ui, importDialogData, importOptions, table)) return;
    InstallQuestions(std::move(table.questions));
    if (table.fontRead) {
        displayFont = table.font;
        fontChosen = true;
        Changed(StateChange::Font);
    }
    // The questions belong to no question file yet: Save asks for a name.
    untitled = true;
    questionsChanged = false;
    currentFileUnread = false;
    UpdateCaption();
}

void MainWindowState::InstallQuestions(Question_Set&& replacement) {
    questions = std::move(replacement);
    Changed(StateChange::Questions);
}

bool MainWindowState::CanClose() {
    if (Busy()) return false;
    if (!questionsChanged) return true;
    switch (platform.ShowMessage(MessageOwner::Window, LoadString(kStrSaveQuery),
                                 LoadString(kStrSaveQueryCaption), MessageButtons::YesNoCancel,
                                 MessageIcon::Question)) {
        case MessageResult::Yes:
            // Only a save that worked may let the edits go.
            return Save();
        case MessageResult::No:
            return true;
        default:
            return false;
    }
}

std::string MainWindowState::Caption() const {
    std::string caption = kProgramTitle;
    if (!untitled) caption += " - " + fileDialogData.fileName;
    return caption;
}

void MainWindowState::New() {
    if (!CanClose()) return;
    InstallQuestions(Question_Set());
    untitled = true;
    questionsChanged = false;
    currentFileUnread = false;
    UpdateCaption();
    if (editorStarter) editorStarter();
}

void MainWindowState::Open() {
    if (!CanClose()) return;
    if (platform.RunOpenDialog(fileDialogData)) ReadCurrentFile(MessageOwner::Window);
    UpdateCaption();
}

bool MainWindowState::Save() {
    if (SaveNeedsName()) return SaveAs();
    return WriteCurrentFile();
}

bool MainWindowState::SaveAs() {
    if (untitled) fileDialogData.fileName.clear();
    const bool saved = platform.RunSaveDialog(fileDialogData) && WriteCurrentFile();
    UpdateCaption();
    return saved;
}

void MainWindowState::ChooseFont() {
    LogFont chosen = displayFont;
    if (!platform.RunFontDialog(chosen)) return;
    displayFont = chosen;
    fontChosen = true;
    Changed(StateChange::Font);
}

void MainWindowState::ToggleReverse() {
    reversed = !reversed;
    platform.SetMenuCheck(kCmReverse, reversed);
    Changed(StateChange::Reversed);
}

void MainWindowState::ReadCurrentFile(MessageOwner owner) {
    LogFont font = displayFont;
    bool fontRead = false;
    const std::string& path = fileDialogData.fileName;
    int formatNumber = 0;
    ReadReport report;
    Question_Set read;
    const ReadOutcome outcome =
        ReadQuestionFile(path, read, font, fontRead, &formatNumber, &report);
    // After OpenFailed the set stays as it was (the views look again all the same); an
    // unreadable version leaves it empty.
    if (outcome != ReadOutcome::OpenFailed) {
        InstallQuestions(std::move(read));
    } else {
        Changed(StateChange::Questions);
    }
    switch (outcome) {
        case ReadOutcome::Loaded:
            // A later format, or damaged data, reads as empty questions: saving them over
            // the file would destroy what a recovery tool could still read.
            currentFileUnread = !IsKnownFormat(formatNumber) || report.Damaged();
            if (report.Damaged()) ShowReadDamage(owner, report);
            break;
        case ReadOutcome::OpenFailed:
            // A name that does not exist yet is a new file that Save may create; one
            // that exists but could not be read must not be overwritten unasked.
            currentFileUnread = PathExists(path);
            platform.ShowMessage(owner, LoadString(kStrUnableToOpen), LoadString(kStrFileError),
                                 MessageButtons::Ok, MessageIcon::Exclamation);
            break;
        case ReadOutcome::UnreadableVersion:
            currentFileUnread = true;
            platform.ShowMessage(owner, kUnreadableVersionText, kUnreadableVersionCaption,
                                 MessageButtons::Ok, MessageIcon::None);
            break;
    }
    if (fontRead) {
        displayFont = font;
        fontChosen = true;
    }
    untitled = false;
    questionsChanged = false;
    if (fontRead) Changed(StateChange::Font);
}

void MainWindowState::ShowReadDamage(MessageOwner owner, const ReadReport& report) {
    std::string text;
    if (report.questionsNotRead > 0) {
        text = ReplaceAll(LoadString(kStrQuestionsNotRead), "%i",
                          std::to_string(report.questionsNotRead));
    }
    if (report.countNotTaken) {
        if (!text.empty()) text += "\n\n";
        text += LoadString(kStrCountNotTaken);
    }
    platform.ShowMessage(owner, text, LoadString(kStrFileError), MessageButtons::Ok,
                         MessageIcon::Exclamation);
}

bool MainWindowState::WriteCurrentFile() {
    std::vector<std::string> recovered;
    const bool written =
        WriteQuestionFile(fileDialogData.fileName, questions, fileDialogData.filterIndex,
                          fontChosen ? &displayFont : nullptr, &recovered);
    if (!recovered.empty()) {
        // Told once: the copies now carry names of their own, which no later save takes.
        std::string text = LoadString(kStrSaveRecovered);
        for (const std::string& file : recovered) text += "\n" + file;
        platform.ShowMessage(MessageOwner::Window, text, LoadString(kStrSaveRecoveredCaption),
                             MessageButtons::Ok, MessageIcon::Information);
    }
    if (!written) {
        platform.ShowMessage(MessageOwner::Window, LoadString(kStrUnableToSave),
                             LoadString(kStrFileError), MessageButtons::Ok,
                             MessageIcon::Exclamation);
        return false;
    }
    untitled = false;
    questionsChanged = false;
    currentFileUnread = false;
    return true;
}

void MainWindowState::UpdateCaption() { platform.SetCaption(Caption()); }

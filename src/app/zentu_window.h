// The main window of the drill program, and the map of how the program hangs together.
//
//  - main.cpp remembers the optional file name and runs the application object, `zentu`,
//    which owns the desktop services (QtPlatform) and the one main window, and handles
//    Exit itself.
//  - `zentuwin` is the main window: a frame with the caption, the menu bar built from
//    menu 890 and the icon. It owns the core model, MainWindowState, which owns the
//    question set, the current file with the file dialogs' settings, the display font and
//    the flags. The window keeps no state of its own.
//  - A menu command travels a route: first MainWindowState's command table (New, Open,
//    Save, Save As, Font, Reverse Q/A, Contents, About, Edit, Graded Quiz and Random
//    Test, and whatever later subsystems bind there: Print, Export), then the application's
//    (Exit). An item is enabled only while a stop on the route handles its id, so
//    commands not yet built show disabled.
//  - The runs ask each question through DialogQuestionAsker (quiz/), which shows the
//    question dialog `testdial` and its responses. While a run is under way the state is
//    busy: the commands that could change or replace the set, Exit and closing the
//    window among them, are refused until it ends.
//  - Everything the commands show (message boxes, file and font dialogs, the About box,
//    the help window, the caption, the check mark of Reverse Q/A) goes through Platform,
//    so the decisions are tested without a window (tests/app).
//  - Edit and New run the question editor (editor/): EditLoop over the set, through
//    Question Editor dialogs made by EditDialogScreens. The window keeps the editor's
//    buffer, which lives as long as the program, so new questions inherit across runs.
//    The editor keeps the state busy as a run does.
//  - Print and Export (output/) show the element dialog printdial over the one
//    ElementSelection of the run, then print every question's block through TTextPrinter,
//    or write the blocks to a text file.
//  - Printer Setup, Print Preview and print jobs (output/): QtPrinterSetup keeps the printer,
//    paper and copies chosen for the run and makes the device of each job (else the default
//    printer's); a job is a PDF handed to CUPS once whole, named after the file, with
//    QtPrintProgress showing page n of m and Cancel for a long one; Print Preview shows
//    PrintPreviewWindow over the pages of a dry run and prints from there.
//  - The client area is the question list (list/): QuestionListWindow shows the set as a
//    table through QtQuestionModel, which reads the rows from the set on demand, with a
//    search field (Find) whose QuestionFilter runs in short slices. The window hears of
//    every change of the set, of Reverse Q/A and of the font through MainWindowState's
//    change listener. Enter on a row runs Edit from that question; Quiz on Matches runs
//    the Graded Quiz over the rows found. View > Question List shows or hides the list,
//    remembered in the settings (View/QuestionList).
//  - Learning from mistakes (quiz/): each question dialog's caption says where the run is;
//    with Tools > Explain Wrong Answers on (a QSettings bool, read and written here only,
//    handed to the asker as a plain value) a wrong answer's box also says why, from
//    ExplainWrongAnswer; a Graded Quiz with wrong answers ends in the mistakes window
//    (QtMistakesScreen), whose Repeat Mistakes runs a Random Test over just those.
//  - Import and Export as Table (exchange/) read and write the set as delimited text.
//    Import asks through DialogTableImportUi (the options dialog and the report box),
//    then MainWindowState installs the questions where Open installs a file's, untitled.
//  - Closing, by Exit or by the window's close button, passes through the close query
//    MainWindowState::CanClose, which offers to save changed questions.
//  - Damaged files and interrupted saves: the reader's ReadReport (model/) tells Open of
//    questions it had to make up, and the state then warns and makes Save ask for a
//    name; every save first keeps the copies that killed saves left beside the file as
//    recovered files (WriteFileAtomically), and the state names them once.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/main_window_state.h"
#include "editor/edit_buffer.h"
#include "exchange/import_dialog.h"
#include "output/print_commands.h"
#include "platform/command_table.h"
#include "quiz/ask_question.h"
#include "quiz/mistakes_dialog.h"
#include "quiz/question_dialog.h"

class CommandMenu;
class EditDialogScreens;
class PrintDevice;
class QtPlatform;
class QuestionListWindow;
class QtPrinterSetup;

class zentuwin : public QMainWindow {
    Q_OBJECT
  public:
    // `application` is the application's command table, the last stop of every route.
    zentuwin(QtPlatform& platform, const CommandTable& application, QWidget* parent = nullptr);
    ~zentuwin() override;

    // Reads the start-up file, if any, and sets the caption.
    void Start(const std::optional<std::string>& startupFile);

    MainWindowState& State() { return state; }
    CommandMenu* Menu() const { return menu; }
    QuestionListWindow* List() const { return list; }
    // Where Print prints: the printer chosen in Printer Setup, else the system's default
    // printer, unless a test says otherwise.
    using PrintDeviceFactory = std::function<std::unique_ptr<PrintDevice>()>;
    void SetPrintDeviceFactory(PrintDeviceFactory factory) { printDevice = std::move(factory); }
    QtPrinterSetup& PrinterSetup() { return *printerSetup; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The editor loop over the set, from the last question, or from the one the list
    // asked for.
    void RunEditor();
    void BindListCommands();
    // Shows or hides the list and remembers the choice for the next start.
    void ShowList(bool shown);
    void Print();
    void Export();
    // Explain Wrong Answers: the setting as last chosen, and its toggle.
    void BindExplainWrongAnswers();
    void PrintPreview();
    PrintJob Job(PrintProgress& progress) const;

    QtPlatform& platform;
    MainWindowState state;
    QtQuestionScreen questionScreen;
    DialogQuestionAsker asker;
    QtMistakesScreen mistakesScreen;
    DialogTableImportUi tableImportUi;
    CommandMenu* menu = nullptr;
    EditBuffer editBuffer;
    std::unique_ptr<EditDialogScreens> editorScreens;
    std::unique_ptr<QtPrinterSetup> printerSetup;
    PrintDeviceFactory printDevice;
    QuestionListWindow* list = nullptr;
    std::size_t editorStart = 0;  // 0: from the last question
};

// The application object: the desktop services, the main window, and the Exit command.
class zentu {
  public:
    zentu();
    ~zentu();
    zentu(const zentu&) = delete;
    zentu& operator=(const zentu&) = delete;

    // Creates and shows the main window, then runs the message loop until it closes.
    int Run(const std::optional<std::string>& startupFile);
    // The main window, once Run or CreateMainWindow has made it.
    zentuwin* MainWindow() const { return window; }
    zentuwin* CreateMainWindow(const std::optional<std::string>& startupFile);
    QtPlatform& Platform() { return *platform; }

  private:
    std::unique_ptr<QtPlatform> platform;
    CommandTable commands;
    zentuwin* window = nullptr;
};

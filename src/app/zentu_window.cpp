#include "app/zentu_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeySequence>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <algorithm>

#include "editor/edit_dialog.h"
#include "editor/edit_loop.h"
#include "framework/command_menu.h"
#include "framework/font_mapping.h"
#include "framework/qt_platform.h"
#include "list/question_list_window.h"
#include "list/quiz_on_matches.h"
#include "output/print_commands.h"
#include "output/print_dialog.h"
#include "output/print_preview_window.h"
#include "output/qt_print_device.h"
#include "output/qt_printer_setup.h"

// Resources compiled into a static library must be registered from the global namespace.
static void InitIconResource() { Q_INIT_RESOURCE(icons); }

namespace {

constexpr int kMainMenuId = 890;
constexpr const char* kQuestionListKey = "View/QuestionList";
// On by default; remembered across runs.
const QString kExplainKey = QStringLiteral("Quiz/ExplainWrongAnswers");

// The window needs the small sizes only (title bar, task switcher); larger ones come from
// the installed icon theme. Each file costs a decode at start-up.
QIcon ProgramIcon() {
    InitIconResource();
    QIcon icon;
    for (int size : {16, 32, 48}) {
        icon.addFile(QStringLiteral(":/icons/zentu-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace

zentuwin::zentuwin(QtPlatform& platform, const CommandTable& application, QWidget* parent)
    : QMainWindow(parent),
      platform(platform),
      state(platform),
      questionScreen(this, platform, [this] { return state.DisplayFont(); }),
      asker(
          questionScreen, platform, [this] { return state.Reversed(); },
          [this] { return state.ExplainWrongAnswers(); }),
      mistakesScreen(this),
      tableImportUi(this),
      editorScreens(std::make_unique<EditDialogScreens>(
          this, [this] { return state.DisplayFont(); }, platform)),
      printerSetup(std::make_unique<QtPrinterSetup>()),
      printDevice([this] { return printerSetup->MakeDevice(); }) {
    setWindowTitle(QString::fromLatin1(kProgramTitle));
    // Room for the list's four columns, within the screen at any scale.
    const QSize available = screen()->availableGeometry().size() * 9 / 10;
    resize(QSize(760, 480).boundedTo(available));

    state.Bind(kCmEdit, [this] { RunEditor(); });
    state.SetEditorStarter([this] { RunEditor(); });
    state.SetQuestionAsker(asker);
    state.Bind(kCmPrint, [this] { Print(); });
    state.Bind(kCmExport, [this] { Export(); });
    BindExplainWrongAnswers();
    // Import and Export as Table.
    state.SetTableImportUi(tableImportUi);

    // Printer Setup and Print Preview.
    state.Bind(kCmPrinterSetup, [this] { printerSetup->Run(this); });
    state.Bind(kCmPrintPreview, [this] { PrintPreview(); });

    CommandRoute route;
    route.Add([this](int id) { return state.Handles(id); },
              [this](int id) { return state.Dispatch(id); });
    // Exit is the application's, but it too waits while the set is in use.
    route.Add(
        [this, &application](int id) { return !state.Refuses(id) && application.Handles(id); },
        [&application](int id) { return application.Dispatch(id); });
    menu = CommandMenu::Build(menuBar(), kMainMenuId, route);

    platform.SetMainWindow(this);
    platform.SetMenu(menu);
    BindListCommands();
    // Read once the menu is there to show its check mark.
    state.SetExplainWrongAnswers(QSettings().value(kExplainKey, true).toBool());
}

void zentuwin::BindListCommands() {
    list = new QuestionListWindow(state.Questions(), this);
    list->SetDisplayFont(FontFromLogFont(state.DisplayFont()));
    setCentralWidget(list);
    state.AddChangeListener([this](StateChange change) {
        switch (change) {
            case StateChange::Questions:
                list->SetChanged();
                break;
            case StateChange::Reversed:
                list->SetReversed(state.Reversed());
                break;
            case StateChange::Font:
                list->SetDisplayFont(FontFromLogFont(state.DisplayFont()));
                break;
        }
    });
    // Through the command table, so the busy guard refuses it as it refuses Edit.
    connect(list, &QuestionListWindow::OpenQuestion, this, [this](std::size_t position) {
        editorStart = position;
        state.Dispatch(kCmEdit);
        editorStart = 0;
    });
    state.Bind(kCmFind, [this] {
        ShowList(true);
        list->FocusSearch();
    });
    state.Bind(kCmQuizOnMatches, [this] {
        const MainWindowState::BusyGuard busy(state);
        // A search the user cannot see does not narrow the quiz: hidden, it is the whole set.
        QuestionFilter wholeSet;
        wholeSet.Start(state.Questions(), "");
        std::vector<Zentu_Data> missed;
        const RunEnd end =
            QuizOnMatches(state.Questions(), list->isVisibleTo(this) ? list->Filter() : wholeSet,
                          asker, platform, &missed);
        state.AfterGradedQuiz(end, missed, asker);
    });
    state.Bind(kCmQuestionList, [this] { ShowList(!list->isVisibleTo(this)); });
    menu->Action(kCmFind)->setShortcut(QKeySequence::Find);
    const bool shown = QSettings().value(kQuestionListKey, true).toBool();
    list->setVisible(shown);
    platform.SetMenuCheck(kCmQuestionList, shown);
    menu->UpdateEnabled();
}

void zentuwin::ShowList(bool shown) {
    if (list->isVisibleTo(this) == shown) return;
    list->setVisible(shown);
    platform.SetMenuCheck(kCmQuestionList, shown);
    QSettings().setValue(kQuestionListKey, shown);
}

void zentuwin::BindExplainWrongAnswers() {
    state.SetMistakesScreen(mistakesScreen);
    state.Bind(kCmExplainWrongAnswers, [this] {
        state.SetExplainWrongAnswers(!state.ExplainWrongAnswers());
        QSettings().setValue(kExplainKey, state.ExplainWrongAnswers());
    });
}

zentuwin::~zentuwin() = default;

void zentuwin::RunEditor() {
    // The editor changes the set in place; nothing else may change or replace it meanwhile.
    const MainWindowState::BusyGuard busy(state);
    const std::size_t start = editorStart == 0 ? state.Questions().Count() : editorStart;
    bool stored = false;
    EditLoop loop(state.Questions(), editBuffer, *editorScreens, platform, [this, &stored] {
        stored = true;
        state.SetQuestionsChanged();
    });
    loop.RunFrom(start);
    // A delete or a move after the last store changed the set too: the views look again.
    if (stored) state.SetQuestionsChanged();
    list->SelectQuestion(loop.Position());
}

void zentuwin::Start(const std::optional<std::string>& startupFile) { state.Start(startupFile); }

PrintJob zentuwin::Job(PrintProgress& progress) const {
    return {PrintJobName(state.FileDialog().fileName, state.Untitled()), &progress};
}

void zentuwin::Print() {
    DialogElementChooser chooser(this);
    const std::unique_ptr<PrintDevice> device = printDevice();
    QtPrintProgress progress(this);
    PrintQuestions(state.Questions(), ProgramElementSelection(), chooser, *device, platform,
                   Job(progress));
}

void zentuwin::PrintPreview() {
    DialogElementChooser chooser(this);
    const std::unique_ptr<PrintDevice> device = printDevice();
    // The paper of the job's printer; a device of a test has a printable area alone.
    DialogListingPreview preview(this, [&device] {
        if (auto* qt = dynamic_cast<QtPrintDevice*>(device.get())) return qt->Layout();
        const PrintableArea area = device->Area();
        const double ppi = std::max(1, area.pixelsPerInchX);
        return QPageLayout(QPageSize(QSizeF(area.width / ppi, area.height / ppi), QPageSize::Inch,
                                     {}, QPageSize::ExactMatch),
                           QPageLayout::Portrait, QMarginsF());
    });
    QtPrintProgress progress(this);
    PreviewQuestions(state.Questions(), ProgramElementSelection(), chooser, *device, preview,
                     platform, Job(progress));
}

void zentuwin::Export() {
    DialogElementChooser chooser(this);
    ExportQuestions(state.Questions(), ProgramElementSelection(), chooser, platform);
}

void zentuwin::closeEvent(QCloseEvent* event) {
    if (state.CanClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

zentu::zentu() : platform(std::make_unique<QtPlatform>()) {
    commands.Bind(kCmExit, [this] {
        if (window != nullptr) window->close();
    });
}

zentu::~zentu() { delete window; }

zentuwin* zentu::CreateMainWindow(const std::optional<std::string>& startupFile) {
    QApplication::setWindowIcon(ProgramIcon());
    window = new zentuwin(*platform, commands);
    // The start-up read comes before the window is shown, so its message has no owner.
    window->Start(startupFile);
    return window;
}

int zentu::Run(const std::optional<std::string>& startupFile) {
    CreateMainWindow(startupFile)->show();
    return QApplication::exec();
}

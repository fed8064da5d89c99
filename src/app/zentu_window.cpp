#include "app/zentu_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMenuBar>
#include <algorithm>

#include "editor/edit_dialog.h"
#include "editor/edit_loop.h"
#include "framework/command_menu.h"
#include "framework/qt_platform.h"
#include "output/print_commands.h"
#include "output/print_dialog.h"
#include "output/print_preview_window.h"
#include "output/qt_print_device.h"
#include "output/qt_printer_setup.h"

// Resources compiled into a static library must be registered from the global namespace.
static void InitIconResource() { Q_INIT_RESOURCE(icons); }

namespace {

constexpr int kMainMenuId = 890;

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
      asker(questionScreen, platform, [this] { return state.Reversed(); }),
      editorScreens(std::make_unique<EditDialogScreens>(
          this, [this] { return state.DisplayFont(); }, platform)),
      printerSetup(std::make_unique<QtPrinterSetup>()),
      printDevice([this] { return printerSetup->MakeDevice(); }) {
    setWindowTitle(QString::fromLatin1(kProgramTitle));
    // The work happens in dialogs; the window itself only needs room for its menu bar.
    resize(520, 320);

    state.Bind(kCmEdit, [this] { RunEditor(); });
    state.SetEditorStarter([this] { RunEditor(); });
    state.SetQuestionAsker(asker);
    state.Bind(kCmPrint, [this] { Print(); });
    state.Bind(kCmExport, [this] { Export(); });

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
}

zentuwin::~zentuwin() = default;

void zentuwin::RunEditor() {
    // The editor changes the set in place; nothing else may change or replace it meanwhile.
    const MainWindowState::BusyGuard busy(state);
    EditLoop(state.Questions(), editBuffer, *editorScreens, platform, [this] {
        state.SetQuestionsChanged();
    }).Run();
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

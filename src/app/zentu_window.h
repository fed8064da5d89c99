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
//    Save, Save As, Font, Reverse Q/A, Contents, About, and whatever later subsystems
//    bind there: Edit, the quiz runs, Print, Export), then the application's (Exit). An
//    item is enabled only while a stop on the route handles its id, so commands not yet
//    built, and Printer Setup, show disabled.
//  - Everything the commands show (message boxes, file and font dialogs, the About box,
//    the help window, the caption, the check mark of Reverse Q/A) goes through Platform,
//    so the decisions are tested without a window (tests/app).
//  - Print and Export (output/) show the element dialog printdial over the one
//    ElementSelection of the run, then print every question's block on the default
//    printer through TTextPrinter, or write the blocks to a text file.
//  - Closing, by Exit or by the window's close button, passes through the close query
//    MainWindowState::CanClose, which offers to save changed questions.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/main_window_state.h"
#include "platform/command_table.h"

class CommandMenu;
class PrintDevice;
class QtPlatform;

class zentuwin : public QMainWindow {
    Q_OBJECT
  public:
    // `application` is the application's command table, the last stop of every route.
    zentuwin(QtPlatform& platform, const CommandTable& application, QWidget* parent = nullptr);

    // Reads the start-up file, if any, and sets the caption.
    void Start(const std::optional<std::string>& startupFile);

    MainWindowState& State() { return state; }
    CommandMenu* Menu() const { return menu; }
    // Where Print prints: the system's default printer unless a test says otherwise.
    using PrintDeviceFactory = std::function<std::unique_ptr<PrintDevice>()>;
    void SetPrintDeviceFactory(PrintDeviceFactory factory) { printDevice = std::move(factory); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Print();
    void Export();

    QtPlatform& platform;
    MainWindowState state;
    CommandMenu* menu = nullptr;
    PrintDeviceFactory printDevice;
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

// The desktop as Qt shows it: message boxes, the file, font and input dialogs, the help
// window, the cursor, the caption and the menu check marks that the core asks for.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "framework/command_menu.h"
#include "framework/help_window.h"
#include "platform/platform.h"

class QWidget;

// One entry of a file dialog's filter text "label|pattern|label|pattern|".
struct FileFilterEntry {
    QString label;
    QString pattern;
    QString NameFilter() const;  // as Qt's file dialog shows and returns it
};
std::vector<FileFilterEntry> ParseFileFilter(const std::string& filter);

class QtPlatform : public Platform {
  public:
    QtPlatform() = default;
    ~QtPlatform() override;

    // The frame window: owner of owned boxes and dialogs, and the bearer of the caption.
    void SetMainWindow(QWidget* window) { mainWindow = window; }
    // The menu on which SetMenuCheck sets its marks (the main window's).
    void SetMenu(CommandMenu* commandMenu) { menu = commandMenu; }
    // The window in front: the active modal dialog, else the main window (may be nullptr).
    QWidget* Owner() const;
    HelpWindow* Help() const { return help; }

    MessageResult ShowMessage(MessageOwner owner, const std::string& text,
                              const std::string& caption, MessageButtons buttons,
                              MessageIcon icon) override;
    bool RunOpenDialog(FileDialogData& data) override;
    bool RunSaveDialog(FileDialogData& data) override;
    bool RunFontDialog(LogFont& font) override;
    bool RunInputDialog(const std::string& title, const std::string& prompt,
                        std::string& text) override;
    void RunInfoDialog(int resourceId) override;
    void ShowHelpContents() override;
    void SetMenuCheck(int commandId, bool checked) override;
    void SetCaption(const std::string& caption) override;
    void SetWaitCursor(bool wait) override;
    void Beep() override;

  private:
    bool RunFileDialog(FileDialogData& data, bool save);

    QPointer<QWidget> mainWindow;
    QPointer<CommandMenu> menu;
    QPointer<HelpWindow> help;
    bool waitCursor = false;
};

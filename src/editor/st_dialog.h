// The base of every dialog that owns a Character Map (the question dialog, the Question
// Editor): it owns the map, runs the "Character &Map" command (11850) and receives the
// characters the map sends through InsertChar.
#pragma once

#include <QPointer>

#include "editor/charmap_owner.h"
#include "framework/template_dialog.h"
#include "model/log_font.h"

class charmapwindow;

constexpr int kCmCharacterMap = 11850;

class STDialog : public TemplateDialog, public CharMapOwner {
    Q_OBJECT
  public:
    // `displayFont` is the main window's display font, in which the map draws its cells.
    // The map object is made here; its window opens only on request.
    STDialog(const DialogTemplate& layout, QWidget* owner, const LogFont& displayFont);
    ~STDialog() override;

    // One character chosen in the map. Derived dialogs decide where it goes, usually into
    // the control FocusAtMapOpen(); the default takes nothing.
    void InsertChar(unsigned char c) override;
    TemplateDialog* MapOwnerDialog() override { return this; }

    // The Character Map command: closes the map when it is open; otherwise remembers the
    // control that has the keyboard focus and opens the map. Bound to 11850.
    void CharacterMapCommand();
    // The control that had the keyboard focus when the map was last opened, if it still
    // exists. Characters sent later go there, wherever the focus is by then.
    QWidget* FocusAtMapOpen() const override { return focusAtMapOpen; }
    charmapwindow* CharacterMap() const { return map; }

  protected:
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    charmapwindow* map = nullptr;
    QPointer<QWidget> focusAtMapOpen;
    // Set while the menu bar handles a mouse click: a map opened by mouse leaves the
    // keyboard focus where it was, one opened by keyboard takes it.
    bool menuClickedByMouse = false;
};

#include "editor/st_dialog.h"

#include <QEvent>
#include <QMenuBar>
#include <QTimer>

#include "editor/charmap_window.h"
#include "framework/command_menu.h"

STDialog::STDialog(const DialogTemplate& layout, QWidget* owner, const LogFont& displayFont)
    : TemplateDialog(layout, owner) {
    map = new charmapwindow(*this, kDialogCharacterMap, displayFont);
    Commands().Bind(kCmCharacterMap, [this] { CharacterMapCommand(); });
    if (Menu() != nullptr) {
        // The menu was built before this binding.
        Menu()->UpdateEnabled();
        Menu()->MenuBar()->installEventFilter(this);
    }
}

STDialog::~STDialog() = default;

void STDialog::InsertChar(unsigned char) {}

void STDialog::CharacterMapCommand() {
    if (map->IsOpen()) {
        map->CloseMap();
        return;
    }
    // The dialog's focus child, which it keeps even while another window is active.
    focusAtMapOpen = focusWidget();
    map->Open(!menuClickedByMouse);
}

void STDialog::hideEvent(QHideEvent* event) {
    // The map ends with its owner, for instance when the editor moves to another question.
    map->CloseWithOwner();
    TemplateDialog::hideEvent(event);
}

bool STDialog::eventFilter(QObject* watched, QEvent* event) {
    if (Menu() != nullptr && watched == Menu()->MenuBar() &&
        event->type() == QEvent::MouseButtonRelease) {
        // The menu bar runs the command while it handles this release.
        menuClickedByMouse = true;
        QTimer::singleShot(0, this, [this] { menuClickedByMouse = false; });
    }
    return TemplateDialog::eventFilter(watched, event);
}

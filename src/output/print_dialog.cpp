#include "output/print_dialog.h"

printdial::printdial(const ElementSelection& selection, QWidget* owner)
    : TemplateDialog(*FindDialog(kDialogElements), owner) {
    for (std::size_t i = 0; i < kElementCount; ++i) {
        SetChecked(kElementCheckBoxIds[i], selection.values[i] != 0);
    }
}

ElementSelection printdial::Selection() const {
    ElementSelection selection;
    for (std::size_t i = 0; i < kElementCount; ++i) {
        selection.values[i] = IsChecked(kElementCheckBoxIds[i]) ? 1 : 0;
    }
    return selection;
}

bool DialogElementChooser::ChooseElements(ElementSelection& selection) {
    printdial dialog(selection, owner);
    if (dialog.exec() != kIdOk) return false;
    selection = dialog.Selection();
    return true;
}

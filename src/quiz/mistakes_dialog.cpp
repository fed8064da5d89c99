#include "quiz/mistakes_dialog.h"

#include "framework/text_box.h"
#include "res/dialogs.h"

MistakesDialog::MistakesDialog(const std::string& listing, QWidget* owner)
    : TemplateDialog(*FindDialog(kDialogMistakes), owner) {
    List()->SetBytes(listing);
    // The list has the focus first, so a screen reader reads it; Enter still repeats.
    List()->setFocus();
}

TextBox* MistakesDialog::List() const { return Edit(kIdMistakesList); }

bool QtMistakesScreen::ShowMistakes(const std::string& listing) {
    MistakesDialog dialog(listing, mainWindow);
    return dialog.exec() == kIdRepeatMistakes;
}

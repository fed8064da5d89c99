// printdial: the element dialog of Print and Export, nine check boxes over the one
// ElementSelection of the run.
#pragma once

#include "framework/template_dialog.h"
#include "output/print_commands.h"

class printdial : public TemplateDialog {
    Q_OBJECT
  public:
    // The boxes open ticked as `selection` says.
    printdial(const ElementSelection& selection, QWidget* owner);

    // The boxes' states as a selection (1 ticked, 0 not).
    ElementSelection Selection() const;
};

// The element dialog as Print and Export ask for it, over the window in front.
class DialogElementChooser : public ElementChooser {
  public:
    explicit DialogElementChooser(QWidget* owner) : owner(owner) {}
    bool ChooseElements(ElementSelection& selection) override;

  private:
    QWidget* owner;
};

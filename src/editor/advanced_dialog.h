// The "Advanced" dialog: every field of the shown question but its question and answer
// texts, edited on the editor's buffer and written back on OK only.
#pragma once

#include "editor/edit_buffer.h"
#include "framework/template_dialog.h"

// Control ids of the dialog's template.
enum AdvancedControl : int {
    kAdvHint = 111,
    kAdvWrongResponse = 2102,
    kAdvRightResponse = 101,
    kAdvAll = 103,
    kAdvSome = 104,
    kAdvOnlyOne = 106,
    kAdvAllInOrder = 110,
    kAdvUseHint = 7101,
    kAdvConfirmCorrect = 105,
    kAdvCaseSensitive = 107,
    kAdvCheckSpaces = 109,
    kAdvDelimiter = 108,
};

class advancedialog : public TemplateDialog {
    Q_OBJECT
  public:
    // Shows `buffer`'s fields; the buffer is not touched until TakeValues.
    advancedialog(const EditBuffer& buffer, QWidget* owner);

    // The controls' values into `buffer`. A text box the user did not change leaves its
    // field as it was, so a text longer than a box takes is never cut by passing through.
    void TakeValues(EditBuffer& buffer) const;

    // Runs the dialog modally; true (and `buffer` updated) on OK.
    static bool Run(EditBuffer& buffer, QWidget* owner);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Gives the label with text `text` the mnemonic text `mnemonic` and `buddy` as its buddy:
// the templates' texts carry no mnemonics, and a label without one reaches nothing.
void SetLabelMnemonic(QWidget* dialog, const QString& text, const QString& mnemonic,
                      QWidget* buddy);
// The text of `box` into `field`, but only when the user changed the box.
void TakeEditedText(const TextBox* box, std::string& field);

// Every dialog of the program is built here from its layout template: dialog units turn
// into pixels through the dialog font, controls are found by id, and the dialog ends with
// the id of the button that closed it. Dialog classes derive from TemplateDialog and bind
// their commands in its command table.
#pragma once

#include <QDialog>
#include <map>
#include <memory>
#include <vector>

#include "platform/command_table.h"
#include "res/dialogs.h"

class CommandMenu;
class QAbstractButton;
class QButtonGroup;
class QFrame;
class QIcon;
class QStyle;
class QLabel;
class TextBox;

// The picture of a button face; none for a plain text button.
QIcon ButtonFaceIcon(ButtonFace face, const QStyle* style);

// A shaded group frame with its title set into the top line; it only encloses controls
// that are its siblings.
class ShadedFrame : public QWidget {
    Q_OBJECT
  public:
    ShadedFrame(const QString& title, QWidget* parent);
    QString Title() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QFrame* frame;
    QLabel* label;
};

class TemplateDialog : public QDialog {
    Q_OBJECT
  public:
    TemplateDialog(const DialogTemplate& layout, QWidget* owner);

    // The dialog of resource `resourceId`, or nullptr when there is no such template.
    static std::unique_ptr<TemplateDialog> Create(int resourceId, QWidget* owner);

    const DialogTemplate& Layout() const { return layout; }

    // The control with id `id`, or nullptr. Controls without an id are not found.
    QWidget* Control(int id) const;
    TextBox* Edit(int id) const;
    QAbstractButton* Button(int id) const;
    QLabel* Label(int id) const;

    // Check boxes and radio buttons. Clearing a radio button may leave its group with none.
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);

    // The dialog's own commands: its push buttons and its menu items. A push button whose
    // id is not bound ends the dialog with its id (Cancel with 2, also for Escape and the
    // close box); a menu item whose id is not bound is disabled.
    CommandTable& Commands() { return commands; }
    CommandMenu* Menu() const { return menu; }
    // Runs what pressing button `id` does.
    void Command(int id);
    void EndDialog(int result) { done(result); }

    // Dialog units of this dialog's font, in pixels.
    int BaseUnitX() const { return baseX; }
    int BaseUnitY() const { return baseY; }
    int UnitsToPixelsX(int units) const;
    int UnitsToPixelsY(int units) const;
    // The top of the control area: below the menu bar, if the dialog has one.
    int ClientTop() const { return clientTop; }

    // Grows each text box named in `minimumLines` (id, lines) until it shows that many
    // whole lines of its own font, for boxes in a display font larger than the dialog's.
    // Controls below a grown box move down and the dialog grows with them, but never past
    // the screen's available height: a text that still does not fit scrolls.
    void GrowBoxesToFont(const std::vector<std::pair<int, int>>& minimumLines);

    // The dialog's font, as its template names it.
    static QFont DialogFont(const DialogTemplate& layout);

  protected:
    void reject() override;
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* MakeControl(const DialogControl& control, QButtonGroup*& radioGroup);
    // Gives every text box the name of its label, or of the frame around it, or the one its
    // template gives it, for assistive technology; `made` holds the controls in template order.
    void NameTextBoxes(const std::vector<QWidget*>& made);

    const DialogTemplate layout;
    CommandTable commands;
    CommandMenu* menu = nullptr;
    std::map<int, QWidget*> controls;
    std::map<int, QButtonGroup*> radioGroups;
    int baseX = 1;
    int baseY = 1;
    int clientTop = 0;
    bool placed = false;
};

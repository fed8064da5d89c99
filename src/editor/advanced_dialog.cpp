#include "editor/advanced_dialog.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QLabel>

#include "framework/text_box.h"
#include "res/dialogs.h"

void SetLabelMnemonic(QWidget* dialog, const QString& text, const QString& mnemonic,
                      QWidget* buddy) {
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->text() == text) {
            label->setText(mnemonic);
            label->setBuddy(buddy);
            return;
        }
    }
}

void TakeEditedText(const TextBox* box, std::string& field) {
    if (box != nullptr && box->document()->isModified()) field = box->Bytes();
}

namespace {

struct NamedControl {
    int id;
    const char* caption;  // with its mnemonic; nullptr for a text box
    const char* accessibleName;
};

// Mnemonics are unique across the dialog; the boxes get theirs from the frames and label.
constexpr NamedControl kNamedControls[] = {
    {kAdvHint, nullptr, "Hint text"},
    {kAdvWrongResponse, nullptr, "Wrong response"},
    {kAdvRightResponse, nullptr, "Right response"},
    {kAdvAll, "&All", "Method: all"},
    {kAdvSome, "&Some", "Method: some"},
    {kAdvOnlyOne, "O&nly one", "Method: only one"},
    {kAdvAllInOrder, "All &in order", "Method: all in order"},
    {kAdvUseHint, "Hint te&xt", "Use the hint text"},
    {kAdvConfirmCorrect, "&Use Right Response", "Use right response"},
    {kAdvCaseSensitive, "&Case Sensitive", "Case sensitive"},
    {kAdvCheckSpaces, "Chec&k Whitespace", "Check whitespace"},
    {kAdvDelimiter, nullptr, "Multi-answer delimiter"},
    {kIdOk, "&OK", "OK"},
    {kIdCancel, "Cance&l", "Cancel"},
};

}  // namespace

advancedialog::advancedialog(const EditBuffer& buffer, QWidget* owner)
    : TemplateDialog(*FindDialog(kDialogAdvanced), owner) {
    for (const NamedControl& named : kNamedControls) {
        QWidget* control = Control(named.id);
        if (control == nullptr) continue;
        auto* button = qobject_cast<QAbstractButton*>(control);
        if (button != nullptr && named.caption != nullptr) {
            button->setText(QString::fromLatin1(named.caption));
        }
        control->setAccessibleName(QString::fromLatin1(named.accessibleName));
    }
    SetLabelMnemonic(this, QStringLiteral(" Hint Text"), QStringLiteral(" &Hint Text"),
                     Edit(kAdvHint));
    SetLabelMnemonic(this, QStringLiteral("Wrong Response"), QStringLiteral("&Wrong Response"),
                     Edit(kAdvWrongResponse));
    SetLabelMnemonic(this, QStringLiteral("Right Response"), QStringLiteral("&Right Response"),
                     Edit(kAdvRightResponse));
    SetLabelMnemonic(this, QStringLiteral("Muli-Answer Delimiter"),
                     QStringLiteral("Muli-Answer &Delimiter"), Edit(kAdvDelimiter));

    // A long text shows that there is more of it.
    for (const int id : {kAdvHint, kAdvWrongResponse, kAdvRightResponse}) {
        Edit(id)->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    Edit(kAdvHint)->SetBytes(buffer.hint);
    Edit(kAdvWrongResponse)->SetBytes(buffer.wrongResponse);
    Edit(kAdvRightResponse)->SetBytes(buffer.rightResponse);
    Edit(kAdvDelimiter)->SetBytes(DelimiterText(buffer.delimiter));
    Edit(kAdvDelimiter)->installEventFilter(this);
    for (const int id : {kAdvHint, kAdvWrongResponse, kAdvRightResponse, kAdvDelimiter}) {
        Edit(id)->document()->setModified(false);
    }
    const MethodRadios radios = RadiosForMethod(buffer.answerMethod);
    SetChecked(kAdvAll, radios.all);
    SetChecked(kAdvSome, radios.some);
    SetChecked(kAdvOnlyOne, radios.onlyOne);
    SetChecked(kAdvAllInOrder, radios.allInOrder);
    // Tab enters the radio group at its selected button, as arrows then move the choice;
    // with none selected it enters at the first.
    const bool anySelected = radios.all || radios.some || radios.onlyOne || radios.allInOrder;
    for (const int id : {kAdvAll, kAdvSome, kAdvOnlyOne, kAdvAllInOrder}) {
        const bool stop = anySelected ? IsChecked(id) : id == kAdvAll;
        Button(id)->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
    SetChecked(kAdvUseHint, buffer.useHint);
    SetChecked(kAdvConfirmCorrect, buffer.confirmCorrect);
    SetChecked(kAdvCaseSensitive, buffer.caseSensitive);
    SetChecked(kAdvCheckSpaces, buffer.checkSpaces);
}

void advancedialog::TakeValues(EditBuffer& buffer) const {
    TakeEditedText(Edit(kAdvHint), buffer.hint);
    TakeEditedText(Edit(kAdvRightResponse), buffer.rightResponse);
    TakeEditedText(Edit(kAdvWrongResponse), buffer.wrongResponse);
    if (Edit(kAdvDelimiter)->document()->isModified()) {
        buffer.delimiter = DelimiterFromText(Edit(kAdvDelimiter)->Bytes());
    }
    buffer.useHint = IsChecked(kAdvUseHint);
    buffer.confirmCorrect = IsChecked(kAdvConfirmCorrect);
    buffer.caseSensitive = IsChecked(kAdvCaseSensitive);
    buffer.checkSpaces = IsChecked(kAdvCheckSpaces);
    buffer.answerMethod = MethodFromRadios({IsChecked(kAdvAll), IsChecked(kAdvSome),
                                            IsChecked(kAdvOnlyOne), IsChecked(kAdvAllInOrder)},
                                           buffer.answerMethod);
}

bool advancedialog::eventFilter(QObject* watched, QEvent* event) {
    // The one-character box is full whenever it holds a delimiter: reached by Tab or its
    // mnemonic, its character is selected, so typing replaces it.
    if (watched == Edit(kAdvDelimiter) && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::ShortcutFocusReason) {
            Edit(kAdvDelimiter)->selectAll();
        }
    }
    return TemplateDialog::eventFilter(watched, event);
}

bool advancedialog::Run(EditBuffer& buffer, QWidget* owner) {
    advancedialog dialog(buffer, owner);
    if (dialog.exec() != kIdOk) return false;
    dialog.TakeValues(buffer);
    return true;
}

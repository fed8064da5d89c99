#include "editor/edit_dialog.h"

#include <QAbstractButton>

#include "editor/advanced_dialog.h"
#include "framework/codepage.h"
#include "framework/command_menu.h"
#include "framework/text_box.h"
#include "platform/platform.h"
#include "res/dialogs.h"

namespace {

struct ButtonNames {
    int id;
    const char* caption;  // with its mnemonic
    const char* accessibleName;
};

// The picture buttons' captions are short; their spoken names say what they do.
constexpr ButtonNames kButtons[] = {
    {kIdOk, "&OK", "OK"},
    {kEdPrevButton, "&PREV", "Previous question"},
    {kEdNextButton, "&NEXT", "Next question"},
    {kIdCancel, "Cance&l", "Cancel"},
    {kEdDeleteButton, "&DEL", "Delete question"},
};

}  // namespace

editdialog::editdialog(QWidget* owner, int resourceId, std::size_t position, bool isNew,
                       const LogFont& displayFont, EditBuffer& buffer, Platform& platform)
    : STDialog(*FindDialog(resourceId), owner, displayFont),
      position(position),
      isNew(isNew),
      buffer(buffer),
      platform(platform) {
    TextBox* question = Edit(kEdQuestionBox);
    TextBox* answer = Edit(kEdAnswerBox);
    question->setAccessibleName(QStringLiteral("Question"));
    answer->setAccessibleName(QStringLiteral("Answer(s)"));
    SetLabelMnemonic(this, QStringLiteral("Question:"), QStringLiteral("&Question:"), question);
    SetLabelMnemonic(this, QStringLiteral("Answer(s):"), QStringLiteral("&Answer(s):"), answer);
    for (const ButtonNames& names : kButtons) {
        if (QAbstractButton* button = Button(names.id)) {
            button->setText(QString::fromLatin1(names.caption));
            button->setAccessibleName(QString::fromLatin1(names.accessibleName));
        }
    }

    // The answer box has no scroll bar of its own; in a large display font a second line
    // would be hidden without one.
    answer->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    question->SetDisplayFont(displayFont);
    answer->SetDisplayFont(displayFont);
    // A large display font would leave room for a line or two of each text.
    GrowBoxesToFont({{kEdQuestionBox, 3}, {kEdAnswerBox, 2}});
    // A text longer than the box's limit is shown whole; only what is typed is limited.
    question->SetBytes(buffer.question);
    answer->SetBytes(buffer.answer);
    question->document()->setModified(false);
    answer->document()->setModified(false);
    question->setFocus();

    CommandTable& commands = Commands();
    for (const int code : {kIdOk, int(kEdNextButton), int(kEdMenuNext), int(kEditFirst),
                           int(kEditLast), int(kEditMove), int(kEditInsert)}) {
        const int exit = code == kEdMenuNext ? int(kEditNext) : code;
        commands.Bind(code, [this, exit] { Leave(exit); });
    }
    commands.Bind(kEdPrevButton, [this] { Prev(); });
    commands.Bind(kEdMenuPrev, [this] { Prev(); });
    // Delete drops what was typed: the boxes are not read.
    commands.Bind(kEdMenuDelete, [this] { EndDialog(kEditDelete); });
    commands.Bind(kEdMenuAdvanced, [this] { advancedialog::Run(this->buffer, this); });
    // Enabled from the start, not only once a popup has opened: screen readers see them.
    Menu()->UpdateEnabled();
}

void editdialog::TakeBoxes() {
    TakeEditedText(Edit(kEdQuestionBox), buffer.question);
    TakeEditedText(Edit(kEdAnswerBox), buffer.answer);
}

void editdialog::Leave(int code) {
    TakeBoxes();
    EndDialog(code);
}

void editdialog::Prev() {
    if (position > 1) {
        Leave(kEditPrev);
        return;
    }
    // There is nothing before number 1: the dialog stays, and so does what was typed.
    TakeBoxes();
    platform.Beep();
}

void editdialog::InsertChar(unsigned char c) {
    QWidget* target = FocusAtMapOpen();
    if (target == Edit(kEdQuestionBox) || target == Edit(kEdAnswerBox)) {
        static_cast<TextBox*>(target)->InsertByte(c);
    }
}

int EditDialogScreens::ShowQuestion(std::size_t position, bool isNew, const std::string& title,
                                    EditBuffer& buffer) {
    editdialog dialog(owner, kDialogQuestionEditor, position, isNew, displayFont(), buffer,
                      platform);
    dialog.setWindowTitle(TextToQString(title));
    return dialog.exec();
}

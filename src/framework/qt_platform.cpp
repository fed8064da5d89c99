#include "framework/qt_platform.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "framework/codepage.h"
#include "framework/font_mapping.h"
#include "framework/template_dialog.h"
#include "framework/text_box.h"

QString FileFilterEntry::NameFilter() const {
    // Qt reads the patterns from the parentheses; the labels carry them already.
    if (label.contains(QLatin1Char('(')) || pattern.isEmpty()) {
        return label;
    }
    return QStringLiteral("%1 (%2)").arg(label, pattern);
}

std::vector<FileFilterEntry> ParseFileFilter(const std::string& filter) {
    std::vector<FileFilterEntry> entries;
    const QStringList fields = TextToQString(filter).split(QLatin1Char('|'));
    // Each bar ends a field, so the text after the last bar is no field.
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        if (fields[i].isEmpty() && fields[i + 1].isEmpty()) {
            break;
        }
        entries.push_back({fields[i], fields[i + 1]});
    }
    return entries;
}

QtPlatform::~QtPlatform() {
    if (waitCursor) {
        QApplication::restoreOverrideCursor();
    }
    delete help;
}

QWidget* QtPlatform::Owner() const {
    if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr) {
        return modal;
    }
    return mainWindow;
}

MessageResult QtPlatform::ShowMessage(MessageOwner owner, const std::string& text,
                                      const std::string& caption, MessageButtons buttons,
                                      MessageIcon icon) {
    QMessageBox box(owner == MessageOwner::Window ? Owner() : nullptr);
    // A box without an owner still blocks the windows: a command started behind it
    // could change the question set under a run that is waiting for the box.
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    box.setText(TextToQString(text));
    box.setWindowTitle(TextToQString(caption));
    switch (icon) {
        case MessageIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    if (buttons == MessageButtons::YesNoCancel) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
    } else if (buttons == MessageButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
    // The same faces as the dialogs' OK and Cancel buttons.
    for (const auto& [which, face] :
         {std::pair{QMessageBox::Ok, ButtonFace::Ok}, std::pair{QMessageBox::Yes, ButtonFace::Ok},
          std::pair{QMessageBox::Cancel, ButtonFace::Cancel}}) {
        if (QAbstractButton* button = box.button(which)) {
            button->setIcon(ButtonFaceIcon(face, box.style()));
        }
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Yes:
            return MessageResult::Yes;
        case QMessageBox::No:
            return MessageResult::No;
        case QMessageBox::Cancel:
            return MessageResult::Cancel;
        default:
            return buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
    }
}

bool QtPlatform::RunOpenDialog(FileDialogData& data) { return RunFileDialog(data, false); }

bool QtPlatform::RunSaveDialog(FileDialogData& data) { return RunFileDialog(data, true); }

bool QtPlatform::RunFileDialog(FileDialogData& data, bool save) {
    QFileDialog dialog(Owner());
    dialog.resize(720, 460);
    // Qt's own dialog: the same on every desktop, and one that works without a display.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save) {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite,
                         (data.flags & kOfnOverwritePrompt) == 0);
    } else {
        dialog.setFileMode((data.flags & kOfnFileMustExist) ? QFileDialog::ExistingFile
                                                            : QFileDialog::AnyFile);
    }
    const std::vector<FileFilterEntry> filters = ParseFileFilter(data.filter);
    QStringList nameFilters;
    for (const FileFilterEntry& entry : filters) {
        nameFilters.append(entry.NameFilter());
    }
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        if (data.filterIndex >= 1 && data.filterIndex <= nameFilters.size()) {
            dialog.selectNameFilter(nameFilters[data.filterIndex - 1]);
        }
    }
    // Lower case: Linux names are case-sensitive and the filters list "*.que".
    dialog.setDefaultSuffix(TextToQString(data.defaultExt).toLower());

    const QString current = QFile::decodeName(QByteArray::fromStdString(data.fileName));
    if (!current.isEmpty()) {
        const QFileInfo info(current);
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    } else if (!data.initialDir.empty()) {
        dialog.setDirectory(QFile::decodeName(QByteArray::fromStdString(data.initialDir)));
    }

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    data.fileName = QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
    const qsizetype chosen = nameFilters.indexOf(dialog.selectedNameFilter());
    if (chosen >= 0) {
        data.filterIndex = static_cast<int>(chosen) + 1;
    }
    return true;
}

bool QtPlatform::RunFontDialog(LogFont& font) {
    // The dialog lists real families and point sizes: offer the font that the face name
    // and height resolve to, so that it opens on the current font.
    QFont current = FontFromLogFont(font);
    const QFontInfo resolved(current);
    current.setFamily(resolved.family());
    current.setPointSizeF(resolved.pointSizeF());
    QFontDialog dialog(current, Owner());
    dialog.setOption(QFontDialog::DontUseNativeDialog, true);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    font = LogFontFromFont(dialog.selectedFont(), font);
    return true;
}

bool QtPlatform::RunInputDialog(const std::string& title, const std::string& prompt,
                                std::string& text) {
    auto dialog = TemplateDialog::Create(kDialogInput, Owner());
    dialog->setWindowTitle(TextToQString(title));
    dialog->Label(kIdInputPrompt)->setText(TextToQString(prompt));
    TextBox* box = dialog->Edit(kIdInputText);
    box->SetBytes(text);
    box->selectAll();
    box->setFocus();
    if (dialog->exec() != kIdOk) {
        return false;
    }
    text = box->Bytes();
    return true;
}

void QtPlatform::RunInfoDialog(int resourceId) {
    if (auto dialog = TemplateDialog::Create(resourceId, Owner()); dialog != nullptr) {
        dialog->exec();
    }
}

void QtPlatform::ShowHelpContents() {
    if (help == nullptr) {
        help = new HelpWindow(mainWindow);
    }
    help->ShowContents();
}

void QtPlatform::SetMenuCheck(int commandId, bool checked) {
    if (menu != nullptr) {
        menu->SetChecked(commandId, checked);
    }
}

void QtPlatform::SetCaption(const std::string& caption) {
    if (mainWindow != nullptr) {
        // The caption carries a file name, which is in the file system's encoding.
        mainWindow->setWindowTitle(QFile::decodeName(QByteArray::fromStdString(caption)));
    }
}

void QtPlatform::SetWaitCursor(bool wait) {
    if (wait == waitCursor) {
        return;
    }
    waitCursor = wait;
    if (wait) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void QtPlatform::Beep() { QApplication::beep(); }

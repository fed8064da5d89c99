#include "exchange/import_dialog.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>

#include "framework/text_box.h"
#include "res/string_table.h"

namespace {

constexpr char kSeparators[] = {'\t', ',', ';', '|', ':', ' '};
constexpr AnswerMethod kMethods[] = {AnswerMethod::All, AnswerMethod::Some, AnswerMethod::OnlyOne,
                                     AnswerMethod::AllInOrder};

}  // namespace

ImportOptionsDialog::ImportOptionsDialog(const std::string& fileName, const ImportOptions& options,
                                         QWidget* owner)
    : TemplateDialog(*FindDialog(kDialogImportOptions), owner) {
    Label(kIdImportFile)->setText(QFile::decodeName(QByteArray::fromStdString(fileName)));
    bool named = false;
    for (std::size_t i = 0; i < std::size(kSeparators); ++i) {
        if (options.separator == kSeparators[i]) {
            SetChecked(kIdImportSeparatorFirst + int(i), true);
            named = true;
        }
    }
    if (!named) {
        SetChecked(kIdImportSeparatorOther, true);
        Edit(kIdImportOtherText)->SetBytes(std::string(1, options.separator));
    }
    if (options.answerDelimiter != '\0') {
        Edit(kIdImportDelimiter)->SetBytes(std::string(1, options.answerDelimiter));
    }
    // A method that is none of the four (the converter's default is All) ticks All.
    SetChecked(kIdImportMethodFirst, true);
    for (std::size_t i = 0; i < std::size(kMethods); ++i) {
        if (options.method == kMethods[i]) SetChecked(kIdImportMethodFirst + int(i), true);
    }
    SetChecked(kIdImportReplace, options.replaceUnmappable);
    // Typing into the Other box picks Other.
    connect(Edit(kIdImportOtherText), &TextBox::textChanged, this, [this] {
        if (!Edit(kIdImportOtherText)->Bytes().empty()) SetChecked(kIdImportSeparatorOther, true);
    });
    Commands().Bind(kIdOk, [this] {
        if (SeparatorUsable()) {
            EndDialog(kIdOk);
        } else {
            QApplication::beep();
            Edit(kIdImportOtherText)->setFocus();
        }
    });
}

bool ImportOptionsDialog::SeparatorUsable() const {
    char separator = 0;
    return !IsChecked(kIdImportSeparatorOther) ||
           ParseSeparator(Edit(kIdImportOtherText)->Bytes(), separator);
}

ImportOptions ImportOptionsDialog::Options() const {
    ImportOptions options;
    for (std::size_t i = 0; i < std::size(kSeparators); ++i) {
        if (IsChecked(kIdImportSeparatorFirst + int(i))) options.separator = kSeparators[i];
    }
    if (IsChecked(kIdImportSeparatorOther)) {
        ParseSeparator(Edit(kIdImportOtherText)->Bytes(), options.separator);
    }
    const std::string delimiter = Edit(kIdImportDelimiter)->Bytes();
    options.answerDelimiter = delimiter.empty() ? '\0' : delimiter[0];
    for (std::size_t i = 0; i < std::size(kMethods); ++i) {
        if (IsChecked(kIdImportMethodFirst + int(i))) options.method = kMethods[i];
    }
    options.replaceUnmappable = IsChecked(kIdImportReplace);
    return options;
}

bool DialogTableImportUi::ChooseImportOptions(const std::string& fileName, ImportOptions& options) {
    ImportOptionsDialog dialog(fileName, options, owner);
    if (dialog.exec() != kIdOk) return false;
    options = dialog.Options();
    return true;
}

void DialogTableImportUi::ShowImportReport(const std::string& text, bool failed) {
    QMessageBox box(owner);
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    box.setWindowTitle(QString::fromStdString(LoadString(kStrImportCaption)));
    box.setIcon(failed ? QMessageBox::Warning : QMessageBox::Information);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

bool DialogTableImportUi::ShowImportProgress(std::size_t done, std::size_t total) {
    if (!progress) {
        progress = std::make_unique<QProgressDialog>(
            QString::fromStdString(LoadString(kStrImportProgress)),
            QString::fromStdString(LoadString(kStrImportStop)), 0, 1000, owner);
        progress->setWindowTitle(QString::fromStdString(LoadString(kStrImportCaption)));
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(500);
    }
    progress->setValue(total == 0 ? 0 : int(double(done) / double(total) * 1000));
    QApplication::processEvents();
    return !progress->wasCanceled();
}

void DialogTableImportUi::EndImportProgress() { progress.reset(); }

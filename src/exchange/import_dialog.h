// The Import options dialog (template 1361) and the report box: the Qt side of Import.
#pragma once

#include <QProgressDialog>
#include <memory>
#include <string>

#include "exchange/exchange_commands.h"
#include "framework/template_dialog.h"

class ImportOptionsDialog : public TemplateDialog {
    Q_OBJECT
  public:
    // The controls open as `options` says; the file's name stands at the top.
    ImportOptionsDialog(const std::string& fileName, const ImportOptions& options, QWidget* owner);

    // The controls' state as options. Only OK with a usable separator closes the dialog.
    ImportOptions Options() const;

  private:
    bool SeparatorUsable() const;
};

class DialogTableImportUi : public TableImportUi {
  public:
    explicit DialogTableImportUi(QWidget* owner) : owner(owner) {}
    bool ChooseImportOptions(const std::string& fileName, ImportOptions& options) override;
    // A message box in plain text: the report may name any character.
    void ShowImportReport(const std::string& text, bool failed) override;
    // A progress dialog with Cancel, shown once a parse takes a while.
    bool ShowImportProgress(std::size_t done, std::size_t total) override;
    void EndImportProgress() override;

  private:
    QWidget* owner;
    std::unique_ptr<QProgressDialog> progress;
};

// Printer Setup: Qt's print dialog, used for setup only (printer or PDF file, paper,
// orientation, copies; its accept button reads OK). The choice holds for the rest of the
// run, and Print and Print Preview use it; until one is made they use the default printer.
#pragma once

#include <QElapsedTimer>
#include <QPageLayout>
#include <memory>
#include <optional>

#include "output/print_commands.h"
#include "output/qt_print_device.h"

class QPrinter;
class QProgressDialog;
class QWidget;

class QtPrinterSetup {
  public:
    // Runs the dialog over `owner`, opened at the last choice (else the default
    // printer); true on OK, which makes the dialog's settings the choice.
    bool Run(QWidget* owner);
    // Takes the settings the dialog leaves in `printer` on OK.
    void Adopt(const QPrinter& printer);

    const std::optional<PrinterChoice>& Choice() const { return choice; }
    // The device of the next job: the chosen printer or file, else the default printer.
    std::unique_ptr<QtPrintDevice> MakeDevice() const;

  private:
    std::optional<PrinterChoice> choice;
};

// "Page n of m" with Cancel, once a job has run for half a second and looks like lasting
// about a second or more; shorter jobs show only the wait cursor.
class QtPrintProgress : public PrintProgress {
  public:
    explicit QtPrintProgress(QWidget* owner);
    ~QtPrintProgress() override;
    bool PageDone(int done, int pages) override;

  private:
    void End();

    QWidget* owner;
    std::unique_ptr<QProgressDialog> dialog;
    QElapsedTimer sinceUpdate;
    bool arrowPushed = false;
};

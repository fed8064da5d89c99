#include "output/qt_printer_setup.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>

#include "res/string_table.h"

namespace {

constexpr int kProgressAfterMs = 500;
// Often enough for the eye and for Cancel; drawing the dialog for every page would slow
// the job down.
constexpr int kUpdateEveryMs = 40;

QString Text(int id) { return QString::fromLatin1(LoadString(id).c_str()); }

void Apply(const PrinterChoice& choice, QPrinter& printer) {
    if (choice.toFile) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(choice.fileName);
    } else {
        printer.setPrinterName(choice.printerName);
    }
    printer.setPageLayout(choice.layout);
    printer.setCopyCount(choice.copies);
}

}  // namespace

bool QtPrinterSetup::Run(QWidget* owner) {
    QPrinter printer(QPrinter::HighResolution);
    if (choice) Apply(*choice, printer);
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(Text(kStrPrinterSetupTitle));
    // Setup only: no page range or selection, as a job always prints the whole listing.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>()) {
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
            ok->setText(Text(kStrPrinterSetupOk));
    }
    if (dialog.exec() != QDialog::Accepted) return false;
    Adopt(printer);
    return true;
}

void QtPrinterSetup::Adopt(const QPrinter& printer) {
    PrinterChoice chosen;
    chosen.toFile = printer.outputFormat() == QPrinter::PdfFormat;
    chosen.fileName = printer.outputFileName();
    chosen.printerName = printer.printerName();
    chosen.layout = printer.pageLayout();
    chosen.copies = printer.copyCount();
    choice = chosen;
}

std::unique_ptr<QtPrintDevice> QtPrinterSetup::MakeDevice() const {
    return choice ? std::make_unique<QtPrintDevice>(*choice) : std::make_unique<QtPrintDevice>();
}

QtPrintProgress::QtPrintProgress(QWidget* owner) : owner(owner) {}

QtPrintProgress::~QtPrintProgress() { End(); }

bool QtPrintProgress::PageDone(int done, int pages) {
    if (!dialog) {
        dialog = std::make_unique<QProgressDialog>(owner);
        dialog->setWindowTitle(QString::fromLatin1(kPrintCaption));
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setAutoReset(false);
        dialog->setAutoClose(false);
        dialog->setMinimumDuration(kProgressAfterMs);
        dialog->setRange(0, pages);
        dialog->setValue(0);
    } else if (done < pages && sinceUpdate.isValid() && sinceUpdate.elapsed() < kUpdateEveryMs) {
        return !dialog->wasCanceled();
    }
    sinceUpdate.start();
    dialog->setLabelText(Text(kStrPrintingPage).arg(qMin(done + 1, pages)).arg(pages));
    dialog->setValue(done);
    if (dialog->isVisible() && !arrowPushed) {
        // The wait cursor stays for short jobs; over the dialog the user may want Cancel.
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        arrowPushed = true;
    }
    const bool goOn = !dialog->wasCanceled();
    // Gone before the job is sent and reported: its own timer would otherwise show it over
    // the report of a job that ended long before.
    if (!goOn || done >= pages) End();
    return goOn;
}

void QtPrintProgress::End() {
    dialog.reset();
    if (arrowPushed) QApplication::restoreOverrideCursor();
    arrowPushed = false;
}

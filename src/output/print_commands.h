// The Print, Print Preview and Export commands of the main window: the element dialog,
// then the listing of the whole set on the chosen (else the default) printer, on screen,
// or in a text file.
#pragma once

#include <string>

#include "model/question_set.h"
#include "output/element_selection.h"
#include "output/listing_pages.h"
#include "output/print_device.h"
#include "platform/platform.h"

// The element dialog: shows `selection` ticked, and on OK writes the boxes back into it.
class ElementChooser {
  public:
    virtual ~ElementChooser() = default;
    // True on OK; on Cancel `selection` is left as it was.
    virtual bool ChooseElements(ElementSelection& selection) = 0;
};

// Shown when the system has no default printer; there is nothing else to print on.
constexpr const char* kNoPrinterText =
    "There is no default printer, so nothing was printed.\n\n"
    "Set up a printer in the system's printer settings and make it the default, then print "
    "again.";
constexpr const char* kPrintCaption = "Print";

// Writes every block in set order to `path`, each LF as CR LF, as question files are
// written: the old file stays as it was unless the whole new one is on disk. False on
// any failure.
bool WriteExportFile(const std::string& path, const Question_Set& questions,
                     const ElementSelection& selection);

// The save dialog's settings for an export: one filter, the default extension TXT,
// overwrite confirmation.
FileDialogData ExportDialogData();

// Watches a job page by page, so a long one can show how far it is and be stopped.
class PrintProgress {
  public:
    virtual ~PrintProgress() = default;
    // Told when page `done` of `pages` is drawn; false cancels the job.
    virtual bool PageDone(int done, int pages) = 0;
};

// The name of a job in the print queue and the title of its PDF: "Zentu - " and the
// file's name without its folder, or "Zentu - Untitled".
std::string PrintJobName(const std::string& filePath, bool untitled);

// The save dialog's settings when the chosen target is a PDF file: `fileName` offered,
// overwrite confirmation.
FileDialogData PdfDialogData(const std::string& fileName);

// The job's name, and who watches it (none: no progress, no counting of pages first).
struct PrintJob {
    std::string name = "TTextPrinter";
    PrintProgress* progress = nullptr;
};

// Print: the element dialog, then every block on the chosen or the default printer.
JobStatus PrintQuestions(const Question_Set& questions, ElementSelection& selection,
                         ElementChooser& chooser, PrintDevice& device, Platform& platform,
                         const PrintJob& job = {});
// The same without the element dialog, as the preview prints what it shows. A refused or
// failed job, or one waiting on a stopped printer, is reported; Cancel never is.
JobStatus PrintListing(const Question_Set& questions, const ElementSelection& selection,
                       PrintDevice& device, Platform& platform, const PrintJob& job = {});

class ListingPages;
// The preview as the core asks for it: shows the pages, and says whether to print them.
class ListingPreview {
  public:
    virtual ~ListingPreview() = default;
    virtual bool ShowPages(ListingPages& pages) = 0;
};

// Print Preview: the element dialog, then the pages Print would make on `device`'s
// printer, and Print if the user asks for it there.
void PreviewQuestions(const Question_Set& questions, ElementSelection& selection,
                      ElementChooser& chooser, PrintDevice& device, ListingPreview& preview,
                      Platform& platform, const PrintJob& job = {});
// Export: the element dialog, the save dialog, then the file.
void ExportQuestions(const Question_Set& questions, ElementSelection& selection,
                     ElementChooser& chooser, Platform& platform);

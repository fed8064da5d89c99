// The Print and Export commands of the main window: the element dialog, then the
// listing of the whole set on the default printer or in a text file.
#pragma once

#include <string>

#include "model/question_set.h"
#include "output/element_selection.h"
#include "output/print_device.h"
#include "platform/platform.h"

// The element dialog: shows `selection` ticked, and on OK writes the boxes back into it.
class ElementChooser {
  public:
    virtual ~ElementChooser() = default;
    // True on OK; on Cancel `selection` is left as it was.
    virtual bool ChooseElements(ElementSelection& selection) = 0;
};

// The listing's pitch: a condensed 17 characters and 6 lines per inch, TAB stops every 8.
constexpr int kPrintCharsPerInch = 17;
constexpr int kPrintLinesPerInch = 6;
constexpr int kPrintTabWidth = 8;

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

// Print: the element dialog, then every block on the default printer.
void PrintQuestions(const Question_Set& questions, ElementSelection& selection,
                    ElementChooser& chooser, PrintDevice& device, Platform& platform);
// Export: the element dialog, the save dialog, then the file.
void ExportQuestions(const Question_Set& questions, ElementSelection& selection,
                     ElementChooser& chooser, Platform& platform);

// The main window's Import and Export as Table commands, without any window: the file
// dialogs, the options, reading or writing, and what the user is told.
#pragma once

#include <string>

#include "exchange/table_format.h"
#include "exchange/table_reader.h"
#include "model/log_font.h"
#include "model/question_set.h"
#include "platform/platform.h"

// What Import asks of the windows beyond Platform: the options dialog, and a report box
// that can name any character (Platform's boxes take stored texts only).
class TableImportUi {
  public:
    virtual ~TableImportUi() = default;
    // Shows `options` for the file `fileName`; true on OK, with the user's choice in it.
    virtual bool ChooseImportOptions(const std::string& fileName, ImportOptions& options) = 0;
    // The report, UTF-8 lines; `failed` when nothing was imported.
    virtual void ShowImportReport(const std::string& text, bool failed) = 0;
    // How far a long parse has come; false when the user stops it. Done when it ends.
    virtual bool ShowImportProgress(std::size_t done, std::size_t total) = 0;
    virtual void EndImportProgress() = 0;
};

// The file dialogs' settings: tables, CSV and any file to import; tables or CSV to export.
FileDialogData ImportDialogData();
FileDialogData TableExportDialogData();

// Import: the open dialog, the file, the options (the separator as the file suggests, the
// rest as `options` held them last), the parse and its report. True when `out` holds the
// questions to install; otherwise nothing was imported.
bool RunImport(Platform& platform, TableImportUi& ui, FileDialogData& dialog,
               ImportOptions& options, ImportedTable& out);

// Export as Table: the save dialog, then the table in the kind its filter names; a name
// without an extension gets that kind's. "Unable to save file" when it cannot be written.
void RunTableExport(Platform& platform, FileDialogData& dialog, const Question_Set& questions,
                    const LogFont* font);

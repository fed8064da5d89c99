#include "exchange/exchange_commands.h"

#include <filesystem>
#include <system_error>

#include "exchange/table_writer.h"
#include "res/string_table.h"

FileDialogData ImportDialogData() {
    FileDialogData data;
    data.flags = kOfnFileMustExist | kOfnHideReadOnly;
    data.filter = LoadString(kStrImportFilter);
    data.filterIndex = 1;
    return data;
}

FileDialogData TableExportDialogData() {
    FileDialogData data;
    data.flags = kOfnOverwritePrompt | kOfnHideReadOnly;
    data.filter = LoadString(kStrTableFilter);
    data.filterIndex = 1;
    return data;
}

bool RunImport(Platform& platform, TableImportUi& ui, FileDialogData& dialog,
               ImportOptions& options, ImportedTable& out) {
    if (!platform.RunOpenDialog(dialog)) return false;
    const std::string& path = dialog.fileName;
    ImportReport report;
    std::string bytes;
    if (!ReadTableBytes(path, bytes, report)) {
        ui.ShowImportReport(DescribeImport(report, path, kStrImportReplaceHint, false), true);
        return false;
    }
    ImportOptions chosen = options;
    chosen.separator = DetectSeparator(bytes);
    if (!ui.ChooseImportOptions(path, chosen)) return false;
    options = chosen;
    platform.SetWaitCursor(true);
    const bool read = ParseTable(
        std::move(bytes), chosen, out, report,
        [&ui](std::size_t done, std::size_t total) { return ui.ShowImportProgress(done, total); });
    ui.EndImportProgress();
    platform.SetWaitCursor(false);
    // Stopped by the user: nothing to tell.
    if (report.problem == ImportProblem::Cancelled) return false;
    std::string text = DescribeImport(report, path, kStrImportReplaceHint, read);
    if (!read) text += "\n" + LoadString(kStrImportNothingChanged);
    ui.ShowImportReport(text, !read);
    return read;
}

void RunTableExport(Platform& platform, FileDialogData& dialog, const Question_Set& questions,
                    const LogFont* font) {
    if (!platform.RunSaveDialog(dialog)) return;
    const TableKind kind =
        dialog.filterIndex == 2 ? TableKind::CommaSeparated : TableKind::TabSeparated;
    std::string& path = dialog.fileName;
    const std::size_t slash = path.rfind('/');
    if (path.find('.', slash == std::string::npos ? 0 : slash) == std::string::npos) {
        path += kind == TableKind::CommaSeparated ? ".csv" : ".tsv";
        // The dialog asked about the name as typed; the file it names now may exist.
        std::error_code error;
        if (std::filesystem::exists(path, error) &&
            platform.ShowMessage(MessageOwner::Window, FormatText(kStrTableReplace, {path}),
                                 LoadString(kStrTableCaption), MessageButtons::OkCancel,
                                 MessageIcon::Question) != MessageResult::Ok) {
            return;
        }
    }
    platform.SetWaitCursor(true);
    const bool written = WriteTableFile(path, questions, font, kind);
    platform.SetWaitCursor(false);
    if (!written) {
        platform.ShowMessage(MessageOwner::Window, LoadString(kStrUnableToSave),
                             LoadString(kStrFileError), MessageButtons::Ok,
                             MessageIcon::Exclamation);
    }
}

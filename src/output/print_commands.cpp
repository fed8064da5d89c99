#include "output/print_commands.h"

#include <string_view>

#include "model/safe_file.h"
#include "output/text_printer.h"
#include "res/string_table.h"

namespace {

constexpr std::size_t kExportPieceBytes = 256 * 1024;

// Text-mode writing: each LF becomes CR LF, every other byte stays as it is.
void AppendWithCrLf(std::string& out, std::string_view block) {
    for (char ch : block) {
        if (ch == '\n') out += '\r';
        out += ch;
    }
}

// Calls `piece` with the export text in pieces of about kExportPieceBytes.
template <typename PieceFn>
bool ProduceExport(const Question_Set& questions, const ElementSelection& selection,
                   PieceFn&& piece) {
    std::string block;
    std::string buffer;
    int number = 0;
    for (const Zentu_Data& record : questions) {
        block.clear();
        AppendQuestionBlock(block, ++number, record, selection);
        AppendWithCrLf(buffer, block);
        if (buffer.size() >= kExportPieceBytes) {
            if (!piece(std::string_view(buffer))) return false;
            buffer.clear();
        }
    }
    return buffer.empty() || piece(std::string_view(buffer));
}

}  // namespace

bool WriteExportFile(const std::string& path, const Question_Set& questions,
                     const ElementSelection& selection) {
    return WriteFileAtomically(
        path, [&](const ContentSink& sink) { return ProduceExport(questions, selection, sink); });
}

FileDialogData ExportDialogData() {
    FileDialogData data;
    data.flags = kOfnOverwritePrompt | kOfnHideReadOnly;
    data.filter = "Text Files (*.TXT)|*.txt|";
    data.filterIndex = 1;
    data.defaultExt = "TXT";
    return data;
}

void PrintQuestions(const Question_Set& questions, ElementSelection& selection,
                    ElementChooser& chooser, PrintDevice& device, Platform& platform) {
    if (!chooser.ChooseElements(selection)) return;
    platform.SetWaitCursor(true);
    bool printed = false;
    {
        TTextPrinter printer(device, MakePitch(kPrintCharsPerInch, kPrintLinesPerInch),
                             kPrintTabWidth, 0);
        if (printer.HasPrinter()) {
            std::string block;
            int number = 0;
            for (const Zentu_Data& record : questions) {
                block.clear();
                AppendQuestionBlock(block, ++number, record, selection);
                printer.PutString(block);
            }
            printed = true;
        }
        // The job goes to the printer when the printer object ends it: the wait lasts till then.
    }
    platform.SetWaitCursor(false);
    if (!printed) {
        platform.ShowMessage(MessageOwner::Window, kNoPrinterText, kPrintCaption,
                             MessageButtons::Ok, MessageIcon::Exclamation);
    }
}

void ExportQuestions(const Question_Set& questions, ElementSelection& selection,
                     ElementChooser& chooser, Platform& platform) {
    if (!chooser.ChooseElements(selection)) return;
    FileDialogData dialog = ExportDialogData();
    // No wait cursor over the save dialog: the user is the one to act there.
    if (!platform.RunSaveDialog(dialog)) return;
    platform.SetWaitCursor(true);
    const bool written = WriteExportFile(dialog.fileName, questions, selection);
    platform.SetWaitCursor(false);
    if (!written) {
        platform.ShowMessage(MessageOwner::Window, LoadString(kStrUnableToSave),
                             LoadString(kStrFileError), MessageButtons::Ok,
                             MessageIcon::Exclamation);
    }
}

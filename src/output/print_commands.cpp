#include "output/print_commands.h"

#include <string_view>

#include "model/safe_file.h"
#include "output/listing_pages.h"
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
    for (const Zentu_View record : questions) {
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

std::string PrintJobName(const std::string& filePath, bool untitled) {
    const std::size_t slash = filePath.find_last_of('/');
    const std::string name = slash == std::string::npos ? filePath : filePath.substr(slash + 1);
    return LoadString(kStrJobNamePrefix) +
           (untitled || name.empty() ? LoadString(kStrJobUntitled) : name);
}

FileDialogData PdfDialogData(const std::string& fileName) {
    FileDialogData data;
    data.fileName = fileName;
    data.flags = kOfnOverwritePrompt | kOfnHideReadOnly;
    data.filter = LoadString(kStrPdfFilter);
    data.filterIndex = 1;
    data.defaultExt = LoadString(kStrPdfExt);
    return data;
}

namespace {

void ShowNoPrinter(Platform& platform) {
    platform.ShowMessage(MessageOwner::Window, kNoPrinterText, kPrintCaption, MessageButtons::Ok,
                         MessageIcon::Exclamation);
}

// The system's own words follow ours, when it gave any.
std::string WithReason(int textId, const std::string& reason) {
    return reason.empty() ? LoadString(textId) : LoadString(textId) + "\n\n" + reason;
}

void ReportJob(const JobResult& result, Platform& platform) {
    switch (result.status) {
        case JobStatus::Done:
        case JobStatus::Cancelled:
            return;
        case JobStatus::Waiting:
            platform.ShowMessage(MessageOwner::Window, LoadString(kStrJobWaiting), kPrintCaption,
                                 MessageButtons::Ok, MessageIcon::Information);
            return;
        case JobStatus::Refused:
            platform.ShowMessage(MessageOwner::Window, WithReason(kStrJobRefused, result.reason),
                                 kPrintCaption, MessageButtons::Ok, MessageIcon::Exclamation);
            return;
        case JobStatus::NotMade:
            platform.ShowMessage(MessageOwner::Window, WithReason(kStrJobNotMade, result.reason),
                                 kPrintCaption, MessageButtons::Ok, MessageIcon::Exclamation);
            return;
    }
}

}  // namespace

JobStatus PrintListing(const Question_Set& questions, const ElementSelection& selection,
                       PrintDevice& device, Platform& platform, const PrintJob& job) {
    if (device.PrintsToFile()) {
        FileDialogData dialog = PdfDialogData(device.OutputFile());
        if (!platform.RunSaveDialog(dialog)) return JobStatus::Cancelled;
        device.SetOutputFile(dialog.fileName);
    }
    platform.SetWaitCursor(true);
    JobResult result{JobStatus::Cancelled, {}, 0};
    bool printed = false;
    {
        TTextPrinter printer = ListingPrinter(device, job.name);
        if (printer.HasPrinter()) {
            printed = true;
            // Counting the pages first costs a dry run of the grid, so only a watched job does.
            const int pages =
                job.progress ? ListingPages(questions, selection, device.Area()).Count() : 0;
            const auto pageDone = [&](const ListingPosition&) {
                return job.progress->PageDone(printer.Pages() - 1, pages);
            };
            const bool whole = job.progress
                                   ? FeedListing(questions, selection, printer, {}, pageDone)
                                   : FeedListing(questions, selection, printer, {},
                                                 [](const ListingPosition&) { return true; });
            if (whole && (!job.progress || job.progress->PageDone(pages, pages))) {
                // The job goes to the printer when the printer ends it: the wait lasts till then.
                result = printer.Finish();
            } else {
                printer.Cancel();
            }
        }
    }
    platform.SetWaitCursor(false);
    if (!printed) {
        ShowNoPrinter(platform);
        return JobStatus::Cancelled;
    }
    ReportJob(result, platform);
    return result.status;
}

JobStatus PrintQuestions(const Question_Set& questions, ElementSelection& selection,
                         ElementChooser& chooser, PrintDevice& device, Platform& platform,
                         const PrintJob& job) {
    if (!chooser.ChooseElements(selection)) return JobStatus::Cancelled;
    return PrintListing(questions, selection, device, platform, job);
}

void PreviewQuestions(const Question_Set& questions, ElementSelection& selection,
                      ElementChooser& chooser, PrintDevice& device, ListingPreview& preview,
                      Platform& platform, const PrintJob& job) {
    if (!chooser.ChooseElements(selection)) return;
    if (!device.OpenPrinter()) {
        ShowNoPrinter(platform);
        return;
    }
    // The pages are found and drawn as they are shown.
    ListingPages pages(questions, selection, device.Area());
    if (preview.ShowPages(pages)) PrintListing(questions, selection, device, platform, job);
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

// A print job beyond its pages: its name, the file target's name, progress and Cancel,
// how it ended as the user hears of it, and the preview in front of it.
#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "fakes/recording_print_device.h"
#include "output/listing_pages.h"
#include "output/print_commands.h"

namespace {

std::string Joined(const std::vector<std::string>& calls) {
    std::string joined;
    for (const std::string& call : calls) joined += call + ";";
    return joined;
}

struct Confirm : ElementChooser {
    bool ok = true;
    bool ChooseElements(ElementSelection&) override { return ok; }
};

// Notes every report; answers false (Cancel) once `cancelAt` pages are done.
struct ScriptedProgress : PrintProgress {
    int cancelAt = -1;
    std::string seen;
    bool PageDone(int done, int pages) override {
        seen += std::to_string(done) + "/" + std::to_string(pages) + " ";
        return done != cancelAt;
    }
};

// Shows nothing; notes the pages it was given and answers Print or Close.
struct ScriptedPreview : ListingPreview {
    bool print = false;
    int shownPages = -1;
    bool ShowPages(ListingPages& pages) override {
        shownPages = pages.Count();
        return print;
    }
};

TEST(PrintJob, IsNamedAfterTheFile) {
    const struct {
        std::string path;
        bool untitled;
        std::string name;
    } cases[] = {
        {"/home/ann/capitals.que", false, "Zentu - capitals.que"},
        {"capitals.que", false, "Zentu - capitals.que"},
        {"/home/ann/capitals.que", true, "Zentu - Untitled"},
        {"", true, "Zentu - Untitled"},
    };
    for (const auto& c : cases) EXPECT_EQ(PrintJobName(c.path, c.untitled), c.name) << c.path;
}

// Three pages of 60 lines: 75 questions of two lines each.
TEST(PrintJob, ReportsHowItEndedAndStopsOnCancel) {
    Question_Set set;
    for (int i = 0; i < 75; ++i) set.Append(Zentu_Data{"q", "a", "h", "", ""});
    const std::string refused = "The printer did not take the job.\n\nnot accepting jobs";
    const std::string wait = "SetWaitCursor on;SetWaitCursor off;",
                      told = wait + "ShowMessage Print;", pages = "1/3 2/3 3/3 ";
    const struct {
        const char* name;
        JobResult result;
        int cancelAt;
        std::string file;                     // a PDF file target, else a printer
        std::optional<std::string> fileName;  // the save dialog's answer
        std::string calls, progress, message;
    } cases[] = {
        // clang-format off
        {"done", {JobStatus::Done, "", 0}, -1, "", {}, wait, pages, ""},
        {"refused with the reason", {JobStatus::Refused, "not accepting jobs", 0}, -1, "", {}, told,
         pages, refused},
        {"waiting on a stopped printer", {JobStatus::Waiting, "", 7}, -1, "", {}, told, pages,
         "The job is waiting: the printer is stopped. It will print once the printer is started "
         "again."},
        {"not made, without words", {JobStatus::NotMade, "", 0}, -1, "", {}, told, pages,
         "The print job could not be made."},
        {"cancelled mid-job", {}, 1, "", {}, wait, "1/3 ", ""},
        {"cancelled after the last page", {}, 3, "", {}, wait, pages, ""},
        {"a PDF file, its name asked", {}, -1, "/old.pdf", "/new.pdf", "RunSaveDialog;" + wait,
         pages, ""},
        {"a PDF file, its name not given", {}, -1, "/old.pdf", std::nullopt, "RunSaveDialog;", "",
         ""},
        // clang-format on
    };
    for (const auto& c : cases) {
        RecordingPrintDevice device;
        device.result = c.result;
        device.file = c.file;
        FakePlatform platform;
        if (c.fileName) platform.saveAnswers = {FakePlatform::FileChoice{*c.fileName}};
        ScriptedProgress progress;
        progress.cancelAt = c.cancelAt;
        ElementSelection selection;
        selection.Set(Element::Question, true);
        Confirm chooser;
        const JobStatus status =
            PrintQuestions(set, selection, chooser, device, platform, {"Zentu - x.que", &progress});
        EXPECT_EQ(Joined(platform.calls), c.calls) << c.name;
        EXPECT_EQ(progress.seen, c.progress) << c.name;
        EXPECT_EQ(platform.messages.empty() ? "" : platform.messages[0].text, c.message) << c.name;
        const bool cancelled = c.cancelAt >= 0 || (!c.file.empty() && !c.fileName);
        EXPECT_EQ(status, cancelled ? JobStatus::Cancelled : c.result.status) << c.name;
        // Cancel drops the document; nothing is ended and sent.
        const std::string tail = device.calls.empty() ? "" : device.calls.back();
        EXPECT_EQ(tail, c.cancelAt >= 0 ? "cancel" : (cancelled ? "" : "enddoc")) << c.name;
        if (!device.calls.empty()) {
            EXPECT_EQ(device.calls[1], "doc Zentu - x.que");
        }
        for (const FileDialogData& data : platform.saveRequests) {
            EXPECT_EQ(data.fileName + "|" + data.filter + data.defaultExt,
                      "/old.pdf|PDF Files (*.pdf)|*.pdf|PDF");
            EXPECT_EQ(data.flags & kOfnOverwritePrompt, kOfnOverwritePrompt);
        }
        if (c.fileName && !cancelled) {
            EXPECT_EQ(device.file, *c.fileName);
        }
        for (const FakePlatform::Message& message : platform.messages) {
            EXPECT_EQ(message.icon, c.result.status == JobStatus::Waiting
                                        ? MessageIcon::Information
                                        : MessageIcon::Exclamation);
        }
    }
}

TEST(PrintPreview, ShowsThePagesPrintWouldMakeAndPrintsThemOnRequest) {
    Question_Set set;
    for (int i = 0; i < 90; ++i) set.Append(Zentu_Data{"q", "a", "", "", ""});  // 180 lines
    const struct {
        bool elementsOk, printer, print;
        int shownPages;
        std::string deviceCalls, platformCalls;
    } cases[] = {
        {false, true, true, -1, "", ""},
        {true, false, true, -1, "open;", "ShowMessage Print;"},
        {true, true, false, 4, "open;", ""},
        {true, true, true, 4,
         "open;open;doc Zentu - y;start;end;start;end;start;end;start;end;enddoc;",
         "SetWaitCursor on;SetWaitCursor off;"},
    };
    for (const auto& c : cases) {
        RecordingPrintDevice device;
        device.hasPrinter = c.printer;
        FakePlatform platform;
        Confirm chooser;
        chooser.ok = c.elementsOk;
        ScriptedPreview preview;
        preview.print = c.print;
        ElementSelection selection;
        selection.Set(Element::Question, true);
        PreviewQuestions(set, selection, chooser, device, preview, platform, {"Zentu - y"});
        EXPECT_EQ(preview.shownPages, c.shownPages);
        EXPECT_EQ(Joined(device.calls), c.deviceCalls);
        EXPECT_EQ(Joined(platform.calls), c.platformCalls);
    }
}

}  // namespace

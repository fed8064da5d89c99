// Printing a long listing: 10,000 questions with every element ticked, through the text
// printer onto a PDF device, against drawing the same characters line by line with one
// font set once (the least any printer of this listing must do). The figures are the
// ratios of time and of job size, measured back to back in each iteration. Beside it, the
// preview's first page against the print's first page, and a job with its progress dialog
// against the same job without.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <chrono>
#include <string>
#include <vector>

#include "bench_support.h"
#include "framework/codepage.h"
#include "model/question_set.h"
#include "output/element_selection.h"
#include "output/listing_pages.h"
#include "output/print_commands.h"
#include "output/print_preview_window.h"
#include "output/qt_print_device.h"
#include "output/qt_printer_setup.h"
#include "output/text_printer.h"

namespace {

constexpr int kQuestions = 10000;

Question_Set MakeQuestions() {
    Question_Set set;
    for (int i = 0; i < kQuestions; ++i) {
        Zentu_Data record;
        record.question = "What is the capital of country number " + std::to_string(i) +
                          " (\xE9t\xE9, gr\xFC\xDF"
                          "e)?";
        record.answer = "City " + std::to_string(i) + ",Capital " + std::to_string(i * 7);
        record.hint = i % 3 == 0 ? "" : "It starts with C\r\nand ends with a number";
        record.useHint = i % 2 == 0;
        record.answerMethod = static_cast<AnswerMethod>(1 << (i % 4));
        set.Append(record);
    }
    return set;
}

ElementSelection AllTicked() {
    ElementSelection selection;
    selection.values.fill(1);
    return selection;
}

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double PrintListing(const Question_Set& set, const QString& path) {
    const auto start = std::chrono::steady_clock::now();
    QtPrintDevice device(path, QPageSize(QPageSize::Letter));
    {
        TTextPrinter printer(device, MakePitch(kPrintCharsPerInch, kPrintLinesPerInch),
                             kPrintTabWidth, 0);
        const ElementSelection selection = AllTicked();
        std::string block;
        int number = 0;
        for (const auto& record : set) {
            block.clear();
            AppendQuestionBlock(block, ++number, record, selection);
            printer.PutString(block);
        }
    }
    return Since(start);
}

// The listing's lines as the grid breaks them: the printed characters only, cut at the
// right edge, CR LF inside a text one break.
std::vector<std::vector<QString>> PagesOfLines(const Question_Set& set, int columns, int lines) {
    std::vector<std::vector<QString>> pages(1);
    QString current;
    auto endLine = [&] {
        pages.back().push_back(current);
        current.clear();
        if (static_cast<int>(pages.back().size()) == lines) pages.emplace_back();
    };
    const ElementSelection selection = AllTicked();
    int number = 0;
    for (const auto& record : set) {
        for (char ch : ComposeQuestionBlock(++number, record, selection)) {
            const auto byte = static_cast<unsigned char>(ch);
            if (ch == '\n') {
                endLine();
            } else if (TakesCell(byte)) {
                current += ByteToChar(byte);
                if (current.size() == columns) endLine();
            }
        }
    }
    return pages;
}

double DrawLines(const std::vector<std::vector<QString>>& pages, const QString& path) {
    const auto start = std::chrono::steady_clock::now();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    QPainter painter(&printer);
    const double lineHeight = static_cast<double>(printer.resolution()) / kPrintLinesPerInch;
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(static_cast<int>(lineHeight));
    painter.setFont(font);
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page > 0) printer.newPage();
        for (std::size_t line = 0; line < pages[page].size(); ++line) {
            painter.drawText(QPointF(0, (line + 0.8) * lineHeight), pages[page][line]);
        }
    }
    painter.end();
    return Since(start);
}

void BmPrintListing(benchmark::State& state) {
    const Question_Set set = MakeQuestions();
    QTemporaryDir dir;
    const QString listing = dir.filePath(QStringLiteral("listing.pdf"));
    const QString baseline = dir.filePath(QStringLiteral("lines.pdf"));
    // The grid of the printed listing, taken from the same device.
    QtPrintDevice probe(listing, QPageSize(QPageSize::Letter));
    probe.OpenPrinter();
    const PrintableArea area = probe.Area();
    const auto pages = PagesOfLines(set, area.width / area.pixelsPerInchX * kPrintCharsPerInch,
                                    area.height / area.pixelsPerInchY * kPrintLinesPerInch);
    double printed = 0, lines = 0;
    for (auto _ : state) {
        const double seconds = PrintListing(set, listing);
        state.SetIterationTime(seconds);
        printed += seconds;
        lines += DrawLines(pages, baseline);
    }
    const double n = double(state.iterations());
    const double listingBytes = double(QFileInfo(listing).size());
    const double lineBytes = double(QFileInfo(baseline).size());
    state.counters["x_time"] = printed / lines;
    state.counters["x_size"] = listingBytes / lineBytes;
    state.counters["lines_ms"] = lines / n * 1e3;
    state.counters["pages"] = double(pages.size());
    state.counters["listing_MB"] = listingBytes / 1e6;
    state.counters["lines_MB"] = lineBytes / 1e6;
}

BENCHMARK(BmPrintListing)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// The first page on paper: the job opened, page 1 drawn and ended, the rest dropped.
double FirstPrintedPage(const Question_Set& set, const QString& path) {
    const auto start = std::chrono::steady_clock::now();
    QtPrintDevice device(path, QPageSize(QPageSize::Letter));
    TTextPrinter printer = ListingPrinter(device, "first page");
    FeedListing(set, AllTicked(), printer, {}, [](const ListingPosition&) { return false; });
    const double seconds = Since(start);
    printer.Cancel();
    return seconds;
}

// The first page on screen: the dry run over the whole listing, then the window with its
// first page drawn.
double FirstPreviewPage(const Question_Set& set, const QString& path) {
    const auto start = std::chrono::steady_clock::now();
    QtPrintDevice device(path, QPageSize(QPageSize::Letter));
    device.OpenPrinter();
    ListingPages pages(set, AllTicked(), device.Area());
    PrintPreviewWindow window(pages, device.Layout(), nullptr);
    // Unshown, the window has no room yet: the page drawn at a screen's size, as the
    // window paints it.
    window.SetZoom(96);
    benchmark::DoNotOptimize(window.PageImage());
    return Since(start);
}

void BmPreviewFirstPage(benchmark::State& state) {
    const Question_Set set = MakeQuestions();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("first.pdf"));
    // Fonts, glyph caches and the style are loaded once per run: neither side pays for them.
    FirstPreviewPage(set, path);
    FirstPrintedPage(set, path);
    // Each side in a block of its own: in turns, the two font sizes evict each other's
    // glyphs, which a user who previews and then prints does not pay for on every page.
    double preview = 0, printed = 0;
    for (auto _ : state) {
        const double seconds = FirstPreviewPage(set, path);
        state.SetIterationTime(seconds);
        preview += seconds;
    }
    for (std::int64_t i = 0; i < state.iterations(); ++i) printed += FirstPrintedPage(set, path);
    state.counters["x_time"] = preview / printed;
    state.counters["printed_ms"] = printed / double(state.iterations()) * 1e3;
}

BENCHMARK(BmPreviewFirstPage)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

// The whole job as Print makes it, with the progress dialog (which counts the pages first)
// and without.
double PrintJob(const Question_Set& set, const QString& path, bool withProgress) {
    const auto start = std::chrono::steady_clock::now();
    QtPrintDevice device(path, QPageSize(QPageSize::Letter));
    SilentPlatform platform;
    QtPrintProgress progress(nullptr);
    PrintListing(set, AllTicked(), device, platform,
                 {"Zentu - bench", withProgress ? &progress : nullptr});
    return Since(start);
}

void BmPrintWithProgress(benchmark::State& state) {
    const Question_Set set = MakeQuestions();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("job.pdf"));
    double with = 0, without = 0;
    for (auto _ : state) {
        const double seconds = PrintJob(set, path, true);
        state.SetIterationTime(seconds);
        with += seconds;
        without += PrintJob(set, path, false);
    }
    state.counters["x_time"] = with / without;
    state.counters["without_ms"] = without / double(state.iterations()) * 1e3;
}

BENCHMARK(BmPrintWithProgress)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    // Fonts need the application object; no window is shown.
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

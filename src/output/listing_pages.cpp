#include "output/listing_pages.h"

#include <algorithm>

// A printer that draws nothing, for the dry run: the grid alone says where pages begin.
class GridOnlyDevice : public PrintDevice {
  public:
    explicit GridOnlyDevice(const PrintableArea& area) : area(area) {}
    bool OpenPrinter() override { return true; }
    PrintableArea Area() const override { return area; }
    void StartDocument(const std::string&, const CellGrid&) override {}
    void StartPage() override {}
    void EndPage() override {}
    JobResult EndDocument() override { return {}; }
    void DrawChar(unsigned char, int, int) override {}

  private:
    PrintableArea area;
};

TTextPrinter ListingPrinter(PrintDevice& device, const std::string& documentName) {
    return TTextPrinter(device, MakePitch(kPrintCharsPerInch, kPrintLinesPerInch), kPrintTabWidth,
                        0, documentName);
}

bool FeedListing(const Question_Set& questions, const ElementSelection& selection,
                 TTextPrinter& printer, ListingPosition from,
                 const std::function<bool(const ListingPosition&)>& pageStarted, std::size_t end) {
    std::string block;
    end = std::min(end, questions.Count());
    for (std::size_t index = from.question; index < end; ++index) {
        block.clear();
        AppendQuestionBlock(block, static_cast<int>(index) + 1, questions.View(index + 1),
                            selection);
        std::size_t offset = index == from.question ? from.offset : 0;
        while (offset < block.size()) {
            const int pages = printer.Pages();
            printer.PutChar(block[offset++]);
            if (printer.Pages() == pages) continue;
            // The page begins with the byte after the one that ended the last page.
            const ListingPosition next = offset < block.size() ? ListingPosition{index, offset}
                                                               : ListingPosition{index + 1, 0};
            if (!pageStarted(next)) return false;
        }
    }
    return true;
}

ListingPages::ListingPages(const Question_Set& questions, const ElementSelection& selection,
                           const PrintableArea& area)
    : questions(questions),
      selection(selection),
      area(area),
      starts(1),
      grid(std::make_unique<GridOnlyDevice>(area)) {}

ListingPages::~ListingPages() {
    if (dryRun) dryRun->Cancel();
}

bool ListingPages::IndexMore(std::size_t count) {
    if (done) return true;
    if (!dryRun)
        dryRun = std::make_unique<TTextPrinter>(
            *grid, MakePitch(kPrintCharsPerInch, kPrintLinesPerInch), kPrintTabWidth, 0);
    const std::size_t end =
        count > questions.Count() - indexed ? questions.Count() : indexed + count;
    FeedListing(
        questions, selection, *dryRun, {indexed, 0},
        [this](const ListingPosition& at) {
            starts.push_back(at);
            return true;
        },
        end);
    indexed = end;
    done = indexed == questions.Count();
    return done;
}

bool ListingPages::Reach(int page) {
    constexpr std::size_t kStep = 64;
    while (!done && Known() <= page) IndexMore(kStep);
    return page >= 0 && page < Known();
}

int ListingPages::Count() {
    IndexMore(questions.Count());
    return Known();
}

void ListingPages::DrawPage(int page, PrintDevice& device) {
    if (!Reach(page)) return;
    TTextPrinter printer = ListingPrinter(device, {});
    FeedListing(questions, selection, printer, Start(page),
                [](const ListingPosition&) { return false; });
}

#include "output/listing_pages.h"

#include "output/print_commands.h"

namespace {

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

}  // namespace

TTextPrinter ListingPrinter(PrintDevice& device, const std::string& documentName) {
    return TTextPrinter(device, MakePitch(kPrintCharsPerInch, kPrintLinesPerInch), kPrintTabWidth,
                        0, documentName);
}

bool FeedListing(const Question_Set& questions, const ElementSelection& selection,
                 TTextPrinter& printer, ListingPosition from,
                 const std::function<bool(const ListingPosition&)>& pageStarted) {
    std::string block;
    for (std::size_t index = from.question; index < questions.Count(); ++index) {
        block.clear();
        AppendQuestionBlock(block, static_cast<int>(index) + 1, questions.At(index + 1), selection);
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
    : questions(questions), selection(selection), area(area) {
    GridOnlyDevice grid(area);
    TTextPrinter printer = ListingPrinter(grid, {});
    starts.push_back({});
    FeedListing(questions, this->selection, printer, {}, [this](const ListingPosition& at) {
        starts.push_back(at);
        return true;
    });
    printer.Cancel();
}

void ListingPages::DrawPage(int page, PrintDevice& device) const {
    TTextPrinter printer = ListingPrinter(device, {});
    FeedListing(questions, selection, printer, Start(page),
                [](const ListingPosition&) { return false; });
}

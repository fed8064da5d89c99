// The listing of a question set as pages of the printing grid: where each page begins,
// found by a dry run of the grid that draws nothing, so that any one page can be drawn
// alone (the preview draws only the pages it shows) and a job can say "page n of m". The
// dry run goes only as far as it is asked: the first page needs none of it.
#pragma once

#include <cstddef>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "model/question_set.h"
#include "output/element_selection.h"
#include "output/print_device.h"
#include "output/text_printer.h"

// The listing's pitch: a condensed 17 characters and 6 lines per inch, TAB stops every 8.
constexpr int kPrintCharsPerInch = 17;
constexpr int kPrintLinesPerInch = 6;
constexpr int kPrintTabWidth = 8;

// A place in the listing: the blocks of all questions one after the other. A page always
// begins at line 0, column 0, so its first byte is all a page needs to be drawn alone.
struct ListingPosition {
    std::size_t question = 0;  // index in the set, from 0
    std::size_t offset = 0;    // byte of that question's block
    bool operator==(const ListingPosition& other) const {
        return question == other.question && offset == other.offset;
    }
};

// Feeds the listing from `from` on into `printer`, up to (not including) question index
// `end`. Each time the printer starts a new page, `pageStarted` gets the place where that
// page begins; it answers false to stop there. False when stopped, else true.
bool FeedListing(const Question_Set& questions, const ElementSelection& selection,
                 TTextPrinter& printer, ListingPosition from,
                 const std::function<bool(const ListingPosition&)>& pageStarted,
                 std::size_t end = std::numeric_limits<std::size_t>::max());

class GridOnlyDevice;

class ListingPages {
  public:
    // `questions` must outlive the pages and stay as it is while they are in use.
    ListingPages(const Question_Set& questions, const ElementSelection& selection,
                 const PrintableArea& area);
    ~ListingPages();

    // Pages known so far: all of them once Complete().
    int Known() const { return static_cast<int>(starts.size()); }
    bool Complete() const { return done; }
    // Runs the grid over at most `count` more questions; true once the listing is done.
    bool IndexMore(std::size_t count);
    // Runs it until page `page` (from 0) is known; false when the listing has fewer pages.
    bool Reach(int page);
    // Every page, counted to the end.
    int Count();
    const ListingPosition& Start(int page) const { return starts[static_cast<std::size_t>(page)]; }
    const PrintableArea& Area() const { return area; }
    // Draws page `page` (from 0) as a document of one page on `device`, which must offer
    // the same printable area.
    void DrawPage(int page, PrintDevice& device);

  private:
    const Question_Set& questions;
    ElementSelection selection;
    PrintableArea area;
    std::vector<ListingPosition> starts;
    std::unique_ptr<GridOnlyDevice> grid;
    std::unique_ptr<TTextPrinter> dryRun;
    std::size_t indexed = 0;  // questions the dry run has passed
    bool done = false;
};

// The printer of the listing: its pitch, TAB width and black text.
TTextPrinter ListingPrinter(PrintDevice& device, const std::string& documentName);

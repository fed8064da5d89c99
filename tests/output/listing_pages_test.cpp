#include "output/listing_pages.h"

#include <gtest/gtest.h>

#include "fakes/recording_print_device.h"

namespace {

// Drawing any page alone from the dry run's index gives that very page of the whole
// print, and the index counts the print's pages: breaks inside a block, at a block's end,
// after a form feed, with overprinting and tabs, and on grids of one cell.
TEST(ListingPages, EachPageDrawnAloneIsThatPageOfTheWholePrint) {
    Question_Set varied;
    const std::string texts[] = {"short",    std::string(300, 'w'), "a\fb", "\t\ttab",
                                 "over\rXY", "one\r\ntwo\r\nthree", "",     std::string(59, '\n')};
    for (int i = 0; i < 40; ++i) {
        varied.Append(Zentu_Data{texts[i % 8], "answer " + std::to_string(i), "hint", "", ""});
    }
    ElementSelection all;
    all.values.fill(1);
    const struct {
        const char* name;
        PrintableArea area;
        ElementSelection selection;
    } cases[] = {
        {"letter", {850, 1090, 100, 100}, all},
        {"one inch square", {100, 100, 100, 100}, all},
        {"narrow and tall at 1200 ppi", {2400, 9600, 1200, 1200}, all},
        {"less than a cell", {10, 10, 100, 100}, all},
        {"numbers only", {200, 100, 100, 100}, ElementSelection{}},
    };
    for (const auto& c : cases) {
        RecordingPrintDevice whole;
        whole.area = c.area;
        {
            TTextPrinter printer = ListingPrinter(whole, "job");
            EXPECT_TRUE(FeedListing(varied, c.selection, printer, {},
                                    [](const ListingPosition&) { return true; }));
        }
        ListingPages pages(varied, c.selection, c.area);
        ASSERT_EQ(std::size_t(pages.Count()), whole.pages.size()) << c.name;
        for (int page = 0; page < pages.Count(); ++page) {
            RecordingPrintDevice alone;
            alone.area = c.area;
            pages.DrawPage(page, alone);
            ASSERT_FALSE(alone.pages.empty());
            EXPECT_EQ(alone.pages.front(), whole.pages[std::size_t(page)])
                << c.name << ", page " << page;
        }
    }
    EXPECT_EQ(ListingPages(Question_Set{}, all, {850, 1090, 100, 100}).Count(), 1);
}

}  // namespace

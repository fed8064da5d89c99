#include "output/text_printer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/recording_print_device.h"

namespace {

using Pages = std::vector<std::vector<std::string>>;

struct PrintCase {
    const char* name;
    std::string text;
    Pages pages;  // the lines of each page as the grid holds them
    PrintableArea area{850, 1090, 100, 100};
};

RecordingPrintDevice PrintText(const std::string& text, const PrintableArea& area) {
    RecordingPrintDevice device;
    device.area = area;
    TTextPrinter printer(device, MakePitch(17, 6), 8, 0);
    printer.PutString(text);
    return device;
}

TEST(TextPrinter, PlacesEveryCharacterInItsCell) {
    const std::string a136(136, 'a');
    const std::string x119(119, 'x');
    const std::string n60(60, '\n');
    const PrintCase cases[] = {
        {"empty document is one blank page", "", {{}}},
        {"CR LF and LF alone both start column 0 of the next line",
         "AB\r\nCD\nEF",
         {{"AB", "CD", "EF"}}},
        {"CR alone overprints the same line", "ABC\rxy", {{"xyC"}}},
        {"TAB goes to the next stop strictly to the right",
         "\tA\n12345678\tB\n1234567890123\tC",
         {{"        A", "12345678        B", "1234567890123   C"}}},
        {"TAB to the edge breaks the line",
         std::string(130, '-') + "\tX",
         {{std::string(130, '-'), "X"}}},
        {"137 characters: 136 on the line, 1 on the next", a136 + "a", {{a136, "a"}}},
        {"a full line then LF leaves an empty line", a136 + "\nb", {{a136, "", "b"}}},
        {"the break after line 59 starts page 2 at once", n60, {{}, {}}},
        {"page 2 goes on at line 0", n60 + "Z", {{}, {"Z"}}},
        {"FF starts a page even on an empty one", "\f\fQ", {{}, {}, {"Q"}}},
        {"control characters, DEL, NUL and unassigned bytes take no cell",
         std::string("a\x01\x7f\x81\x8d\x8f\x90\x9d\x1b") + '\0' + "b",
         {{"ab"}}},
        {"the code page's letters and signs are printed",
         "\xe9t\xe9 \x80 \x9f \xa0\xff \x91gr\xfc\xdf\x93",
         {{"\xe9t\xe9 \x80 \x9f \xa0\xff \x91gr\xfc\xdf\x93"}}},
        {"only whole inches count: 7.9 inches give 119 columns",
         x119 + "xy",
         {{x119, "xy"}},
         {790, 1090, 100, 100}},
        {"10.9 inches give 60 lines; the 61st line is on page 2",
         std::string(60, '\n') + "L",
         {{}, {"L"}},
         {850, 1090, 100, 100}},
        {"device pixels per inch count, not pixels",
         std::string(51, 'w'),
         {{std::string(51, 'w')}},
         {1800, 2000, 600, 600}},
        {"less than an inch still holds one cell per line and page",
         "ab",
         {{"a"}, {"b"}, {}},
         {50, 50, 100, 100}},
    };
    for (const PrintCase& c : cases) {
        SCOPED_TRACE(c.name);
        const RecordingPrintDevice device = PrintText(c.text, c.area);
        ASSERT_EQ(device.pages.size(), c.pages.size());
        for (std::size_t page = 0; page < c.pages.size(); ++page) {
            std::vector<std::string> lines = device.Lines(page);
            // Trailing empty lines have no cells to record.
            std::vector<std::string> expected = c.pages[page];
            while (!expected.empty() && expected.back().empty()) expected.pop_back();
            EXPECT_EQ(lines, expected) << "page " << page;
        }
    }
}

TEST(TextPrinter, CountsColumnsAndLinesOfWholeInches) {
    const struct {
        PrintableArea area;
        int columns, lines;
    } cases[] = {
        {{850, 1090, 100, 100}, 136, 60},
        {{790, 1090, 100, 100}, 119, 60},
        {{4800, 6540, 600, 600}, 136, 60},
        {{850, 1090, 100, 200}, 136, 30},
    };
    for (const auto& c : cases) {
        RecordingPrintDevice device;
        device.area = c.area;
        TTextPrinter printer(device, MakePitch(17, 6), 8, 0);
        EXPECT_EQ(printer.Columns(), c.columns);
        EXPECT_EQ(printer.Lines(), c.lines);
    }
}

TEST(TextPrinter, OpensTheDocumentAndEndsItsLastPage) {
    RecordingPrintDevice device;
    {
        TTextPrinter printer(device, MakePitch(17, 6), 8, 0x00123456);
        EXPECT_TRUE(printer.HasPrinter());
        printer.PutString("x\f");
        EXPECT_EQ(printer.Line(), 0);
        EXPECT_EQ(printer.Column(), 0);
    }
    EXPECT_EQ(device.calls, (std::vector<std::string>{"open", "doc TTextPrinter", "start", "end",
                                                      "start", "end", "enddoc"}));
    EXPECT_EQ(device.grid.charsPerInch, 17);
    EXPECT_EQ(device.grid.linesPerInch, 6);
    EXPECT_EQ(device.grid.textColor, 0x00123456u);
}

TEST(TextPrinter, WithoutAPrinterNothingHappens) {
    RecordingPrintDevice device;
    device.hasPrinter = false;
    {
        TTextPrinter printer(device, MakePitch(17, 6), 8, 0);
        EXPECT_FALSE(printer.HasPrinter());
        printer.PutString("text\n\f\tmore");
        printer.NewLine();
        printer.NewPage();
    }
    EXPECT_EQ(device.calls, std::vector<std::string>{"open"});
    EXPECT_EQ(device.draws, 0);
}

TEST(TextPrinter, TakesCellForEveryAssignedCharacterOfTheCodePage) {
    int cells = 0;
    for (int byte = 0; byte < 256; ++byte) {
        const bool takes = TakesCell(static_cast<unsigned char>(byte));
        cells += takes ? 1 : 0;
        if (byte < 0x20 || byte == 0x7f) EXPECT_FALSE(takes) << byte;
    }
    // 95 printable ASCII, 27 assigned in 0x80-0x9F, 96 from 0xA0 on.
    EXPECT_EQ(cells, 95 + 27 + 96);
}

}  // namespace

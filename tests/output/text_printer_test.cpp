#include "output/text_printer.h"

#include <gtest/gtest.h>

#include "fakes/recording_print_device.h"

namespace {

TEST(TextPrinter, PlacesEveryCharacterInItsCell) {
    const std::string a136(136, 'a'), n60(60, '\n');
    const struct {
        const char* name;
        std::string text, printed;
        PrintableArea area = {850, 1090, 100, 100};  // 136 columns, 60 lines
    } cases[] = {
        {"nothing printed is one blank page", "", "\f"},
        {"CR LF and LF alone go to column 0 of the next line", "AB\r\nCD\nEF", "AB\nCD\nEF\n\f"},
        {"CR alone overprints", "ABC\rxy", "xyC\n\f"},
        {"TAB to the next stop to the right", "\tA\n12345678\tB\n1234567890123\tC",
         "        A\n12345678        B\n1234567890123   C\n\f"},
        {"TAB to the edge breaks the line", std::string(130, '-') + "\tX",
         std::string(130, '-') + "\nX\n\f"},
        {"137 characters: 136, then 1", a136 + "a", a136 + "\na\n\f"},
        {"a full line then LF leaves an empty line", a136 + "\nb", a136 + "\n\nb\n\f"},
        {"the break after line 59 starts page 2 at once", n60, "\f\f"},
        {"page 2 goes on at line 0", n60 + "Z", "\fZ\n\f"},
        {"FF starts a page even on an empty one", "\f\fQ", "\f\fQ\n\f"},
        {"control characters, DEL, NUL and unassigned bytes take no cell",
         std::string("a\x01\x7f\x81\x8d\x8f\x90\x9d\x1b\0b", 12), "ab\n\f"},
        {"the code page's letters and signs are printed",
         "\xe9t\xe9 \x80\x9f\xa0\xff\x91gr\xfc\xdf",
         "\xe9t\xe9 \x80\x9f\xa0\xff\x91gr\xfc\xdf\n\f"},
        {"whole inches only: 7.9 inches are 119 columns",
         std::string(121, 'x'),
         std::string(119, 'x') + "\nxx\n\f",
         {790, 1090, 100, 100}},
        {"pixels per inch of the device",
         std::string(52, 'w'),
         std::string(51, 'w') + "\nw\n\f",
         {1800, 2000, 600, 600}},
        {"less than an inch still holds a cell", "ab", "a\n\fb\n\f\f", {50, 50, 100, 100}},
    };
    for (const auto& c : cases) {
        RecordingPrintDevice device;
        device.area = c.area;
        TTextPrinter(device, MakePitch(17, 6), 8, 0).PutString(c.text);
        EXPECT_EQ(device.Text(), c.printed) << c.name;
    }
}

TEST(TextPrinter, OpensTheDocumentEndsItsLastPageOrDoesNothingWithoutAPrinter) {
    for (const bool printer : {true, false}) {
        RecordingPrintDevice device;
        device.hasPrinter = printer;
        {
            TTextPrinter text(device, MakePitch(17, 6), 8, 0x123456);
            EXPECT_EQ(text.HasPrinter(), printer);
            text.PutString("x\f");
            text.NewLine();
            EXPECT_EQ(text.Line(), printer ? 1 : 0);
        }
        using Calls = std::vector<std::string>;
        const Calls expected =
            printer ? Calls{"open", "doc TTextPrinter", "start", "end", "start", "end", "enddoc"}
                    : Calls{"open"};
        EXPECT_EQ(device.calls, expected);
        EXPECT_EQ(device.grid.charsPerInch * 100 + device.grid.linesPerInch, printer ? 1706 : 0);
        EXPECT_EQ(device.grid.textColor, printer ? 0x123456u : 0u);
    }
}

}  // namespace
